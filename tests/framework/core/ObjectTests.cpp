// Run-time classes (IsKindOf, registration and look-up by name, dynamic
// creation) and the exception objects with their TRY/CATCH macros.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "afxcoll.h"

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

TEST(RuntimeClass, KindOfFollowsTheBaseChain)
{
    CTestSquare square;
    EXPECT_EQ(square.GetRuntimeClass(), RUNTIME_CLASS(CTestSquare));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CTestSquare)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(square.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_FALSE(square.IsKindOf(NULL));
    EXPECT_FALSE(RUNTIME_CLASS(CTestShape)->IsDerivedFrom(RUNTIME_CLASS(CTestSquare)));
    EXPECT_STREQ(RUNTIME_CLASS(CTestSquare)->m_lpszClassName, "CTestSquare");
    EXPECT_EQ(RUNTIME_CLASS(CTestSquare)->m_pBaseClass, RUNTIME_CLASS(CTestShape));

    CMemFile file;
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_STREQ(file.GetRuntimeClass()->m_lpszClassName, "CMemFile");
}

TEST(RuntimeClass, FromNameFindsRegisteredClasses)
{
    EXPECT_EQ(CRuntimeClass::FromName("CTestShape"), RUNTIME_CLASS(CTestShape));
    EXPECT_EQ(CRuntimeClass::FromName("CTestSquare"), RUNTIME_CLASS(CTestSquare));
    EXPECT_EQ(CRuntimeClass::FromName("CFileException"), RUNTIME_CLASS(CFileException));
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(NULL), nullptr);
    EXPECT_EQ(AfxFindRuntimeClass("CStringArray"), RUNTIME_CLASS(CStringArray));

    // Each class is in the list once.
    int nFound = 0;
    for (CRuntimeClass* p = AfxGetFirstRuntimeClass(); p != NULL; p = p->m_pNextClass) {
        if (std::strcmp(p->m_lpszClassName, "CTestSquare") == 0)
            nFound++;
    }
    EXPECT_EQ(nFound, 1);
}

TEST(RuntimeClass, DynamicCreation)
{
    CObject* pObject = CRuntimeClass::CreateObject("CTestSquare");
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestSquare)));
    EXPECT_EQ(static_cast<CTestSquare*>(pObject)->m_nSides, 4);
    delete pObject;

    EXPECT_EQ(RUNTIME_CLASS(CTestShape)->CreateObject(), nullptr);  // not dynamically creatable
    EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}

TEST(Exceptions, ThrownAsPointersAndDeleted)
{
    int nCaught = 0;
    try {
        AfxThrowFileException(CFileException::diskFull, 28, "отчёт.txt");
    } catch (CException* e) {
        nCaught++;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        CFileException* pFile = static_cast<CFileException*>(e);
        EXPECT_EQ(pFile->m_cause, CFileException::diskFull);
        EXPECT_EQ(pFile->m_lOsError, 28);
        EXPECT_STREQ(pFile->m_strFileName, "отчёт.txt");
        e->Delete();
    }
    try {
        AfxThrowArchiveException(CArchiveException::badIndex, "архив");
    } catch (CArchiveException* e) {
        nCaught++;
        EXPECT_EQ(e->m_cause, CArchiveException::badIndex);
        EXPECT_STREQ(e->m_strFileName, "архив");
        e->Delete();
    }
    try {
        AfxThrowNotSupportedException();
    } catch (CSimpleException* e) {
        nCaught++;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
        e->Delete();
    }
    EXPECT_EQ(nCaught, 3);
}

TEST(Exceptions, MemoryExceptionIsStaticAndSurvivesDelete)
{
    CMemoryException* pFirst = NULL;
    for (int i = 0; i < 2; i++) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            if (pFirst == NULL)
                pFirst = e;
            EXPECT_EQ(e, pFirst);
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();  // leaves the shared object alone
        }
    }
    char sz[64];
    EXPECT_TRUE(pFirst->GetErrorMessage(sz, sizeof(sz)));
    EXPECT_STREQ(sz, "Недостаточно памяти.");
}

TEST(Exceptions, ErrorMessagesAreCutToTheBuffer)
{
    CInvalidArgException e(FALSE);
    char sz[8];
    UINT nHelp = 99;
    EXPECT_TRUE(e.GetErrorMessage(sz, sizeof(sz), &nHelp));
    EXPECT_EQ(std::strlen(sz), 7u);
    EXPECT_EQ(nHelp, 0u);
    EXPECT_FALSE(e.GetErrorMessage(sz, 0));
    EXPECT_FALSE(e.GetErrorMessage(NULL, 10));

    CFileException fe(CFileException::fileNotFound, 2, "C:\\данные\\список.txt");
    fe.m_bAutoDelete = FALSE;
    char szMessage[256];
    EXPECT_TRUE(fe.GetErrorMessage(szMessage, sizeof(szMessage)));
    EXPECT_STREQ(szMessage, "Файл C:\\данные\\список.txt не найден.");
    CArchiveException ae(CArchiveException::endOfFile, "");
    ae.m_bAutoDelete = FALSE;
    EXPECT_TRUE(ae.GetErrorMessage(szMessage, sizeof(szMessage)));
    EXPECT_STREQ(szMessage, "Неожиданный конец архива (без имени).");
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

TEST(DumpContext, WritesToAFileOrNowhere)
{
    CMemFile file;
    CDumpContext dc(&file);
    CTestShape shape;
    dc << "n=" << 5 << " " << &shape;
    ULONGLONG nLength = file.GetLength();
    std::string text((size_t)nLength, '\0');
    file.SeekToBegin();
    file.Read(&text[0], (UINT)nLength);
    EXPECT_EQ(text.rfind("n=5 a CTestShape at ", 0), 0u) << text;

    CDumpContext nowhere;
    nowhere << "ignored" << 1.5 << &shape;
    EXPECT_EQ(nowhere.GetDepth(), 0);
}

}  // namespace
