// Run-time classes (IsKindOf, registration and look-up by name, dynamic
// creation) and the exception objects with their TRY/CATCH macros.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <afxcoll.h>

// Test classes at namespace scope, as hosts declare theirs.
class CTestShape : public CObject {
    DECLARE_DYNAMIC(CTestShape)
public:
    int m_nSides = 0;
};

class CTestSquare : public CTestShape {
    DECLARE_DYNCREATE(CTestSquare)
public:
    CTestSquare() { m_nSides = 4; }
};

IMPLEMENT_DYNAMIC(CTestShape, CObject)
IMPLEMENT_DYNCREATE(CTestSquare, CTestShape)

namespace {

TEST(RuntimeClass, KindOfFollowsTheBaseChainAndNamesFindAndCreateClasses)
{
    CTestSquare square;
    EXPECT_EQ(square.GetRuntimeClass(), RUNTIME_CLASS(CTestSquare));
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CTestSquare), RUNTIME_CLASS(CTestShape), RUNTIME_CLASS(CObject)})
        EXPECT_TRUE(square.IsKindOf(pClass)) << pClass->m_lpszClassName;
    EXPECT_FALSE(square.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_FALSE(square.IsKindOf(NULL));
    EXPECT_FALSE(RUNTIME_CLASS(CTestShape)->IsDerivedFrom(RUNTIME_CLASS(CTestSquare)));
    CMemFile file;
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_STREQ(file.GetRuntimeClass()->m_lpszClassName, "CMemFile");
    // Found by name, registered once, created by name when the class allows it.
    EXPECT_EQ(CRuntimeClass::FromName("CTestSquare"), RUNTIME_CLASS(CTestSquare));
    EXPECT_EQ(CRuntimeClass::FromName("CFileException"), RUNTIME_CLASS(CFileException));
    EXPECT_EQ(AfxFindRuntimeClass("CStringArray"), RUNTIME_CLASS(CStringArray));
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(NULL), nullptr);
    int nFound = 0;
    for (CRuntimeClass* p = AfxGetFirstRuntimeClass(); p != NULL; p = p->m_pNextClass)
        nFound += std::strcmp(p->m_lpszClassName, "CTestSquare") == 0;
    EXPECT_EQ(nFound, 1);

    CObject* pObject = CRuntimeClass::CreateObject("CTestSquare");
    ASSERT_NE(pObject, nullptr);
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestSquare)));
    EXPECT_EQ(static_cast<CTestSquare*>(pObject)->m_nSides, 4);
    delete pObject;
    EXPECT_EQ(RUNTIME_CLASS(CTestShape)->CreateObject(), nullptr);  // not dynamically creatable
    EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}

TEST(Exceptions, ThrownAsPointersWithTheirDetailsAndMessages)
{
    try {
        AfxThrowFileException(CFileException::diskFull, 28, "отчёт.txt");
    } catch (CException* e) {
        CFileException* pFile = static_cast<CFileException*>(e);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)) && pFile->m_cause == CFileException::diskFull &&
                    pFile->m_lOsError == 28 && pFile->m_strFileName == "отчёт.txt");
        e->Delete();
    }
    // The memory exception is one static object that Delete leaves alone.
    CMemoryException* pFirst = NULL;
    for (int i = 0; i < 2; i++) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            pFirst = pFirst != NULL ? pFirst : e;
            EXPECT_TRUE(e == pFirst && !e->m_bAutoDelete);
            e->Delete();
        }
    }
    char sz[256];
    EXPECT_TRUE(pFirst->GetErrorMessage(sz, sizeof(sz)));
    EXPECT_STREQ("Недостаточно памяти.", sz);
    CFileException fe(CFileException::fileNotFound, 2, "C:\\данные\\список.txt");
    fe.m_bAutoDelete = FALSE;
    EXPECT_TRUE(fe.GetErrorMessage(sz, sizeof(sz)));
    EXPECT_STREQ("Файл C:\\данные\\список.txt не найден.", sz);
    CArchiveException ae(CArchiveException::endOfFile, "");
    ae.m_bAutoDelete = FALSE;
    EXPECT_TRUE(ae.GetErrorMessage(sz, sizeof(sz)));
    EXPECT_STREQ("Неожиданный конец архива (без имени).", sz);
    // Messages are cut to the buffer; no buffer, no message.
    CInvalidArgException ie(FALSE);
    UINT nHelp = 99;
    EXPECT_TRUE(ie.GetErrorMessage(sz, 8, &nHelp));
    EXPECT_EQ(7u, std::strlen(sz));
    EXPECT_EQ(0u, nHelp);
    EXPECT_FALSE(ie.GetErrorMessage(sz, 0) || ie.GetErrorMessage(NULL, 10));
}

TEST(Exceptions, TryCatchMacrosDeleteTheException)
{
    int nPath = 0;
    TRY
    {
        AfxThrowInvalidArgException();
    }
    CATCH(CFileException, e)
    {
        nPath = 1;
    }
    AND_CATCH(CInvalidArgException, e)
    {
        nPath = 2;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
    }
    END_CATCH
    EXPECT_EQ(nPath, 2);  // the sanitizer's leak check sees the exception deleted

    nPath = 0;
    try {
        TRY
        {
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        CATCH_ALL(e)
        {
            nPath = 1;
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CArchiveException* e) {
        // Passed on with THROW_LAST: still alive here.
        EXPECT_EQ(e->m_cause, CArchiveException::badClass);
        nPath++;
        e->Delete();
    }
    EXPECT_EQ(nPath, 2);
}

}  // namespace
