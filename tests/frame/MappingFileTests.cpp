// The mapped file on real files: reading and writing in place, the maps
// refused (file not open, a writable map of a read-only file, empty file),
// and the map released before the file is closed, also when mapped twice.
#include "frame/MappingFile.h"

#include "Throws.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// How many of the process's maps show the file (natively, from
// /proc/self/maps; -1 where that cannot be seen).
int MapsOf(const std::string& strPath)
{
    int nCount = -1;
#ifndef _WIN32
    std::ifstream maps("/proc/self/maps");
    std::string strLine;
    for (nCount = 0; std::getline(maps, strLine);)
        nCount += strLine.size() >= strPath.size() && strLine.substr(strLine.size() - strPath.size()) == strPath;
#endif
    return nCount;
}

}  // namespace

TEST(MappingFile, ReadAndWrittenInPlaceAndEveryWayOutReleasesTheMap)
{
    support::CTempDir dir("extkit-mapping");
    const std::string strPath = (dir.GetPath() / "map.bin").string();
    const char szContent[] = "Накладная № 17\n\x00\xFF";
    const std::string strContent(szContent, sizeof(szContent) - 1);
    const DWORD nLast = static_cast<DWORD>(strContent.size() - 1);
    std::ofstream(strPath, std::ios::binary) << strContent;
    {
        CMappingFile file(strPath.c_str(), CFile::modeReadWrite);
        ASSERT_TRUE(file.OpenMap(CFile::modeReadWrite));
        std::string strSeen;
        for (DWORD i = 0; i < strContent.size(); ++i)
            strSeen += static_cast<char>(file[i]);
        EXPECT_EQ(strSeen, strContent);
        file[0] = 'x';
        file[nLast] = '!';
        // Mapping again releases the first map.
        ASSERT_TRUE(file.OpenMap(CFile::modeRead));
        EXPECT_EQ(file[0], 'x');
        EXPECT_LE(MapsOf(strPath), 1);
        EXPECT_NE(MapsOf(strPath), 0);
        file.CloseMap();
        file.CloseMap();  // unmapping what is not mapped is harmless
        EXPECT_LE(MapsOf(strPath), 0);
        ASSERT_TRUE(file.OpenMap(CFile::modeReadWrite));
        file.Close();
        EXPECT_LE(MapsOf(strPath), 0);
        EXPECT_FALSE(file.OpenMap(CFile::modeRead));

        ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeRead));
        EXPECT_FALSE(file.OpenMap(CFile::modeReadWrite));  // a writable map needs a file open for writing
        ASSERT_TRUE(file.OpenMap(CFile::modeWrite));       // read-only, as modeWrite alone gives
        file.Abort();
        EXPECT_LE(MapsOf(strPath), 0);
        ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeRead));
        ASSERT_TRUE(file.OpenMap(CFile::modeRead));
    }
    // The destructor unmapped before the file went, and the writes reached it.
    EXPECT_LE(MapsOf(strPath), 0);
    std::ifstream in(strPath, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              "x" + strContent.substr(1, nLast - 1) + "!");
    in.close();
    EXPECT_EQ(std::remove(strPath.c_str()), 0);  // nothing holds the file any more

    // An empty file cannot be mapped, a missing one not opened.
    std::ofstream(strPath, std::ios::binary).close();
    CMappingFile empty(strPath.c_str(), CFile::modeReadWrite);
    EXPECT_FALSE(empty.OpenMap(CFile::modeRead) || empty.OpenMap(CFile::modeReadWrite));
    EXPECT_TRUE(support::Throws<CFileException>(
        [&] { CMappingFile missing((dir.GetPath() / "missing.bin").string().c_str(), CFile::modeRead); }));
}
