// CMappingFile: a CFile whose whole open file can be mapped into memory and
// read or written byte by byte in place. The host opens the file through the
// CFile operations, maps it with OpenMap, uses operator[], and unmaps it with
// CloseMap, Close, Abort or the destructor, each of which unmaps before the
// file is closed. Files of 4 GiB or more are not mapped.
#pragma once

#include <afx.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CMappingFile : public CFile {
    DECLARE_DYNAMIC(CMappingFile)
public:
    CMappingFile();
    // Opens the file as the CFile constructor does, and throws as it does.
    CMappingFile(const char* pszFileName, UINT nOpenFlags);
    virtual ~CMappingFile();

    // Maps the whole file: writable when nFlags has CFile::modeReadWrite (the
    // file must then be open for writing too), read-only otherwise. False,
    // and nothing mapped, for a file that is not open, an empty file, one of
    // 4 GiB or more, or when the system refuses. A map held already is
    // released first.
    bool OpenMap(UINT nFlags);
    // The byte at that offset of the map; the caller keeps the offset below
    // the file's length and maps first.
    BYTE& operator[](DWORD dwOffset) { return m_pView[dwOffset]; }
    // Releases the map; harmless when there is none.
    void CloseMap();

    virtual void Close();
    virtual void Abort();

protected:
    HANDLE m_hMapping;  // the mapping (on POSIX systems a marker that a map is held)
    BYTE* m_pView;      // the mapped bytes, null while not mapped
#ifndef _WIN32
    SIZE_T m_nViewSize;  // what munmap must be told
#endif
};
