// Arrays and maps: growth, insertion and removal, the exceptions on bad
// indices, elements that refer into their own array, map iteration and removal.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "afxtempl.h"

namespace {

template <class F>
bool ThrowsInvalidArg(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

std::string Item(const CString& s) { return (LPCSTR)s; }
std::string Item(int n) { return std::to_string(n); }

template <class A>
std::string Join(const A& arr)
{
    std::string s;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        s += (i > 0 ? "," : "") + Item(arr[i]);
    return s;
}

TEST(Array, GrowsAndValueInitialises)
{
    CArray<int, int> arr;
    EXPECT_TRUE(arr.IsEmpty());
    EXPECT_EQ(arr.GetUpperBound(), -1);
    arr.SetSize(3, 10);
    EXPECT_EQ(arr.GetSize(), 3);
    EXPECT_EQ(arr.GetCount(), 3);
    EXPECT_EQ(Join(arr), "0,0,0");
    for (int i = 0; i < 5000; i++)
        EXPECT_EQ(arr.Add(i), i + 3);
    EXPECT_EQ(arr.GetUpperBound(), 5002);
    EXPECT_EQ(arr[5002], 4999);
    arr.SetSize(2);
    EXPECT_EQ(Join(arr), "0,0");
    arr.SetSize(4);
    EXPECT_EQ(Join(arr), "0,0,0,0");  // regrown elements are zero again
    arr.FreeExtra();
    EXPECT_EQ(arr.GetSize(), 4);
    arr.RemoveAll();
    EXPECT_EQ(arr.GetSize(), 0);
    EXPECT_EQ(arr.GetData(), nullptr);
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetSize(-1); }));
}

TEST(Array, OutOfRangeIndicesThrow)
{
    CArray<int, int> arr;
    arr.Add(1);
    arr.Add(2);
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.GetAt(2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.GetAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetAt(2, 0); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.ElementAt(5); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr[2] = 0; }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(1, 2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(0, -1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(-1, 5); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(0, 5, 0); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(0, (CArray<int, int>*)NULL); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetAtGrow(-1, 0); }));
    EXPECT_EQ(Join(arr), "1,2");  // nothing changed on the way
    arr.RemoveAt(2, 0);           // an empty range at the end is allowed
    EXPECT_EQ(arr.GetSize(), 2);
}

TEST(Array, InsertAndRemove)
{
    CArray<int, int> arr;
    for (int i = 0; i < 5; i++)
        arr.Add(i);
    arr.InsertAt(2, 9, 3);
    EXPECT_EQ(Join(arr), "0,1,9,9,9,2,3,4");
    arr.RemoveAt(1, 4);
    EXPECT_EQ(Join(arr), "0,2,3,4");
    arr.InsertAt(6, 7);  // past the end: the gap is value-initialised
    EXPECT_EQ(Join(arr), "0,2,3,4,0,0,7");
    arr.SetAtGrow(8, 8);
    EXPECT_EQ(Join(arr), "0,2,3,4,0,0,7,0,8");

    CArray<int, int> other;
    other.Add(-1);
    other.Add(-2);
    arr.InsertAt(1, &other);
    EXPECT_EQ(Join(arr), "0,-1,-2,2,3,4,0,0,7,0,8");
    arr.RemoveAt(0, arr.GetSize());
    EXPECT_TRUE(arr.IsEmpty());
}

TEST(Array, ElementsReferringIntoTheArraySurviveGrowth)
{
    CStringArray arr;
    arr.Add("первый");
    arr.FreeExtra();
    // Each call grows the storage while its argument lives in the old block.
    for (int i = 0; i < 20; i++)
        arr.Add(arr[0]);
    EXPECT_EQ(arr.GetSize(), 21);
    EXPECT_STREQ(arr[20], "первый");
    arr.FreeExtra();
    arr.InsertAt(0, arr[20], 2);
    EXPECT_STREQ(arr[0], "первый");
    EXPECT_STREQ(arr[1], "первый");
    arr.FreeExtra();
    arr.SetAtGrow(30, arr[3]);
    EXPECT_STREQ(arr[30], "первый");
    EXPECT_STREQ(arr[29], "");
}

TEST(Array, AppendCopyAndSelf)
{
    CStringArray a;
    a.Add("а");
    a.Add("б");
    CStringArray b;
    b.Add("в");
    EXPECT_EQ(b.Append(a), 1);
    EXPECT_EQ(Join(b), "в,а,б");
    EXPECT_EQ(b.Append(b), 3);  // appending itself doubles it
    EXPECT_EQ(Join(b), "в,а,б,в,а,б");
    b.InsertAt(1, &b);
    EXPECT_EQ(Join(b), "в,в,а,б,в,а,б,а,б,в,а,б");
    a.Copy(b);
    EXPECT_EQ(Join(a), Join(b));
    a.Copy(a);
    EXPECT_EQ(a.GetSize(), 12);
    b.RemoveAll();
    EXPECT_EQ(a.GetSize(), 12);  // the copy is its own
}

struct CNode {
    int m_nId;
};

TEST(TypedPtrArray, TypedAccess)
{
    CNode nodes[3] = {{1}, {2}, {3}};
    CTypedPtrArray<CPtrArray, CNode*> arr;
    arr.Add(&nodes[0]);
    arr.Add(&nodes[2]);
    arr.InsertAt(1, &nodes[1]);
    ASSERT_EQ(arr.GetSize(), 3);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        EXPECT_EQ(arr[i]->m_nId, (int)i + 1);
    arr.ElementAt(0) = &nodes[2];
    EXPECT_EQ(arr.GetData()[0], &nodes[2]);
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.GetAt(3); }));
}

TEST(Map, SetLookupRemove)
{
    CMap<int, int, CString, LPCTSTR> map;
    EXPECT_TRUE(map.IsEmpty());
    map.SetAt(1, "один");
    map[2] = "два";
    map.SetAt(1, "раз");
    EXPECT_EQ(map.GetCount(), 2);
    CString value;
    EXPECT_TRUE(map.Lookup(1, value));
    EXPECT_STREQ(value, "раз");
    EXPECT_FALSE(map.Lookup(3, value));
    EXPECT_STREQ(value, "раз");  // untouched when absent
    EXPECT_STREQ(map[3], "");     // operator[] adds an empty value
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_TRUE(map.RemoveKey(3));
    EXPECT_FALSE(map.RemoveKey(3));
    EXPECT_EQ(map.GetCount(), 2);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_FALSE(map.Lookup(1, value));
}

TEST(Map, IterationVisitsEveryEntryOnce)
{
    CMap<int, int, int, int> map;
    for (int i = -500; i < 500; i++)
        map[i * 7] = i;
    std::set<int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key, value * 7);
        EXPECT_TRUE(seen.insert(key).second);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Map, RemovingTheCurrentEntryWhileIterating)
{
    CMap<int, int, int, int> map;
    map.InitHashTable(7);
    for (int i = 0; i < 100; i++)
        map[i] = i * i;
    int nVisited = 0;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        nVisited++;
        if (key % 2 == 0) {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(nVisited, 100);
    EXPECT_EQ(map.GetCount(), 50);
    int value;
    EXPECT_FALSE(map.Lookup(10, value));
    EXPECT_TRUE(map.Lookup(11, value));
    EXPECT_EQ(value, 121);
}

TEST(Map, InitHashTableKeepsEntries)
{
    CMap<int, int, int, int> map;
    for (int i = 0; i < 50; i++)
        map[i] = -i;
    map.InitHashTable(1021);
    EXPECT_EQ(map.GetHashTableSize(), 1021u);
    EXPECT_EQ(map.GetCount(), 50);
    for (int i = 0; i < 50; i++) {
        int value = 1;
        EXPECT_TRUE(map.Lookup(i, value));
        EXPECT_EQ(value, -i);
    }
    map.InitHashTable(0);  // ignored
    EXPECT_EQ(map.GetHashTableSize(), 1021u);
}

TEST(Map, StringKeysAreCaseSensitiveBytes)
{
    CMapStringToString map;
    map.SetAt("Ключ", "1");
    map.SetAt("ключ", "2");
    map.SetAt("", "пусто");
    EXPECT_EQ(map.GetCount(), 3);
    CString value;
    const char* const apszKeys[][2] = {{"Ключ", "1"}, {"ключ", "2"}, {"", "пусто"}};
    for (const auto& entry : apszKeys) {
        EXPECT_TRUE(map.Lookup(entry[0], value)) << entry[0];
        EXPECT_STREQ(value, entry[1]);
    }
    EXPECT_FALSE(map.Lookup("КЛЮЧ", value));
    EXPECT_EQ(map.HashKey("abc"), HashKey<LPCTSTR>("abc"));
    EXPECT_NE(map.HashKey("abc"), map.HashKey("abd"));
}

TEST(Map, TypedPtrMapOverStringToPtr)
{
    CNode a = {1}, b = {2};
    CTypedPtrMap<CMapStringToPtr, CString, CNode*> map;
    map.SetAt("первый", &a);
    map["второй"] = &b;
    CNode* pNode = NULL;
    EXPECT_TRUE(map.Lookup("второй", pNode));
    EXPECT_EQ(pNode, &b);
    std::map<std::string, int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        CString key;
        map.GetNextAssoc(pos, key, pNode);
        seen[(LPCSTR)key] = pNode->m_nId;
    }
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen["первый"], 1);
    EXPECT_EQ(seen["второй"], 2);
    EXPECT_TRUE(map.RemoveKey("первый"));
    EXPECT_FALSE(map.Lookup("первый", pNode));
}

}  // namespace
