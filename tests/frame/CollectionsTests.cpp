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
#include "Throws.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// An object that counts its deletions and records what the array it sits in
// held while it was being deleted.
struct CCounted {
    static int s_nDeleted;
    const CTypedPtrArrayEx<CCounted*>* m_pWatched = nullptr;

    virtual ~CCounted()
    {
        ++s_nDeleted;
        for (INT_PTR i = 0; m_pWatched != nullptr && i < m_pWatched->GetSize(); ++i)
            s_seen.push_back(m_pWatched->GetAt(i));
    }
    static std::vector<CCounted*> s_seen;
};
int CCounted::s_nDeleted = 0;
std::vector<CCounted*> CCounted::s_seen;

}  // namespace

TEST(Collections, TheArrayDestroysEachObjectOnceAndFindingOrRemovingNever)
{
    CCounted::s_nDeleted = 0;
    CCounted absent;
    {
        CTypedPtrArrayEx<CCounted*> arr;
        CCounted *pShared = new CCounted, *pOther = new CCounted, *pTwice = new CCounted;
        for (CCounted* p : {pShared, pOther, pShared, (CCounted*)nullptr, pOther, pShared})
            arr.Add(p);
        // While the shared object goes, the array holds it and its copies no more.
        pShared->m_pWatched = &arr;
        arr.DestroyAll();
        EXPECT_EQ(CCounted::s_nDeleted, 2);
        EXPECT_EQ(arr.GetSize(), 0);
        EXPECT_EQ(CCounted::s_seen, (std::vector<CCounted*>{nullptr, pOther, nullptr, nullptr, pOther, nullptr}));

        // DestroyItem nulls the other copies and removes its place; a null is only removed.
        for (CCounted* p : {pTwice, (CCounted*)nullptr, pTwice})
            arr.Add(p);
        arr.DestroyItem(2);
        arr.DestroyItem(1);
        EXPECT_EQ(CCounted::s_nDeleted, 3);
        ASSERT_EQ(arr.GetSize(), 1);
        EXPECT_EQ(arr[0], nullptr);
        EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { arr.DestroyItem(7); }));

        CCounted* p = new CCounted;
        arr.Add(p);
        arr.Add(p);
        EXPECT_EQ(arr.FindItem(p), 1);
        EXPECT_EQ(arr.FindItem(&absent), -1);
        EXPECT_EQ(arr.RemoveItem(&absent), 0);
        EXPECT_EQ(arr.RemoveItem(p), 1);
        EXPECT_EQ(arr.GetSize(), 2);
        EXPECT_EQ(CCounted::s_nDeleted, 3);
    }
    // The destructor destroys what is left.
    EXPECT_EQ(CCounted::s_nDeleted, 4);

    // Module handles are only forgotten, never freed.
    CHInstanceDllArrayEx modules;
#ifdef _WIN32
    HINSTANCE hModule = LoadLibraryA("version.dll");
#else
    HINSTANCE hModule = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x10000));
#endif
    for (int i = 0; i < 3; ++i)
        modules.Add(hModule);
    modules.DestroyItem(0);
    EXPECT_EQ(modules[1], nullptr);
    modules.DestroyAll();
    EXPECT_EQ(modules.GetSize(), 0);
#ifdef _WIN32
    EXPECT_EQ(GetModuleHandleA("version.dll"), hModule);
    FreeLibrary(hModule);
#endif
}

TEST(Collections, TheMapDestroysEachValueOnce)
{
    CCounted::s_nDeleted = 0;
    CCounted* pShared = new CCounted;
    {
        CTypedMapStrToPtrEx<CCounted*> map;
        map.SetAt("Склад", pShared);
        map.SetAt("Магазин", pShared);
        map.SetAt("Пусто", nullptr);
        map.SetAt("Офис", new CCounted);
        EXPECT_EQ(map.DestroyKey("Нет такого"), 0);
        // The other key that held the object holds null now.
        EXPECT_NE(map.DestroyKey("Склад"), 0);
        EXPECT_EQ(CCounted::s_nDeleted, 1);
        ASSERT_TRUE(map.Lookup("Магазин", pShared));
        EXPECT_EQ(pShared, nullptr);
        // Replacing deletes the old value, but never the value stored again.
        CCounted* pNew = new CCounted;
        map.ReplaceAt("Офис", pNew);
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
TEST(Collections, DocumentsAreDestroyedOnceAndBitmapsFoundByEitherHandle)
{
    struct CCountedDocument : CDocument {
        ~CCountedDocument() override { ++CCounted::s_nDeleted; }
    };
    CCounted::s_nDeleted = 0;
    CCloseDocPtrArrayEx* pDocs = new CCloseDocPtrArrayEx;
    CCountedDocument* pDoc = new CCountedDocument;
    for (CDocument* p : {(CDocument*)pDoc, (CDocument*)new CCountedDocument, (CDocument*)pDoc})
        pDocs->Add(p);
    delete pDocs;
    EXPECT_EQ(CCounted::s_nDeleted, 2);

    CMapStrToPtrSBitmapEx map;
    CBitmapEx *pBitmap = new CBitmapEx, *pIcon = new CBitmapEx;
    ASSERT_TRUE(pBitmap->CreateBitmap(4, 4, 1, 32, NULL));
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
