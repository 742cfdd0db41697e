// The printed tree's page layout through the tool's pages batch line: any
// text is either refused or laid out, and a layout keeps its invariants: at
// least one row a page, the page count the rows need, and each page's band
// where the pages before it end, the last one ending with the tree. Any
// broken property aborts.
//
// Input: a first byte below 0x80 takes the rest as the batch line itself;
// otherwise eight numbers are made from the bytes after it, mostly within
// the command's limits, so that most inputs reach the layout.
#include "Commands.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void Check(bool bHolds, const char* pszWhat, const std::string& strLine)
{
    if (!bHolds) {
        std::fprintf(stderr, "pages: %s for \"%s\"\n", pszWhat, strLine.c_str());
        std::abort();
    }
}

std::string MakeLine(const uint8_t* pData, size_t nSize)
{
    static const long s_alRanges[8] = {1000002, 1002, 1002, 100002, 100002, 10002, 10002, 1000002};
    std::string strLine;
    for (size_t i = 0; i < 8; ++i) {
        long lValue = 0;
        for (size_t b = 0; b < 3; ++b)
            lValue = lValue * 256 + (1 + i * 3 + b < nSize ? pData[1 + i * 3 + b] : 0);
        // Small values are the usual ones; a few go one below or above the range.
        lValue = lValue % s_alRanges[i] - 1;
        strLine += (i ? "\t" : "") + std::to_string(lValue);
    }
    return strLine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    const std::string strLine =
        pData[0] < 0x80 ? std::string(reinterpret_cast<const char*>(pData + 1), nSize - 1) : MakeLine(pData, nSize);
    std::string strOut, strProblem;
    const bool bValid = RunPagesBatchLine(strLine, strOut, strProblem);
    Check(bValid == strProblem.empty(), "a reason exactly when refused", strLine);
    if (!bValid) {
        Check(strOut == "#invalid", "#invalid for a refused line", strLine);
        return 0;
    }
    long alIn[8] = {0, 0, 0, 0, 0, 0, 0, 1}, alOut[12] = {};
    std::istringstream in(strLine), out(strOut);
    for (long& l : alIn)
        in >> l;
    for (long& l : alOut)
        Check(static_cast<bool>(out >> l), "twelve numbers out", strLine);
    const long lItems = alIn[0], lRow = alIn[1], lPage = alIn[7], lRows = alOut[0], lPages = alOut[1];
    Check(lRows >= 1, "a row a page at least", strLine);
    Check(lPages == (lItems == 0 ? 1 : (lItems - 1) / lRows + 1), "the pages the rows need", strLine);
    if (lPage < 1 || lPage > lPages) {
        Check(alOut[2] == 0 && alOut[3] == 0, "no band outside the job", strLine);
        return 0;
    }
    Check(alOut[2] == (lPage - 1) * lRows * lRow, "the band where the pages before end", strLine);
    Check(alOut[3] >= 0 && alOut[2] + alOut[3] <= lItems * lRow, "the band within the tree", strLine);
    Check(lPage < lPages || alOut[2] + alOut[3] == lItems * lRow, "the last band ending with the tree", strLine);
    Check(lPage == lPages || alOut[3] == lRows * lRow, "a full band before the last page", strLine);
    return 0;
}
