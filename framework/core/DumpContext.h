// CDumpContext: the text sink of CObject::Dump, writing to a CFile or nowhere.
#pragma once

#include "Object.h"

class CFile;

class FRAMEWORK_API CDumpContext {
public:
    explicit CDumpContext(CFile* pFile = NULL);

    CDumpContext(const CDumpContext&) = delete;
    CDumpContext& operator=(const CDumpContext&) = delete;

    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }

    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(LONGLONG n);
    CDumpContext& operator<<(ULONGLONG n);
    CDumpContext& operator<<(double d);
    // Dumps the object itself.
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);

    void Flush();

protected:
    void OutputString(LPCSTR lpsz);

    int m_nDepth;
    CFile* m_pFile;
};
