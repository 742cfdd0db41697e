// Name declension on arbitrary bytes: full names and separate parts, every
// case (and cases outside the six) with every part mask. Besides the
// sanitizers, checks what holds whatever the rule texts are (this target may
// be compiled with another literal encoding than the library's own):
// - no part keeps white space at its ends, and every part is in lower case;
// - splitting loses and invents no characters other than separators;
// - the result is 2 exactly when no part is stored, and then rResult is left;
// - a result is the selected declined parts joined by single spaces, surname
//   first, and a case outside the six is the nominative;
// - declining only touches a word's last three characters and adds at most a
//   short ending; the nominative is the stored part with capitals restored.
//
// Input: flags[1] text... Flags bit 0: male; bit 1: the text is three parts
// (first, middle, last) separated by zero bytes, else one full name.
#include "grammar/GrammarCase.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
void Fail(const char* pszWhat, const std::string& strInput)
{
    fprintf(stderr, "grammar: %s (input %zu bytes)\n", pszWhat, strInput.size());
    abort();
}

std::string Lower(const std::string& str)
{
    std::string strLower(str);
    for (char& ch : strLower)
        ch = AfxCharLower(ch);
    return strLower;
}

// The characters that splitting and trimming may drop.
bool IsDroppable(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\x07' || ch == '\x08' || ch == '\v' ||
           ch == '\f' || ch == ',';
}

std::string WithoutDroppable(const std::string& str)
{
    std::string strOut;
    for (char ch : str)
        if (!IsDroppable(ch))
            strOut += ch;
    return strOut;
}

bool IsWhiteAtAnEnd(const CString& str)
{
    const char* const pszWhite = " \t\r\n\v\f";
    const int n = str.GetLength();
    if (n == 0)
        return false;
    for (const char* p = pszWhite; *p; ++p)
        if (str[0] == *p || str[n - 1] == *p)
            return true;
    return false;
}

void CheckPart(const CGrammarCase_S::TName& name, const std::string& strInput)
{
    if (IsWhiteAtAnEnd(name.m_strName))
        Fail("a part keeps white space at an end", strInput);
    const std::string str(name.m_strName.GetString(), (size_t)name.m_strName.GetLength());
    if (Lower(str) != str)
        Fail("a part is not in lower case", strInput);
}

// Longest ending appended, in bytes, whatever the literal encoding (UTF-8 at most doubles).
const size_t c_nMaxEnding = 10;

// The declined form of one stored part, checked against the stored word.
std::string CheckDeclined(CGrammarCase_S& grammar, unsigned nPart, EGrammarCase eCase, const std::string& strInput)
{
    CString strOne("x");
    if (grammar.GetGrammarCase(strOne, eCase, nPart) != 0)
        Fail("a stored name reports not initialised", strInput);
    const CGrammarCase_S::TName& name = nPart == 1   ? grammar.m_FirstName
                                        : nPart == 2 ? grammar.m_MiddleName
                                                     : grammar.m_LastName;
    const std::string strStored(name.m_strName.GetString(), (size_t)name.m_strName.GetLength());
    const std::string strGot = Lower(std::string(strOne.GetString(), (size_t)strOne.GetLength()));
    if (strStored.empty()) {
        if (!strGot.empty())
            Fail("an empty part gives text", strInput);
        return strGot;
    }
    const size_t nKeep = strStored.size() > 3 ? strStored.size() - 3 : 0;
    if (strGot.size() < nKeep || strGot.compare(0, nKeep, strStored, 0, nKeep) != 0)
        Fail("declining changed more than the end of a word", strInput);
    if (strGot.size() > strStored.size() + c_nMaxEnding)
        Fail("declining added too much", strInput);
    if (eCase < gcGenitive || eCase > gcPrepositional) {
        if (strGot != strStored)
            Fail("the nominative or an unknown case changed a word", strInput);
    }
    return std::string(strOne.GetString(), (size_t)strOne.GetLength());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1 || nSize > 4096)
        return 0;
    const bool bMale = (pData[0] & 1) != 0;
    const bool bThreeParts = (pData[0] & 2) != 0;
    const std::string strRaw(reinterpret_cast<const char*>(pData + 1), nSize - 1);

    CGrammarCase_S grammar;
    std::string strText;  // what the object was given, as the library sees it
    if (bThreeParts) {
        std::string astr[3];
        size_t nFrom = 0;
        for (int i = 0; i < 3 && nFrom <= strRaw.size(); ++i) {
            const size_t nZero = strRaw.find('\0', nFrom);
            astr[i] = strRaw.substr(nFrom, nZero == std::string::npos ? std::string::npos : nZero - nFrom);
            nFrom = nZero == std::string::npos ? strRaw.size() + 1 : nZero + 1;
        }
        grammar.Init(astr[0].c_str(), astr[1].c_str(), astr[2].c_str(), bMale);
        strText = astr[2] + astr[0] + astr[1];
    } else {
        strText = std::string(strRaw.c_str());  // the library reads up to the first zero
        grammar.Init(strText.c_str(), bMale);
    }
    CheckPart(grammar.m_FirstName, strRaw);
    CheckPart(grammar.m_MiddleName, strRaw);
    CheckPart(grammar.m_LastName, strRaw);
    const std::string strStored = std::string(grammar.m_LastName.m_strName) +
                                  std::string(grammar.m_FirstName.m_strName) +
                                  std::string(grammar.m_MiddleName.m_strName);
    if (WithoutDroppable(Lower(strText)) != WithoutDroppable(strStored))
        Fail("splitting lost or invented characters", strRaw);

    const bool bEmpty = strStored.empty();
    if (bEmpty != !grammar.IsInitialized())
        Fail("IsInitialized disagrees with the parts", strRaw);

    const int aCases[] = {0, 1, 2, 3, 4, 5, 6, -1};
    for (int nCase : aCases) {
        const EGrammarCase eCase = static_cast<EGrammarCase>(nCase);
        if (bEmpty) {
            CString strResult("kept");
            if (grammar.GetGrammarCase(strResult, eCase, 7) != 2 || strResult != "kept")
                Fail("an empty name did not report 2 and keep the result", strRaw);
            continue;
        }
        std::string astrPart[3];  // surname, first name, patronymic
        astrPart[0] = CheckDeclined(grammar, 4, eCase, strRaw);
        astrPart[1] = CheckDeclined(grammar, 1, eCase, strRaw);
        astrPart[2] = CheckDeclined(grammar, 2, eCase, strRaw);
        for (unsigned nParts = 0; nParts < 8; ++nParts) {
            CString strResult("x");
            if (grammar.GetGrammarCase(strResult, eCase, nParts) != 0)
                Fail("a stored name reports not initialised", strRaw);
            std::string strWant;
            const unsigned aBits[3] = {4, 1, 2};
            for (int i = 0; i < 3; ++i) {
                if ((nParts & aBits[i]) == 0 || astrPart[i].empty())
                    continue;
                if (!strWant.empty())
                    strWant += ' ';
                strWant += astrPart[i];
            }
            if (strWant != std::string(strResult.GetString(), (size_t)strResult.GetLength()))
                Fail("the parts are not joined surname first with single spaces", strRaw);
        }
    }
    return 0;
}
