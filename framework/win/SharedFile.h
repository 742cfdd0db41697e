// CSharedFile: a memory file kept in a global memory block, so that what was
// written can be handed to the clipboard or to an OLE data source as an
// HGLOBAL, and a block received from them can be read as a file.
#pragma once

#include "win/Platform.h"
#include "core/File.h"

class FRAMEWORK_API CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    // nAllocFlags are the GlobalAlloc flags of the blocks the file makes; a
    // growth step of 0 means the default, 4096 bytes.
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    // Frees the block the file still owns.
    virtual ~CSharedFile();

    // Hands the block to the caller, unlocked and trimmed to the file's
    // length; the file is left empty. NULL when the file holds no block.
    HGLOBAL Detach();
    // Takes hGlobalMemory as the file's content (GlobalSize bytes, position 0).
    // The file owns the block from now on: Close or the destructor frees it
    // unless it is detached first. Without bAllowGrow, writing past the
    // block's size throws CMemoryException.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

    // Frees the block the file owns and leaves the file empty.
    virtual void Close();
    virtual void Abort();

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;  // the block behind m_lpBuffer (locked while held)
    BOOL m_bAllowGrow;
    SIZE_T m_nDefaultGrowBytes;  // growth restored after a fixed-size SetHandle
};
