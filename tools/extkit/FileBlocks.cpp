// A file in the system's cache is copied out by the kernel more slowly than the
// checksum runs, so reading and checksumming in turn takes the sum of both.
// Both threads therefore read: a helper reads blocks ahead into a ring of
// buffers all the time, and the caller takes the next block when it is ready
// and otherwise reads one itself instead of waiting. Handing blocks over is
// cheap only when it is rare (waking a sleeping thread costs tens of
// microseconds here, and spinning is worse under a hypervisor), hence blocks
// of a megabyte. The buffers start on page boundaries: the kernel's copy runs
// several times slower into misaligned ones. Mapping the file instead costs
// as much in page faults as the copy, and the checksum then runs slower on the
// freshly mapped pages.
#include "FileBlocks.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#ifdef _WIN32
#    define WIN32_LEAN_AND_MEAN
#    include <windows.h>
#else
#    include <cerrno>
#    include <fcntl.h>
#    include <sys/stat.h>
#    include <unistd.h>
#endif

namespace {
const size_t c_nBlockSize = 1024 * 1024;
const int c_nBuffers = 4;
const size_t c_nPage = 4096;
// Below this a second thread costs more than it saves.
const unsigned long long c_nReadAheadFrom = 4 * c_nBlockSize;

// Reads until nLength bytes are there or the data ends.
bool FillBlock(CBlockSource& source, unsigned long long nOffset, unsigned char* pBuffer, size_t nLength,
               size_t& nFilled)
{
    nFilled = 0;
    while (nFilled < nLength) {
        const long long nRead = source.ReadAt(nOffset + nFilled, pBuffer + nFilled, nLength - nFilled);
        if (nRead < 0)
            return false;
        if (nRead == 0)
            break;
        nFilled += (size_t)nRead;
    }
    return true;
}

unsigned char* PageAligned(unsigned char* p)
{
    return p + (c_nPage - reinterpret_cast<uintptr_t>(p) % c_nPage) % c_nPage;
}

enum ESlotState { slotFree, slotReading, slotReady, slotFailed };

struct CSlot {
    unsigned char* m_pData;
    unsigned long long m_nBlock;  // the block it holds or is being read into
    size_t m_nLength;
    ESlotState m_eState;
};

// The state both threads share, guarded by m_mutex. Block n goes into slot
// n % count, which is free once block n - count has been handed over.
class CReadAhead {
public:
    CReadAhead(CBlockSource& source, size_t nBlockSize, std::vector<CSlot>& slots)
        : m_source(source), m_nBlockSize(nBlockSize), m_slots(slots)
    {
    }

    // The caller's side: hands the blocks over in order.
    bool Run(const FileBlockHandler& onBlock)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            if (m_nNextHand > m_nLast)
                return true;
            CSlot& slot = SlotOf(m_nNextHand);
            if (slot.m_nBlock == m_nNextHand && slot.m_eState == slotReady) {
                lock.unlock();
                if (slot.m_nLength != 0)
                    onBlock(slot.m_pData, slot.m_nLength);
                lock.lock();
                slot.m_eState = slotFree;
                ++m_nNextHand;
                m_cvHelper.notify_one();
                continue;
            }
            if (slot.m_nBlock == m_nNextHand && slot.m_eState == slotFailed)
                return false;
            unsigned long long nBlock;
            if (Claim(nBlock)) {
                ReadClaimed(lock, nBlock);
                continue;
            }
            // The helper is reading the next block and every other slot is taken.
            m_cvCaller.wait(lock);
        }
    }

    // The helper's side: reads ahead until there is nothing left or it is stopped.
    void Help()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            if (m_bStop || m_nNextRead > m_nLast)
                return;
            unsigned long long nBlock;
            if (Claim(nBlock))
                ReadClaimed(lock, nBlock);
            else
                m_cvHelper.wait(lock);
        }
    }

    void Stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bStop = true;
        }
        m_cvHelper.notify_one();
    }

private:
    CSlot& SlotOf(unsigned long long nBlock) { return m_slots[(size_t)(nBlock % m_slots.size())]; }

    bool Claim(unsigned long long& nBlock)
    {
        if (m_bStop || m_nNextRead > m_nLast || m_nNextRead >= m_nNextHand + m_slots.size())
            return false;
        nBlock = m_nNextRead++;
        CSlot& slot = SlotOf(nBlock);
        slot.m_nBlock = nBlock;
        slot.m_eState = slotReading;
        return true;
    }

    // Reads a claimed block with the lock released; the slot's buffer is this
    // thread's alone until it is marked ready.
    void ReadClaimed(std::unique_lock<std::mutex>& lock, unsigned long long nBlock)
    {
        CSlot& slot = SlotOf(nBlock);
        lock.unlock();
        size_t nFilled = 0;
        const bool bRead = FillBlock(m_source, nBlock * m_nBlockSize, slot.m_pData, m_nBlockSize, nFilled);
        lock.lock();
        slot.m_nLength = nFilled;
        slot.m_eState = bRead ? slotReady : slotFailed;
        // The data ends in this block (or breaks off): nothing after it counts.
        if ((!bRead || nFilled < m_nBlockSize) && nBlock < m_nLast)
            m_nLast = nBlock;
        if (nBlock == m_nNextHand)
            m_cvCaller.notify_one();
    }

    CBlockSource& m_source;
    const size_t m_nBlockSize;
    std::vector<CSlot>& m_slots;
    std::mutex m_mutex;
    std::condition_variable m_cvCaller, m_cvHelper;
    unsigned long long m_nNextRead = 0;       // the next block to claim for reading
    unsigned long long m_nNextHand = 0;       // the next block to hand over
    unsigned long long m_nLast = UINT64_MAX;  // the block the data ends in, once known
    bool m_bStop = false;
};

// Stops and joins the helper however the caller's side ends.
class CHelperThread {
public:
    explicit CHelperThread(CReadAhead& readAhead) : m_readAhead(readAhead)
    {
        try {
            m_thread = std::thread(&CReadAhead::Help, &readAhead);
        } catch (const std::system_error&) {
            // No thread to be had: the caller reads everything itself.
        }
    }
    ~CHelperThread()
    {
        if (m_thread.joinable()) {
            m_readAhead.Stop();
            m_thread.join();
        }
    }
    CHelperThread(const CHelperThread&) = delete;
    CHelperThread& operator=(const CHelperThread&) = delete;

private:
    CReadAhead& m_readAhead;
    std::thread m_thread;
};

class CFileSource : public CBlockSource {
public:
#ifdef _WIN32
    CFileSource(HANDLE hFile, bool bPositional) : m_hFile(hFile), m_bPositional(bPositional) {}
    virtual long long ReadAt(unsigned long long nOffset, unsigned char* pBuffer, size_t nLength)
    {
        const DWORD nWant = nLength > 0x40000000u ? 0x40000000u : (DWORD)nLength;
        DWORD nRead = 0;
        OVERLAPPED overlapped = {};
        overlapped.Offset = (DWORD)nOffset;
        overlapped.OffsetHigh = (DWORD)(nOffset >> 32);
        if (ReadFile(m_hFile, pBuffer, nWant, &nRead, m_bPositional ? &overlapped : NULL))
            return (long long)nRead;
        // The end of a file read by offset, and of a pipe whose writer is gone.
        const DWORD nError = GetLastError();
        return nError == ERROR_HANDLE_EOF || nError == ERROR_BROKEN_PIPE ? 0 : -1;
    }

private:
    HANDLE m_hFile;
#else
    CFileSource(int fd, bool bPositional) : m_fd(fd), m_bPositional(bPositional) {}
    virtual long long ReadAt(unsigned long long nOffset, unsigned char* pBuffer, size_t nLength)
    {
        for (;;) {
            const ssize_t nRead =
                m_bPositional ? pread(m_fd, pBuffer, nLength, (off_t)nOffset) : read(m_fd, pBuffer, nLength);
            if (nRead >= 0)
                return nRead;
            if (errno != EINTR)
                return -1;
        }
    }

private:
    int m_fd;
#endif
    // Without a read-ahead thread the reads come in order and need no offsets.
    bool m_bPositional;
};

#ifdef _WIN32
EFileBlocksResult FromWinError(DWORD nError)
{
    switch (nError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return fileBlocksNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return fileBlocksAccessDenied;
    default:
        return fileBlocksReadError;
    }
}
#endif
}  // namespace

CBlockPlan GetFilePlan(unsigned long long nFileSize)
{
    CBlockPlan plan;
    plan.m_nBlockSize = c_nBlockSize;
    plan.m_nBuffers = c_nBuffers;
    plan.m_bReadAhead = nFileSize >= c_nReadAheadFrom;
    return plan;
}

bool ReadBlocks(CBlockSource& source, const CBlockPlan& plan, const FileBlockHandler& onBlock)
{
    const size_t nBlockSize = plan.m_nBlockSize;
    if (!plan.m_bReadAhead) {
        std::unique_ptr<unsigned char[]> storage(new unsigned char[nBlockSize + c_nPage]);
        unsigned char* const pBuffer = PageAligned(storage.get());
        for (unsigned long long nOffset = 0;;) {
            size_t nFilled = 0;
            if (!FillBlock(source, nOffset, pBuffer, nBlockSize, nFilled))
                return false;
            if (nFilled != 0)
                onBlock(pBuffer, nFilled);
            if (nFilled < nBlockSize)
                return true;
            nOffset += nFilled;
        }
    }

    const size_t nSlots = plan.m_nBuffers < 2 ? 2 : (size_t)plan.m_nBuffers;
    // Whole pages per block keep every buffer aligned.
    const size_t nStride = (nBlockSize + c_nPage - 1) / c_nPage * c_nPage;
    std::unique_ptr<unsigned char[]> storage(new unsigned char[nSlots * nStride + c_nPage]);
    unsigned char* const pBase = PageAligned(storage.get());
    std::vector<CSlot> slots(nSlots);
    for (size_t i = 0; i < nSlots; ++i)
        slots[i] = CSlot{pBase + i * nStride, UINT64_MAX, 0, slotFree};

    CReadAhead readAhead(source, nBlockSize, slots);
    CHelperThread helper(readAhead);
    return readAhead.Run(onBlock);
}

EFileBlocksResult ReadFileBlocks(const std::string& strNameUtf8, const FileBlockHandler& onBlock)
{
#ifdef _WIN32
    // Names go to the system in UTF-16, so any name that can be typed can be opened.
    const int nWide = MultiByteToWideChar(CP_UTF8, 0, strNameUtf8.c_str(), -1, NULL, 0);
    if (nWide <= 1)
        return fileBlocksNotFound;
    std::wstring strWide(nWide - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strNameUtf8.c_str(), -1, &strWide[0], nWide);

    const DWORD nAttributes = GetFileAttributesW(strWide.c_str());
    if (nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return fileBlocksIsDirectory;
    HANDLE hFile = CreateFileW(strWide.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FromWinError(GetLastError());
    // Pipes and devices are read in order by one thread.
    LARGE_INTEGER nSize;
    if (GetFileType(hFile) != FILE_TYPE_DISK || !GetFileSizeEx(hFile, &nSize))
        nSize.QuadPart = 0;
    const CBlockPlan plan = GetFilePlan((unsigned long long)nSize.QuadPart);
    CFileSource source(hFile, plan.m_bReadAhead);
    bool bRead = false;
    try {
        bRead = ReadBlocks(source, plan, onBlock);
    } catch (...) {
        CloseHandle(hFile);
        throw;
    }
    CloseHandle(hFile);
#else
    const int fd = open(strNameUtf8.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return fileBlocksNotFound;
        if (errno == EACCES || errno == EPERM)
            return fileBlocksAccessDenied;
        return fileBlocksReadError;
    }
    struct stat st;
    const bool bStat = fstat(fd, &st) == 0;
    if (bStat && S_ISDIR(st.st_mode)) {
        close(fd);
        return fileBlocksIsDirectory;
    }
    const bool bRegular = bStat && S_ISREG(st.st_mode);
#    ifdef POSIX_FADV_SEQUENTIAL
    if (bRegular)
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#    endif
    // Pipes, devices and the kernel's own files (under /proc, which show a
    // size of 0) are read in order by one thread.
    const CBlockPlan plan = GetFilePlan(bRegular ? (unsigned long long)st.st_size : 0);
    CFileSource source(fd, plan.m_bReadAhead);
    bool bRead = false;
    try {
        bRead = ReadBlocks(source, plan, onBlock);
    } catch (...) {
        close(fd);
        throw;
    }
    close(fd);
#endif
    return bRead ? fileBlocksDone : fileBlocksReadError;
}

EFileBlocksResult ReadStdinBlocks(const FileBlockHandler& onBlock)
{
    // Whatever the standard input is, it is read in order by one thread.
#ifdef _WIN32
    CFileSource source(GetStdHandle(STD_INPUT_HANDLE), false);
#else
    CFileSource source(0, false);
#endif
    return ReadBlocks(source, GetFilePlan(0), onBlock) ? fileBlocksDone : fileBlocksReadError;
}

const char* FileBlocksFailureText(EFileBlocksResult eResult)
{
    switch (eResult) {
    case fileBlocksNotFound:
        return "нет такого файла: ";
    case fileBlocksAccessDenied:
        return "нет доступа к файлу: ";
    case fileBlocksIsDirectory:
        return "это папка, а не файл: ";
    default:
        return "ошибка чтения файла: ";
    }
}
