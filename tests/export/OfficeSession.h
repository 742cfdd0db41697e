// The office stand-in in the tests: registered in the test prefix while the
// test program runs, and one export's folder with the table, the journal, the
// object count and the documents the application saved.
#pragma once

#include "ToolRun.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace support {

// Registers the stand-in (or removes its registration) with its own
// /regserver (/unregserver); true when it said it did.
bool RegisterOfficeStandin(bool bRegister);

// One export: a fresh folder, named to the stand-in through the environment
// for the life of the object.
class COfficeCase {
public:
    COfficeCase();
    ~COfficeCase();
    COfficeCase(const COfficeCase&) = delete;
    COfficeCase& operator=(const COfficeCase&) = delete;

    const std::filesystem::path& GetDir() const { return m_dir.GetPath(); }
    // The call to fail, as EXTKIT_OFFICE_FAIL takes it (UTF-8).
    void SetFailure(const std::string& strSpec);
    // The journal's lines; none when no call arrived.
    std::vector<std::string> ReadJournal() const;
    // Waits (bounded) until the application has let every object go; the
    // last count it wrote goes into strCount.
    bool WaitAllReleased(std::string& strCount) const;
    // The documents saved, by name.
    std::vector<std::filesystem::path> GetSaved() const;

private:
    CTempDir m_dir;
};

// Notes every message box that comes up on this thread while it lives
// (caption, then text, split by a tab, in UTF-8) and closes it with its OK
// button.
class CBoxRecorder {
public:
    CBoxRecorder();
    ~CBoxRecorder();
    CBoxRecorder(const CBoxRecorder&) = delete;
    CBoxRecorder& operator=(const CBoxRecorder&) = delete;

    // Stops watching; the boxes seen.
    std::vector<std::string> Stop();

private:
    HANDLE m_hStop;
    HANDLE m_hThread = nullptr;
    std::vector<std::string> m_boxes;
};

std::string ReadFileBytes(const std::filesystem::path& path);
std::wstring Utf8ToWide(const std::string& strUtf8);
// Text of this process's code page (the library's) as UTF-8.
std::string AnsiToUtf8(const std::string& strAnsi);

}  // namespace support
