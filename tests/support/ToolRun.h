// Running the extkit command-line tool from a test, as a user's shell would:
// a separate process with its own arguments, standard input and exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace support {

struct CToolRun {
    int m_nStatus = -1;    // the exit status; -1 when the tool could not run
    std::string m_strOut;  // standard output, "\r" removed
    std::string m_strErr;  // standard error, "\r" removed
};

// The tool, built into the same folder as the test program.
std::filesystem::path ToolPath();

// Runs the tool with args (UTF-8) and strInput (bytes) as its standard input.
// The output goes through files in dir, which must exist.
CToolRun RunTool(const std::filesystem::path& dir, const std::vector<std::string>& args,
                 const std::string& strInput = std::string());

// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
class CTempDir {
public:
    explicit CTempDir(const char* pszPrefix);
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& GetPath() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace support
