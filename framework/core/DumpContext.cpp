// CDumpContext: diagnostic text to a CFile, or nowhere without one.
#include "DumpContext.h"

#include <cstdio>
#include <cstring>

#include "File.h"

CDumpContext::CDumpContext(CFile* pFile) : m_nDepth(0), m_pFile(pFile) {}

void CDumpContext::OutputString(LPCSTR lpsz)
{
    if (m_pFile != NULL && lpsz != NULL)
        m_pFile->Write(lpsz, (UINT)std::strlen(lpsz));
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    OutputString(lpsz != NULL ? lpsz : "(NULL)");
    return *this;
}

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "$%p", lp);
    OutputString(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(int n)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%d", n);
    OutputString(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(UINT u)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%u", u);
    OutputString(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(LONGLONG n)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%lld", (long long)n);
    OutputString(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(ULONGLONG n)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%llu", (unsigned long long)n);
    OutputString(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(double d)
{
    char sz[64];
    std::snprintf(sz, sizeof(sz), "%g", d);
    OutputString(sz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == NULL)
        OutputString("NULL");
    else
        pOb->Dump(*this);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    ob.Dump(*this);
    return *this;
}

void CDumpContext::Flush()
{
    if (m_pFile != NULL)
        m_pFile->Flush();
}
