// The owning collections: every object destroyed once however often it is
// stored, what the destroying operations leave behind, module handles only
// forgotten, and the sorted string array's order as a case table
// (tests/data/sorted.txt). Under Windows also the document array and the
// bitmap map.
#include "frame/TypedCollections.h"
#ifdef _WIN32
#    include "frame/TypedCollectionsWin.h"
#endif

#include "CaseTable.h"
#include "Console.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// An object that counts its deletions and records what the array it sits in
// held at chosen indices while it was being deleted.
struct CCounted {
    static int s_nDeleted;
    const CTypedPtrArrayEx<CCounted*>* m_pWatched = nullptr;
    std::vector<CCounted*>* m_pSeenAtDeath = nullptr;

    virtual ~CCounted()
    {
        ++s_nDeleted;
        if (m_pWatched != nullptr) {
            for (INT_PTR i = 0; i < m_pWatched->GetSize(); ++i)
                m_pSeenAtDeath->push_back(m_pWatched->GetAt(i));
        }
    }
};
int CCounted::s_nDeleted = 0;

class CollectionsTest : public ::testing::Test {
protected:
    void SetUp() override { CCounted::s_nDeleted = 0; }
};

}  // namespace

TEST_F(CollectionsTest, ArrayDestroysAnObjectStoredThriceOnce)
{
    CTypedPtrArrayEx<CCounted*> arr;
    CCounted* pShared = new CCounted;
    CCounted* pOther = new CCounted;
    for (CCounted* p : {pShared, pOther, pShared, (CCounted*)nullptr, pOther, pShared})
        arr.Add(p);
    // What the array holds while the shared object goes.
    std::vector<CCounted*> seen;
    pShared->m_pWatched = &arr;
    pShared->m_pSeenAtDeath = &seen;

    arr.DestroyAll();
    EXPECT_EQ(CCounted::s_nDeleted, 2);  // the shared one and the other, once each
    EXPECT_EQ(arr.GetSize(), 0);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[2], nullptr);
    EXPECT_EQ(seen[5], nullptr);
    EXPECT_EQ(seen[1], pOther);
}

TEST_F(CollectionsTest, DestroyItemNullsTheOtherCopiesAndRemovesItsPlace)
{
    CTypedPtrArrayEx<CCounted*> arr;
    CCounted* pTwice = new CCounted;
    CCounted* pKept = new CCounted;
    for (CCounted* p : {pTwice, pKept, (CCounted*)nullptr, pTwice})
        arr.Add(p);
    arr.DestroyItem(3);
    EXPECT_EQ(CCounted::s_nDeleted, 1);
    ASSERT_EQ(arr.GetSize(), 3);
    EXPECT_EQ(arr[0], nullptr);
    EXPECT_EQ(arr[1], pKept);

    // A null element is only removed; out of range throws and deletes nothing.
    arr.DestroyItem(2);
    EXPECT_EQ(arr.GetSize(), 2);
    EXPECT_EQ(CCounted::s_nDeleted, 1);
    bool bThrown = false;
    try {
        arr.DestroyItem(7);
    } catch (CInvalidArgException* e) {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(CCounted::s_nDeleted, 1);
}

TEST_F(CollectionsTest, FindAndRemoveNeverDelete)
{
    CCounted absent;
    {
        CTypedPtrArrayEx<CCounted*> arr;
        CCounted* p = new CCounted;
        arr.Add(nullptr);
        arr.Add(p);
        arr.Add(p);
        EXPECT_EQ(arr.FindItem(p), 1);
        EXPECT_EQ(arr.FindItem(&absent), -1);
        EXPECT_EQ(arr.RemoveItem(&absent), 0);
        EXPECT_EQ(arr.RemoveItem(p), 1);
        EXPECT_EQ(arr.GetSize(), 2);
        EXPECT_EQ(arr[1], p);
        EXPECT_EQ(CCounted::s_nDeleted, 0);
    }
    // The destructor destroys what is left.
    EXPECT_EQ(CCounted::s_nDeleted, 1);
}

TEST_F(CollectionsTest, ModuleHandlesAreOnlyForgotten)
{
    CHInstanceDllArrayEx arr;
#ifdef _WIN32
    HINSTANCE hModule = LoadLibraryA("version.dll");
    ASSERT_NE(hModule, nullptr);
#else
    HINSTANCE hModule = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x10000));
#endif
    arr.Add(hModule);
    arr.Add(hModule);
    arr.DestroyItem(0);
    EXPECT_EQ(arr.GetSize(), 1);
    EXPECT_EQ(arr[0], nullptr);
    arr.Add(hModule);
    arr.DestroyAll();
    EXPECT_EQ(arr.GetSize(), 0);
#ifdef _WIN32
    // Still loaded: the array never frees a module.
    EXPECT_EQ(GetModuleHandleA("version.dll"), hModule);
    FreeLibrary(hModule);
#endif
}

TEST_F(CollectionsTest, MapDestroysEachValueOnce)
{
    CCounted* pShared = new CCounted;
    {
        CTypedMapStrToPtrEx<CCounted*> map;
        map.SetAt("Склад", pShared);
        map.SetAt("Магазин", pShared);
        map.SetAt("Пусто", nullptr);
        map.SetAt("Офис", new CCounted);

        EXPECT_EQ(map.DestroyKey("Нет такого"), 0);
        EXPECT_EQ(CCounted::s_nDeleted, 0);
        // The other key that held the object holds null now.
        EXPECT_NE(map.DestroyKey("Склад"), 0);
        EXPECT_EQ(CCounted::s_nDeleted, 1);
        CCounted* pLeft = pShared;
        ASSERT_TRUE(map.Lookup("Магазин", pLeft));
        EXPECT_EQ(pLeft, nullptr);

        // Replacing deletes the old value, but never the value stored again.
        CCounted* pNew = new CCounted;
        map.ReplaceAt("Офис", pNew);
        EXPECT_EQ(CCounted::s_nDeleted, 2);
        map.ReplaceAt("Офис", pNew);
        EXPECT_EQ(CCounted::s_nDeleted, 2);
        map.SetAt("Филиал", pNew);
        map.DestroyAll();
        EXPECT_EQ(CCounted::s_nDeleted, 3);
        EXPECT_EQ(map.GetCount(), 0);
        map.SetAt("Снова", new CCounted);
    }
    EXPECT_EQ(CCounted::s_nDeleted, 4);
}

// Lines: 0 or 1 (duplicates allowed), then the strings added in turn; the
// answer is the array's order, then AddSort's result for each string.
TEST(SortedStringArray, Cases)
{
    support::CheckCaseTable("sorted.txt", [](const std::string& strLine) {
        const size_t nTab = strLine.find('\t');
        if (nTab == std::string::npos)
            return std::string("#invalid");
        CSortedStringArray arr(strLine.substr(0, nTab) == "1");
        std::istringstream words(Utf8ToCp1251(strLine.substr(nTab + 1)));
        std::string strWord, strIndices, strOrder;
        while (words >> strWord)
            strIndices += (strIndices.empty() ? "" : " ") + std::to_string(arr.AddSort(strWord.c_str()));
        for (INT_PTR i = 0; i < arr.GetSize(); ++i)
            strOrder += (i > 0 ? " " : "") + std::string(static_cast<LPCSTR>(arr[i]));
        return Cp1251ToUtf8(strOrder) + "\t" + strIndices;
    });
}

#ifdef _WIN32
namespace {

class CCountedDocument : public CDocument {
public:
    ~CCountedDocument() override { ++CCounted::s_nDeleted; }
};

}  // namespace

TEST_F(CollectionsTest, DocumentArrayRunsTheDocumentsDestructors)
{
    CCloseDocPtrArrayEx* pArr = new CCloseDocPtrArrayEx;
    CCountedDocument* pDoc = new CCountedDocument;
    pArr->Add(pDoc);
    pArr->Add(new CCountedDocument);
    pArr->Add(pDoc);
    delete pArr;
    EXPECT_EQ(CCounted::s_nDeleted, 2);
}

TEST_F(CollectionsTest, BitmapMapFindsObjectsByEitherHandle)
{
    CMapStrToPtrSBitmapEx map;
    CBitmapEx* pBitmap = new CBitmapEx;
    ASSERT_TRUE(pBitmap->CreateBitmap(4, 4, 1, 32, NULL));
    CBitmapEx* pIcon = new CBitmapEx;
    CFile file((support::ToolPath().parent_path() / "data" / "icons" / "sample_32bit.ico").string().c_str(),
               CFile::modeRead);
    CByteArray data;
    data.SetSize(static_cast<INT_PTR>(file.GetLength()));
    file.Read(data.GetData(), static_cast<UINT>(data.GetSize()));
    ASSERT_TRUE(pIcon->LoadICO(data));
    map.SetAt("Пусто", new CBitmapEx);
    map.SetAt("Накладная", pBitmap);
    map.SetAt("Значок", pIcon);
    EXPECT_EQ(map.FindsBitmap(pBitmap->GetSafeHandle()), pBitmap);
    EXPECT_EQ(map.FindsBitmap(pIcon->GetIcon()), pIcon);
    // An object that holds nothing is no answer for a null handle.
    EXPECT_EQ(map.FindsBitmap(nullptr), nullptr);
    EXPECT_EQ(map.FindsBitmap(reinterpret_cast<void*>(static_cast<UINT_PTR>(0x1234))), nullptr);
}
#endif
