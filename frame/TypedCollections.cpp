// The non-template owning collections: the module-handle array and the
// sorted string array.
#include "frame/TypedCollections.h"

CHInstanceDllArrayEx::CHInstanceDllArrayEx() {}

CHInstanceDllArrayEx::~CHInstanceDllArrayEx() {}

CSortedStringArray::CSortedStringArray(bool bAllowDuplicates) : m_bAllowDuplicates(bAllowDuplicates) {}

CSortedStringArray::~CSortedStringArray() {}

int CSortedStringArray::AddSort(const char* psz)
{
    int nIndex = 0;
    if (FindIndex(psz, nIndex) && !m_bAllowDuplicates)
        return nIndex;
    InsertAt(nIndex, CString(psz));
    return nIndex;
}

bool CSortedStringArray::FindIndex(const char* psz, int& nIndex)
{
    int nLow = 0;
    int nHigh = static_cast<int>(GetSize()) - 1;
    bool bFound = false;
    while (nLow <= nHigh) {
        const int nMid = nLow + (nHigh - nLow) / 2;
        const int nCompare = GetAt(nMid).Compare(psz);
        if (nCompare < 0) {
            nLow = nMid + 1;
            continue;
        }
        nHigh = nMid - 1;
        if (nCompare == 0) {
            bFound = true;
            // Without duplicates the match is the answer.
            if (!m_bAllowDuplicates)
                nLow = nMid;
        }
    }
    nIndex = nLow;
    return bFound;
}
