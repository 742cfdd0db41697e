// Arrays and maps: growth, insertion and removal, bad indices refused without
// a change, elements that refer into their own array, map iteration and removal.
#include <gtest/gtest.h>

#include "Throws.h"

#include <map>
#include <set>
#include <string>

#include <afxtempl.h>

namespace {

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

TEST(Array, GrowsInsertsRemovesAndRefusesBadIndicesUnchanged)
{
    CArray<int, int> arr, other;
    arr.SetSize(3, 10);
    EXPECT_EQ("0,0,0", Join(arr));
    for (int i = 0; i < 5000; i++)
        EXPECT_EQ(i + 3, arr.Add(i));
    EXPECT_EQ(4999, arr[5002]);
    arr.SetSize(2);
    arr.SetSize(4);
    EXPECT_EQ("0,0,0,0", Join(arr));  // regrown elements are zero again
    arr.RemoveAll();
    EXPECT_TRUE(arr.IsEmpty() && arr.GetData() == nullptr);
    for (int i = 0; i < 5; i++)
        arr.Add(i);
    arr.InsertAt(2, 9, 3);
    EXPECT_EQ("0,1,9,9,9,2,3,4", Join(arr));
    arr.RemoveAt(1, 4);
    arr.InsertAt(6, 7);  // past the end: the gap is value-initialised
    arr.SetAtGrow(8, 8);
    EXPECT_EQ("0,2,3,4,0,0,7,0,8", Join(arr));
    other.Add(-1);
    other.Add(-2);
    arr.InsertAt(1, &other);
    EXPECT_EQ("0,-1,-2,2,3,4,0,0,7,0,8", Join(arr));

    arr.SetSize(2);
    CArray<int, int>* pNone = NULL;
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.SetSize(-1); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.GetAt(2); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.GetAt(-1); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.SetAt(2, 0); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.ElementAt(5); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr[2] = 0; }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.RemoveAt(2); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.RemoveAt(1, 2); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.RemoveAt(-1); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.RemoveAt(0, -1); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.InsertAt(-1, 5); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.InsertAt(0, 5, 0); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.InsertAt(0, pNone); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.SetAtGrow(-1, 0); }));
    arr.RemoveAt(2, 0);  // an empty range at the end is allowed
    EXPECT_EQ("0,-1", Join(arr));
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
    EXPECT_STREQ("первый", arr[20]);
    arr.FreeExtra();
    arr.InsertAt(0, arr[20], 2);
    EXPECT_STREQ("первый", arr[1]);
    arr.FreeExtra();
    arr.SetAtGrow(30, arr[3]);
    EXPECT_STREQ("первый", arr[30]);
    EXPECT_STREQ("", arr[29]);

    CStringArray a, b;
    a.Add("а");
    a.Add("б");
    b.Add("в");
    EXPECT_EQ(1, b.Append(a));
    EXPECT_EQ(3, b.Append(b));  // appending itself doubles it
    EXPECT_EQ("в,а,б,в,а,б", Join(b));
    b.InsertAt(1, &b);
    EXPECT_EQ("в,в,а,б,в,а,б,а,б,в,а,б", Join(b));
    a.Copy(b);
    a.Copy(a);
    b.RemoveAll();
    EXPECT_EQ("в,в,а,б,в,а,б,а,б,в,а,б", Join(a));  // the copy is its own

    struct CNode {
        int m_nId;
    } nodes[3] = {{1}, {2}, {3}};
    CTypedPtrArray<CPtrArray, CNode*> typed;
    typed.Add(&nodes[0]);
    typed.Add(&nodes[2]);
    typed.InsertAt(1, &nodes[1]);
    EXPECT_TRUE(typed.GetSize() == 3 && typed[0]->m_nId == 1 && typed[1]->m_nId == 2 && typed[2]->m_nId == 3);
}

TEST(Map, SetLookupRemoveAndIterateWhileRemoving)
{
    CMap<int, int, CString, LPCTSTR> names;
    names.SetAt(1, "один");
    names[2] = "два";
    names.SetAt(1, "раз");
    CString value;
    EXPECT_TRUE(names.GetCount() == 2 && names.Lookup(1, value) && value == "раз");
    EXPECT_FALSE(names.Lookup(3, value));
    EXPECT_STREQ("раз", value);  // untouched when absent
    EXPECT_STREQ("", names[3]);  // operator[] adds an empty value
    EXPECT_TRUE(names.RemoveKey(3));
    EXPECT_FALSE(names.RemoveKey(3));
    names.RemoveAll();
    EXPECT_TRUE(names.IsEmpty() && names.GetStartPosition() == nullptr && !names.Lookup(1, value));

    // Every entry once, also when the current one is removed; a new hash size keeps them.
    CMap<int, int, int, int> map;
    map.InitHashTable(7);
    for (int i = -500; i < 500; i++)
        map[i * 7] = i;
    std::set<int> seen;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
        int key, n;
        map.GetNextAssoc(pos, key, n);
        EXPECT_EQ(key, n * 7);
        EXPECT_TRUE(seen.insert(key).second);
        if (n % 2 == 0) {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(1000u, seen.size());
    map.InitHashTable(1021);
    map.InitHashTable(0);  // ignored
    EXPECT_EQ(1021u, map.GetHashTableSize());
    EXPECT_EQ(500, map.GetCount());
    for (int i = -500; i < 500; i++) {
        int n = 1000;
        EXPECT_EQ(i % 2 != 0, map.Lookup(i * 7, n) && n == i) << i;
    }
}

TEST(Map, StringKeysAreCaseSensitiveBytesAndTypedMapsWrapThem)
{
    CMapStringToString map;
    const std::pair<const char*, const char*> aEntries[] = {{"Ключ", "1"}, {"ключ", "2"}, {"", "пусто"}};
    for (const auto& entry : aEntries)
        map.SetAt(entry.first, entry.second);
    CString value;
    for (const auto& entry : aEntries)
        EXPECT_TRUE(map.Lookup(entry.first, value) && value == entry.second) << entry.first;
    EXPECT_FALSE(map.Lookup("КЛЮЧ", value));
    EXPECT_NE(map.HashKey("abc"), map.HashKey("abd"));

    int a = 1, b = 2;
    CTypedPtrMap<CMapStringToPtr, CString, int*> typed;
    typed.SetAt("первый", &a);
    typed["второй"] = &b;
    std::map<std::string, int> seen;
    for (POSITION pos = typed.GetStartPosition(); pos != NULL;) {
        CString key;
        int* p = NULL;
        typed.GetNextAssoc(pos, key, p);
        seen[(LPCSTR)key] = *p;
    }
    EXPECT_EQ((std::map<std::string, int>{{"первый", 1}, {"второй", 2}}), seen);
    int* p = NULL;
    EXPECT_TRUE(typed.RemoveKey("первый") && !typed.Lookup("первый", p));
}

}  // namespace
