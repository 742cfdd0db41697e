// Declension of a Russian personal name (surname, first name, patronymic) into
// the six grammatical cases by ending rules. All text is Windows-1251.
#pragma once

#include <afx.h>

#include "frame/ExtkitApi.h"

// The case to produce. The values index the endings of the rule tables; the
// fixed type keeps any other int a valid value, which gives the name as stored.
enum EGrammarCase : int {
    gcNominative = 0,  // the name as given
    gcGenitive = 1,
    gcDative = 2,
    gcAccusative = 3,
    gcInstrumental = 4,
    gcPrepositional = 5,
};

// Parts selected for GetGrammarCase; any combination.
#define GC_FIRSTNAME 1
#define GC_MIDDLENAME 2
#define GC_LASTNAME 4
#define GC_ALLPARTS 7

class EXTKIT_API CGrammarCase_S {
public:
    // One part of the name, kept in lower case; m_bUpper remembers a part
    // typed in capitals so that it comes back in capitals.
    struct EXTKIT_API TName {
        TName();
        TName(const TName& src);
        TName& operator=(const TName& src);
        ~TName();

        // Trims white space, notes the capitals and lowers the text. A null
        // pointer is taken as an empty part.
        void Init(const char* psz);
        bool IsInitialized() const { return !m_strName.IsEmpty(); }

        CString m_strName;
        bool m_bUpper;
    };

    CGrammarCase_S();
    CGrammarCase_S(const char* pszFullName, bool bMale);
    CGrammarCase_S(const char* pszFirstName, const char* pszMiddleName, const char* pszLastName, bool bMale);
    CGrammarCase_S(const CGrammarCase_S& src);
    CGrammarCase_S& operator=(const CGrammarCase_S& src);
    ~CGrammarCase_S();

    // "Surname FirstName Patronymic", split at commas when there is one, else
    // at white space.
    void Init(const char* pszFullName, bool bMale);
    void Init(const char* pszFirstName, const char* pszMiddleName, const char* pszLastName, bool bMale);

    // True when at least one part is not empty.
    virtual bool IsInitialized();

    // The parts selected by nParts (GC_...) in case eCase, always in the order
    // surname, first name, patronymic, separated by one space. Returns 0, or 2
    // (rResult untouched) when the object holds no name. A case outside
    // gcNominative..gcPrepositional gives the parts undeclined.
    unsigned int GetGrammarCase(CString& rResult, EGrammarCase eCase, unsigned int nParts);

    void PickNames(const char* psz);
    void ParsingFullName(const char*& p);

    // Each declines one lower-case word in place by the rules of its kind; a
    // word no rule knows, and any case outside genitive..prepositional, leave
    // it as it is. CaseMiddleName follows m_bMale.
    void CaseFirstNameMale(CString& str, EGrammarCase eCase);
    void CaseFirstNameFemale(CString& str, EGrammarCase eCase);
    void CaseMiddleName(CString& str, EGrammarCase eCase);
    void CaseLustNameMale(CString& str, EGrammarCase eCase);
    void CaseLustNameFemale(CString& str, EGrammarCase eCase);

    // A word may be declined when it has two characters or more and does not
    // end with '.' (an initial). Stores the length and the last character
    // through the pointers that are not null.
    bool CheckValid(CString& str, int* pnLen, char* pchLast);
    bool IsSymbolIn(char ch, const char* pszSet);
    // Tail comparison without regard to letter case.
    bool IsEnding(const char* pszWord, const char* pszEnding);
    // Cuts nCut characters and appends the ending of eCase (psz1 for the
    // genitive ... psz5 for the prepositional; nothing for other cases).
    // False, and str unchanged, when str is shorter than nCut.
    bool ReplaseEnding(CString& str, EGrammarCase eCase, int nCut, const char* psz1, const char* psz2, const char* psz3,
                       const char* psz4, const char* psz5);
    void ToUpper(CString& str, bool bAll);
    // Capital first letter, and after each hyphen and each initial's dot.
    void ToUpperFirstSymbol(CString& str);

    TName m_FirstName;
    TName m_MiddleName;
    TName m_LastName;
    bool m_bMale;
};
