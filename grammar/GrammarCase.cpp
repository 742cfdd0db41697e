// CGrammarCase_S: the parts of the name, their parsing, and the ending rules of
// each kind of part, tried in order until one fits.
#include "grammar/GrammarCase.h"

#include <cstring>

namespace {

// The separators of a full name written without commas.
const char g_szBlanks[] = " \r\n\t\x07\x08";

// One ending rule. Every condition that is set must hold: the last letter is
// one of m_pszLast; the word ends with m_pszEnds; it is longer than nLonger;
// it ends with one of m_apszOneOf (or, with m_bWhole, is m_apszOneOf[0]).
// A rule that fits cuts m_nCut letters and appends the case's ending; a cut
// of -1 leaves the word as it is.
struct CEndingRule {
    const char* m_pszLast;
    const char* m_pszEnds;
    int m_nLonger;
    bool m_bWhole;
    const char* m_apszOneOf[7];
    int m_nCut;
    const char* m_apszEnding[5];  // genitive, dative, accusative, instrumental, prepositional
};

const int c_nUnchanged = -1;

#define GC_NOENDINGS                                \
    {                                               \
        nullptr, nullptr, nullptr, nullptr, nullptr \
    }

const CEndingRule g_aFirstNameMale[] = {
    {"оеиу", nullptr, 0, false, {}, c_nUnchanged, GC_NOENDINGS},
    {"й", nullptr, 0, false, {"ий"}, 1, {"я", "ю", "я", "ем", "и"}},
    {"й", nullptr, 0, false, {}, 1, {"я", "ю", "я", "ем", "е"}},
    {"я", nullptr, 0, false, {}, 1, {"и", "е", "ю", "ей", "е"}},
    {"ь", nullptr, 0, false, {}, 1, {"я", "ю", "я", "ем", "е"}},
    {"а", nullptr, 0, false, {}, 1, {"ы", "е", "у", "ой", "е"}},
    {"л", nullptr, 0, false, {"авел"}, 2, {"ла", "лу", "ла", "лом", "ле"}},
    {"л", nullptr, 0, false, {}, 0, {"а", "у", "а", "ом", "е"}},
    {"бвгджкмнпрстфхцчшщ", nullptr, 0, true, {"лев"}, 3, {"льва", "льву", "льва", "львом", "льве"}},
    {"бвгджкмнпрстфхцчшщ", nullptr, 0, false, {}, 0, {"а", "у", "а", "ом", "е"}},
};

const CEndingRule g_aFirstNameFemale[] = {
    {"а", nullptr, 0, false, {"га", "ха", "ка", "ша", "ча", "ща", "жа"}, 1, {"и", "е", "у", "ой", "е"}},
    {"а", nullptr, 0, false, {}, 1, {"ы", "е", "у", "ой", "е"}},
    {"я", nullptr, 0, false, {"ия"}, 1, {"и", "и", "ю", "ей", "и"}},
    {"я", nullptr, 0, false, {}, 1, {"и", "е", "ю", "ей", "е"}},
    {"ь", nullptr, 0, false, {}, 1, {"и", "и", "ь", "ью", "и"}},
};

const CEndingRule g_aMiddleNameMale[] = {
    {nullptr, nullptr, 0, false, {}, 0, {"а", "у", "а", "ем", "е"}},
};

const CEndingRule g_aMiddleNameFemale[] = {
    {nullptr, nullptr, 0, false, {}, 1, {"ы", "е", "у", "ой", "е"}},
};

const CEndingRule g_aLastNameMale[] = {
    {nullptr, nullptr, 0, false, {"аго", "яго", "ово", "ых", "их"}, c_nUnchanged, GC_NOENDINGS},
    {nullptr, nullptr, 0, false, {"ин", "ов", "ев", "ёв"}, 0, {"а", "у", "а", "ым", "е"}},
    {"еёиуыэю", nullptr, 0, false, {}, c_nUnchanged, GC_NOENDINGS},
    {"а", nullptr, 0, false, {"иа", "уа"}, c_nUnchanged, GC_NOENDINGS},
    {"а", nullptr, 0, false, {"га", "жа", "ка", "ха", "ча", "ша", "ща"}, 1, {"и", "е", "у", "ой", "е"}},
    {"а", nullptr, 0, false, {}, 1, {"ы", "е", "у", "ой", "е"}},
    {"о", nullptr, 0, false, {}, c_nUnchanged, GC_NOENDINGS},
    {"я", nullptr, 0, false, {"ия", "ая"}, c_nUnchanged, GC_NOENDINGS},
    {"я", nullptr, 0, false, {}, 1, {"и", "е", "ю", "ей", "е"}},
    {"нпрстфшщ", nullptr, 0, false, {}, 0, {"а", "у", "а", "ом", "е"}},
    {"ц", nullptr, 0, false, {"ец"}, 2, {"ца", "цу", "ца", "цом", "це"}},
    {"ц", nullptr, 0, false, {}, 0, {"а", "у", "а", "ем", "е"}},
    {"ч", nullptr, 0, false, {}, 0, {"а", "у", "а", "ем", "е"}},
    {"ь", nullptr, 0, false, {}, 1, {"я", "ю", "я", "ем", "е"}},
    {"к", nullptr, 4, false, {"ок"}, 2, {"ка", "ку", "ка", "ком", "ке"}},
    {"к", nullptr, 4, false, {"лек", "рек"}, 2, {"ька", "ьку", "ька", "ьком", "ьке"}},
    {"к", nullptr, 0, false, {}, 0, {"а", "у", "а", "ом", "е"}},
    {nullptr, "ой", 4, false, {"цкой", "тской"}, 2, {"ого", "ому", "ого", "им", "ом"}},
    {nullptr, "ой", 3, false, {}, 2, {"ого", "ому", "ого", "ым", "ом"}},
    {nullptr, "ой", 0, false, {}, 1, {"я", "ю", "я", "ем", "е"}},
    {nullptr, "ий", 4, false, {"ский", "цкий"}, 2, {"ого", "ому", "ого", "им", "ом"}},
    {nullptr, "ий", 3, false, {"ний", "чий", "ший", "щий"}, 2, {"его", "ему", "его", "им", "ем"}},
    {nullptr, "ий", 3, false, {}, 1, {"я", "ю", "я", "ем", "и"}},
    {"й", nullptr, 4, false, {"ый"}, 2, {"ого", "ому", "ого", "ым", "ом"}},
    {"й", nullptr, 0, false, {}, 1, {"я", "ю", "я", "ем", "е"}},
};

const CEndingRule g_aLastNameFemale[] = {
    {nullptr, nullptr, 0, false, {"ова", "ева", "ина", "ена", "ёва", "ына"}, 1, {"ой", "ой", "у", "ой", "ой"}},
    {nullptr, nullptr, 0, false, {"щая"}, 2, {"ей", "ей", "ую", "ей", "ей"}},
    {nullptr, nullptr, 0, false, {"ая"}, 2, {"ой", "ой", "ую", "ой", "ой"}},
};

#undef GC_NOENDINGS

bool IsDeclinedCase(EGrammarCase eCase)
{
    return eCase >= gcGenitive && eCase <= gcPrepositional;
}

bool IsUpperLetter(char ch)
{
    return AfxIsCharAlpha(ch) && AfxCharLower(ch) != ch;
}

}  // namespace

// ---------------------------------------------------------------- TName

CGrammarCase_S::TName::TName() : m_bUpper(false) {}

CGrammarCase_S::TName::TName(const TName& src) : m_strName(src.m_strName), m_bUpper(src.m_bUpper) {}

CGrammarCase_S::TName& CGrammarCase_S::TName::operator=(const TName& src)
{
    m_strName = src.m_strName;
    m_bUpper = src.m_bUpper;
    return *this;
}

CGrammarCase_S::TName::~TName() {}

void CGrammarCase_S::TName::Init(const char* psz)
{
    m_bUpper = false;
    m_strName = psz != nullptr ? psz : "";
    m_strName.Trim();
    const int nLength = m_strName.GetLength();
    if (nLength > 0 && IsUpperLetter(m_strName[nLength - 1]))
        m_bUpper = true;
    m_strName.MakeLower();
}

// ---------------------------------------------------------------- CGrammarCase_S

CGrammarCase_S::CGrammarCase_S() : m_bMale(true) {}

CGrammarCase_S::CGrammarCase_S(const char* pszFullName, bool bMale) : m_bMale(true)
{
    Init(pszFullName, bMale);
}

CGrammarCase_S::CGrammarCase_S(const char* pszFirstName, const char* pszMiddleName, const char* pszLastName, bool bMale)
    : m_bMale(true)
{
    Init(pszFirstName, pszMiddleName, pszLastName, bMale);
}

CGrammarCase_S::CGrammarCase_S(const CGrammarCase_S& src)
    : m_FirstName(src.m_FirstName), m_MiddleName(src.m_MiddleName), m_LastName(src.m_LastName), m_bMale(src.m_bMale)
{
}

CGrammarCase_S& CGrammarCase_S::operator=(const CGrammarCase_S& src)
{
    m_FirstName = src.m_FirstName;
    m_MiddleName = src.m_MiddleName;
    m_LastName = src.m_LastName;
    m_bMale = src.m_bMale;
    return *this;
}

CGrammarCase_S::~CGrammarCase_S() {}

void CGrammarCase_S::Init(const char* pszFullName, bool bMale)
{
    m_bMale = bMale;
    PickNames(pszFullName);
}

void CGrammarCase_S::Init(const char* pszFirstName, const char* pszMiddleName, const char* pszLastName, bool bMale)
{
    m_FirstName.Init(pszFirstName);
    m_MiddleName.Init(pszMiddleName);
    m_LastName.Init(pszLastName);
    m_bMale = bMale;
}

bool CGrammarCase_S::IsInitialized()
{
    return m_FirstName.IsInitialized() || m_MiddleName.IsInitialized() || m_LastName.IsInitialized();
}

void CGrammarCase_S::PickNames(const char* psz)
{
    const char* p = psz != nullptr ? psz : "";
    ParsingFullName(p);
}

void CGrammarCase_S::ParsingFullName(const char*& p)
{
    if (p == nullptr)
        p = "";
    p += std::strspn(p, g_szBlanks);
    // With a comma anywhere the parts may hold blanks (a double first name).
    const char* pszSeparators = std::strchr(p, ',') != nullptr ? "," : g_szBlanks;

    // Reads one token up to the next separator, stepping over that separator.
    auto ReadToken = [&]() {
        const size_t nLength = std::strcspn(p, pszSeparators);
        CString strToken(p, static_cast<int>(nLength));
        strToken.TrimRight(g_szBlanks);
        p += nLength;
        if (*p != '\0')
            ++p;
        return strToken;
    };

    m_LastName.Init(ReadToken());
    p += std::strspn(p, g_szBlanks);
    m_FirstName.Init(ReadToken());
    p += std::strspn(p, g_szBlanks);
    m_MiddleName.Init(p);
    p += std::strlen(p);
}

unsigned int CGrammarCase_S::GetGrammarCase(CString& rResult, EGrammarCase eCase, unsigned int nParts)
{
    if (!IsInitialized())
        return 2;
    // Anything but the five oblique cases is the name as given.
    const bool bDecline = IsDeclinedCase(eCase);
    rResult.Empty();
    if (nParts & GC_LASTNAME) {
        rResult = m_LastName.m_strName;
        if (bDecline) {
            if (m_bMale)
                CaseLustNameMale(rResult, eCase);
            else
                CaseLustNameFemale(rResult, eCase);
        }
        ToUpper(rResult, m_LastName.m_bUpper);
    }
    if (nParts & GC_FIRSTNAME) {
        CString w = m_FirstName.m_strName;
        if (bDecline) {
            if (m_bMale)
                CaseFirstNameMale(w, eCase);
            else
                CaseFirstNameFemale(w, eCase);
        }
        if (!w.IsEmpty()) {
            ToUpper(w, m_FirstName.m_bUpper);
            if (!rResult.IsEmpty())
                rResult += ' ';
            rResult += w;
        }
    }
    if (nParts & GC_MIDDLENAME) {
        CString w = m_MiddleName.m_strName;
        if (bDecline)
            CaseMiddleName(w, eCase);
        if (!w.IsEmpty()) {
            ToUpper(w, m_MiddleName.m_bUpper);
            if (!rResult.IsEmpty())
                rResult += ' ';
            rResult += w;
        }
    }
    return 0;
}

// ---------------------------------------------------------------- the rules

namespace {

// Applies the first rule of the table that fits the word.
void ApplyRules(CGrammarCase_S& grammar, const CEndingRule* pRules, size_t nRules, CString& str, EGrammarCase eCase)
{
    if (!IsDeclinedCase(eCase))
        return;
    int nLength = 0;
    char chLast = 0;
    if (!grammar.CheckValid(str, &nLength, &chLast))
        return;
    for (size_t i = 0; i < nRules; ++i) {
        const CEndingRule& rule = pRules[i];
        if (rule.m_pszLast != nullptr && !grammar.IsSymbolIn(chLast, rule.m_pszLast))
            continue;
        if (rule.m_pszEnds != nullptr && !grammar.IsEnding(str, rule.m_pszEnds))
            continue;
        if (nLength <= rule.m_nLonger)
            continue;
        if (rule.m_apszOneOf[0] != nullptr) {
            bool bFits = false;
            if (rule.m_bWhole) {
                bFits = str.CompareNoCase(rule.m_apszOneOf[0]) == 0;
            } else {
                for (int k = 0; k < 7 && rule.m_apszOneOf[k] != nullptr && !bFits; ++k)
                    bFits = grammar.IsEnding(str, rule.m_apszOneOf[k]);
            }
            if (!bFits)
                continue;
        }
        if (rule.m_nCut != c_nUnchanged)
            grammar.ReplaseEnding(str, eCase, rule.m_nCut, rule.m_apszEnding[0], rule.m_apszEnding[1],
                                  rule.m_apszEnding[2], rule.m_apszEnding[3], rule.m_apszEnding[4]);
        return;
    }
}

template <size_t N>
void ApplyRules(CGrammarCase_S& grammar, const CEndingRule (&aRules)[N], CString& str, EGrammarCase eCase)
{
    ApplyRules(grammar, aRules, N, str, eCase);
}

}  // namespace

void CGrammarCase_S::CaseFirstNameMale(CString& str, EGrammarCase eCase)
{
    ApplyRules(*this, g_aFirstNameMale, str, eCase);
}

void CGrammarCase_S::CaseFirstNameFemale(CString& str, EGrammarCase eCase)
{
    ApplyRules(*this, g_aFirstNameFemale, str, eCase);
}

void CGrammarCase_S::CaseMiddleName(CString& str, EGrammarCase eCase)
{
    if (m_bMale)
        ApplyRules(*this, g_aMiddleNameMale, str, eCase);
    else
        ApplyRules(*this, g_aMiddleNameFemale, str, eCase);
}

void CGrammarCase_S::CaseLustNameMale(CString& str, EGrammarCase eCase)
{
    ApplyRules(*this, g_aLastNameMale, str, eCase);
}

void CGrammarCase_S::CaseLustNameFemale(CString& str, EGrammarCase eCase)
{
    ApplyRules(*this, g_aLastNameFemale, str, eCase);
}

bool CGrammarCase_S::CheckValid(CString& str, int* pnLen, char* pchLast)
{
    const int nLength = str.GetLength();
    if (nLength < 2 || str[nLength - 1] == '.')
        return false;
    if (pnLen != nullptr)
        *pnLen = nLength;
    if (pchLast != nullptr)
        *pchLast = str[nLength - 1];
    return true;
}

bool CGrammarCase_S::IsSymbolIn(char ch, const char* pszSet)
{
    // Not strchr: the terminating zero is no member of the set.
    for (const char* p = pszSet; p != nullptr && *p != '\0'; ++p)
        if (*p == ch)
            return true;
    return false;
}

bool CGrammarCase_S::IsEnding(const char* pszWord, const char* pszEnding)
{
    if (pszWord == nullptr || pszEnding == nullptr)
        return false;
    const size_t nWord = std::strlen(pszWord), nEnding = std::strlen(pszEnding);
    if (nWord < nEnding)
        return false;
    // The code page's own case folding, letter by letter, so that both builds
    // agree and no character is skipped as a linguistic comparison might.
    const char* pszTail = pszWord + (nWord - nEnding);
    for (size_t i = 0; i < nEnding; ++i)
        if (AfxCharLower(pszTail[i]) != AfxCharLower(pszEnding[i]))
            return false;
    return true;
}

bool CGrammarCase_S::ReplaseEnding(CString& str, EGrammarCase eCase, int nCut, const char* psz1, const char* psz2,
                                   const char* psz3, const char* psz4, const char* psz5)
{
    if (nCut < 0 || str.GetLength() < nCut)
        return false;
    str = str.Left(str.GetLength() - nCut);
    const char* const apszEndings[5] = {psz1, psz2, psz3, psz4, psz5};
    if (IsDeclinedCase(eCase) && apszEndings[eCase - 1] != nullptr)
        str += apszEndings[eCase - 1];
    return true;
}

void CGrammarCase_S::ToUpper(CString& str, bool bAll)
{
    if (bAll)
        str.MakeUpper();
    else
        ToUpperFirstSymbol(str);
}

void CGrammarCase_S::ToUpperFirstSymbol(CString& str)
{
    const int nLength = str.GetLength();
    for (int i = 0; i < nLength; ++i) {
        // Initials written together ("и.и.") get a capital after each dot.
        if (i == 0 || str[i - 1] == '-' || str[i - 1] == '.')
            str.SetAt(i, AfxCharUpper(str[i]));
    }
}
