// Reads a whole file, named in UTF-8, in large blocks, a second thread reading
// ahead while the caller works on the blocks already read.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum EFileBlocksResult {
    fileBlocksDone,
    fileBlocksNotFound,
    fileBlocksAccessDenied,
    fileBlocksIsDirectory,
    fileBlocksReadError
};

typedef std::function<void(const unsigned char*, size_t)> FileBlockHandler;

// Hands the file's content to onBlock in order, in blocks of any size, always
// on the calling thread. When a read fails part way, the blocks before it have
// been handed over and the result is fileBlocksReadError. An exception from
// onBlock passes on after the read-ahead thread has ended.
EFileBlocksResult ReadFileBlocks(const std::string& strNameUtf8, const FileBlockHandler& onBlock);
// The same for the standard input, read to its end.
EFileBlocksResult ReadStdinBlocks(const FileBlockHandler& onBlock);
// What went wrong, for a message that names the file after it (Windows-1251).
const char* FileBlocksFailureText(EFileBlocksResult eResult);

// Where the blocks come from: an open file, or anything else read by position.
class CBlockSource {
public:
    virtual ~CBlockSource() {}
    // Up to nLength bytes at nOffset: the count read, 0 at the end, -1 on failure.
    // With a read-ahead thread it is called from two threads at once.
    virtual long long ReadAt(unsigned long long nOffset, unsigned char* pBuffer, size_t nLength) = 0;
};

struct CBlockPlan {
    size_t m_nBlockSize;  // bytes per read block
    int m_nBuffers;       // blocks in flight with a read-ahead thread (at least 2)
    bool m_bReadAhead;    // false: one thread, reads strictly in order
};

// The plan ReadFileBlocks uses for a regular file of nFileSize bytes.
CBlockPlan GetFilePlan(unsigned long long nFileSize);

// The engine of ReadFileBlocks: block after block from the source, each filled
// completely unless the data ends in it. Returns false when a read failed
// before the end of the data.
bool ReadBlocks(CBlockSource& source, const CBlockPlan& plan, const FileBlockHandler& onBlock);
