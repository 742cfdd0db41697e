// Arrays and maps: growth, insertion and removal, the exceptions on bad
// indices, elements that refer into their own array, map iteration and removal.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include <afxtempl.h>

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

std::string Item(const CString& s)
{
    return (LPCSTR)s;
}
std::string Item(int n)
{
    return std::to_string(n);
}

template <class A>
std::string Join(const A& arr)
{
    std::string s;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        s += (i > 0 ? "," : "") + Item(arr[i]);
    return s;
}

TEST(Array, GrowsShrinksAndValueInitialises)
{
    CArray<int, int> arr;
    EXPECT_EQ(arr.GetUpperBound(), -1);
    arr.SetSize(3, 10);
    EXPECT_EQ(Join(arr), "0,0,0");
    for (int i = 0; i < 5000; i++)
        EXPECT_EQ(arr.Add(i), i + 3);
    EXPECT_EQ(arr[5002], 4999);
    arr.SetSize(2);
    arr.SetSize(4);
    EXPECT_EQ(Join(arr), "0,0,0,0");  // regrown elements are zero again
    arr.FreeExtra();
    EXPECT_EQ(arr.GetCount(), 4);
    arr.RemoveAll();
    EXPECT_TRUE(arr.IsEmpty());
    EXPECT_EQ(arr.GetData(), nullptr);
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetSize(-1); }));
}

TEST(Array, OutOfRangeIndicesThrowAndChangeNothing)
{
    CArray<int, int> arr;
    arr.Add(1);
    arr.Add(2);
    CArray<int, int>* pNone = NULL;
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
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(0, pNone); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetAtGrow(-1, 0); }));
    EXPECT_EQ(Join(arr), "1,2");
    arr.RemoveAt(2, 0);  // an empty range at the end is allowed
    EXPECT_EQ(arr.GetSize(), 2);
}

TEST(Array, InsertAndRemove)
{
    CArray<int, int> arr, other;
    for (int i = 0; i < 5; i++)
        arr.Add(i);
    arr.InsertAt(2, 9, 3);
    EXPECT_EQ(Join(arr), "0,1,9,9,9,2,3,4");
    arr.RemoveAt(1, 4);
    arr.InsertAt(6, 7);  // past the end: the gap is value-initialised
    arr.SetAtGrow(8, 8);
    EXPECT_EQ(Join(arr), "0,2,3,4,0,0,7,0,8");
    other.Add(-1);
    other.Add(-2);
    arr.InsertAt(1, &other);
    EXPECT_EQ(Join(arr), "0,-1,-2,2,3,4,0,0,7,0,8");
    arr.RemoveAt(0, arr.GetSize());
    EXPECT_TRUE(arr.IsEmpty());
}

TEST(Array, ElementsOfTheArrayItselfSurviveItsGrowth)
{
    CStringArray arr;
    arr.Add("первый");
    // Each call grows the storage while its argument lives in the old block.
    for (int i = 0; i < 20; i++) {
        arr.FreeExtra();
        arr.Add(arr[0]);
    }
    EXPECT_STREQ(arr[20], "первый");
    arr.FreeExtra();
    arr.InsertAt(0, arr[20], 2);
    EXPECT_STREQ(arr[1], "первый");
    arr.FreeExtra();
    arr.SetAtGrow(30, arr[3]);
    EXPECT_STREQ(arr[30], "первый");
    EXPECT_STREQ(arr[29], "");

    CStringArray a, b;
    a.Add("а");
    a.Add("б");
    b.Add("в");
    EXPECT_EQ(b.Append(a), 1);
    EXPECT_EQ(b.Append(b), 3);  // appending itself doubles it
    EXPECT_EQ(Join(b), "в,а,б,в,а,б");
    b.InsertAt(1, &b);
    EXPECT_EQ(Join(b), "в,в,а,б,в,а,б,а,б,в,а,б");
    a.Copy(b);
    a.Copy(a);
    b.RemoveAll();
    EXPECT_EQ(Join(a), "в,в,а,б,в,а,б,а,б,в,а,б");  // the copy is its own
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
    map.SetAt(1, "один");
    map[2] = "два";
    map.SetAt(1, "раз");
    EXPECT_EQ(map.GetCount(), 2);
    CString value;
    EXPECT_TRUE(map.Lookup(1, value));
    EXPECT_STREQ(value, "раз");
    EXPECT_FALSE(map.Lookup(3, value));
    EXPECT_STREQ(value, "раз");  // untouched when absent
    EXPECT_STREQ(map[3], "");    // operator[] adds an empty value
    EXPECT_TRUE(map.RemoveKey(3));
    EXPECT_FALSE(map.RemoveKey(3));
    EXPECT_EQ(map.GetCount(), 2);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_FALSE(map.Lookup(1, value));
}

TEST(Map, IterationVisitsEveryEntryOnceAndMayRemoveTheCurrentOne)
{
    CMap<int, int, int, int> map;
    map.InitHashTable(7);
    for (int i = -500; i < 500; i++)
        map[i * 7] = i;
    std::set<int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key, value * 7);
        EXPECT_TRUE(seen.insert(key).second);
        if (value % 2 == 0) {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(seen.size(), 1000u);
    EXPECT_EQ(map.GetCount(), 500);
    int value;
    EXPECT_FALSE(map.Lookup(70, value));
    EXPECT_TRUE(map.Lookup(77, value));
    EXPECT_EQ(value, 11);
}

TEST(Map, InitHashTableKeepsEntries)
{
    CMap<int, int, int, int> map;
    for (int i = 0; i < 50; i++)
        map[i] = -i;
    map.InitHashTable(1021);
    map.InitHashTable(0);  // ignored
    EXPECT_EQ(map.GetHashTableSize(), 1021u);
    EXPECT_EQ(map.GetCount(), 50);
    for (int i = 0; i < 50; i++) {
        int value = 1;
        EXPECT_TRUE(map.Lookup(i, value) && value == -i) << i;
    }
}

TEST(Map, StringKeysAreCaseSensitiveBytesAndTypedMapsWrapThem)
{
    CMapStringToString map;
    map.SetAt("Ключ", "1");
    map.SetAt("ключ", "2");
    map.SetAt("", "пусто");
    CString value;
    const std::pair<const char*, const char*> aEntries[] = {{"Ключ", "1"}, {"ключ", "2"}, {"", "пусто"}};
    for (const auto& entry : aEntries)
        EXPECT_TRUE(map.Lookup(entry.first, value) && value == entry.second) << entry.first;
    EXPECT_FALSE(map.Lookup("КЛЮЧ", value));
    EXPECT_EQ(map.HashKey("abc"), HashKey<LPCTSTR>("abc"));
    EXPECT_NE(map.HashKey("abc"), map.HashKey("abd"));

    CNode a = {1}, b = {2};
    CTypedPtrMap<CMapStringToPtr, CString, CNode*> typed;
    typed.SetAt("первый", &a);
    typed["второй"] = &b;
    std::map<std::string, int> seen;
    POSITION pos = typed.GetStartPosition();
    while (pos != NULL) {
        CString key;
        CNode* pNode = NULL;
        typed.GetNextAssoc(pos, key, pNode);
        seen[(LPCSTR)key] = pNode->m_nId;
    }
    EXPECT_EQ(seen, (std::map<std::string, int>{{"первый", 1}, {"второй", 2}}));
    EXPECT_TRUE(typed.RemoveKey("первый"));
    CNode* pNode = NULL;
    EXPECT_FALSE(typed.Lookup("первый", pNode));
}

}  // namespace
