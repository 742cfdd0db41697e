// The mapped file on real files: reading and writing in place, the maps
// refused (empty file, file not open, a writable map of a read-only file),
// and the map released before the file is closed, also when mapped twice.
#include "frame/MappingFile.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#ifdef _WIN32
#    include <windows.h>
#endif

namespace {

class MappingFileTest : public ::testing::Test {
protected:
    std::string Path(const char* pszName) const { return (m_dir.GetPath() / pszName).string(); }

    std::string Write(const char* pszName, const std::string& strContent) const
    {
        const std::string strPath = Path(pszName);
        std::ofstream(strPath, std::ios::binary) << strContent;
        return strPath;
    }

    static std::string Read(const std::string& strPath)
    {
        std::ifstream in(strPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // How many of the process's maps show the file (natively, from
    // /proc/self/maps; -1 where that cannot be seen).
    static int MapsOf(const std::string& strPath)
    {
#ifdef _WIN32
        return -1;
#else
        std::ifstream maps("/proc/self/maps");
        std::string strLine;
        int nCount = 0;
        while (std::getline(maps, strLine)) {
            if (strLine.size() >= strPath.size() &&
                strLine.compare(strLine.size() - strPath.size(), strPath.size(), strPath) == 0)
                ++nCount;
        }
        return nCount;
#endif
    }

    support::CTempDir m_dir{"extkit-mapping"};
};

}  // namespace

TEST_F(MappingFileTest, ReadsTheFilesBytesInPlace)
{
    const std::string strContent = "Накладная № 17 от 14.11.2026\n\x00\xFF";
    const std::string strPath = Write("read.txt", strContent);
    CMappingFile file(strPath.c_str(), CFile::modeRead);
    ASSERT_TRUE(file.OpenMap(CFile::modeRead));
    std::string strSeen;
    for (DWORD i = 0; i < strContent.size(); ++i)
        strSeen += static_cast<char>(file[i]);
    EXPECT_EQ(strSeen, strContent);
    // A writable map needs a file open for writing.
    EXPECT_FALSE(file.OpenMap(CFile::modeReadWrite));
}

TEST_F(MappingFileTest, WritesThroughTheMapReachTheFile)
{
    const std::string strPath = Write("write.bin", "ABCDEFGH");
    {
        CMappingFile file(strPath.c_str(), CFile::modeReadWrite);
        ASSERT_TRUE(file.OpenMap(CFile::modeReadWrite));
        file[0] = 'x';
        file[7] = '!';
        EXPECT_NE(MapsOf(strPath), 0);
        file.Close();
        EXPECT_LE(MapsOf(strPath), 0);
    }
    EXPECT_EQ(Read(strPath), "xBCDEFG!");
#ifdef _WIN32
    // Nothing holds the file any more.
    EXPECT_TRUE(DeleteFileA(strPath.c_str()));
#endif
}

TEST_F(MappingFileTest, RefusesWhatCannotBeMapped)
{
    CMappingFile notOpen;
    EXPECT_FALSE(notOpen.OpenMap(CFile::modeRead));
    const std::string strPath = Write("empty.bin", "");
    CMappingFile empty(strPath.c_str(), CFile::modeReadWrite);
    EXPECT_FALSE(empty.OpenMap(CFile::modeRead));
    EXPECT_FALSE(empty.OpenMap(CFile::modeReadWrite));
    // Unmapping what is not mapped is harmless.
    empty.CloseMap();
    empty.CloseMap();
    bool bThrown = false;
    try {
        CMappingFile missing(Path("missing.bin").c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(MappingFileTest, EveryWayOutReleasesTheMap)
{
    const std::string strPath = Write("release.bin", "1234567890");
    {
        CMappingFile file(strPath.c_str(), CFile::modeRead);
        ASSERT_TRUE(file.OpenMap(CFile::modeRead));
        // Mapping again releases the first map.
        ASSERT_TRUE(file.OpenMap(CFile::modeRead));
        EXPECT_EQ(file[9], '0');
        EXPECT_LE(MapsOf(strPath), 1);
        file.CloseMap();
        EXPECT_LE(MapsOf(strPath), 0);
        file.CloseMap();
        ASSERT_TRUE(file.OpenMap(CFile::modeWrite));  // read-only, as modeWrite alone gives
        EXPECT_EQ(file[0], '1');
        file.Abort();
        EXPECT_LE(MapsOf(strPath), 0);
        EXPECT_FALSE(file.OpenMap(CFile::modeRead));
        ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeRead));
        ASSERT_TRUE(file.OpenMap(CFile::modeRead));
    }
    // The destructor unmapped before the file went.
    EXPECT_LE(MapsOf(strPath), 0);
#ifdef _WIN32
    EXPECT_TRUE(DeleteFileA(strPath.c_str()));
#endif
}
