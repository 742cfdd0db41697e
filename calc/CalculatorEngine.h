// The calculator's state machine, free of windows: the dialog owns one engine,
// forwards each key to it and shows its texts. Every value is kept as the text
// shown, so results are rounded to the precision at every step.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CCalculatorEngine {
public:
    enum { nMaxPrecision = 10, nMaxEntryLength = 17 };

    // pszValue: the initial value text, NULL for none; shown formatted at the
    // precision (0 to 10, clamped).
    explicit CCalculatorEngine(LPCSTR pszValue = NULL, int nPrecision = 2);
    ~CCalculatorEngine();

    // Starts over as the constructor does: the value formatted at the
    // precision, no accumulator or operation, an empty memory.
    void Reset(LPCSTR pszValue, int nPrecision);

    // Keys. Digit and Sqrt return false when they refuse the key (a digit beyond
    // the length or decimals limit, a square root of a negative entry); a refused
    // key changes nothing, and the caller tells the user (a beep).
    bool Digit(char chDigit);
    void Point();
    void Sign();
    void Back();
    void Delop();
    void ClearCalc();
    void Add();
    void Sub();
    void Mul();
    void Div();
    void Eq();
    void Proc();
    bool Sqrt();
    void Subdiv();
    void Mc();
    void Mr();
    void Ms();
    void Madd();
    void SetPrecision(int nPrecision);
    // Selects memory item nIndex; an index outside the list changes nothing.
    void SelectMemory(int nIndex);

    // The two-operand step: the accumulator pszAccum (empty for none) combined
    // with the entry pszValue by chOper ('+', '-', '*', '/'; anything else
    // gives the entry), formatted at the precision. A zero divisor gives 0.
    CString GetOperValue(LPCSTR pszValue, LPCSTR pszAccum, char chOper) const;

    // The number text of the engine: writing at the current precision, reading.
    CString FormatNumber(double x) const;
    static double ReadNumber(LPCSTR pszText);

    const CString& GetValue() const { return m_strValue; }
    const CString& GetAccum() const { return m_strAccum; }
    char GetOper() const { return m_chOper; }  // 0 when none is pending
    bool IsNewEntry() const { return m_bNewEntry; }
    int GetPrecision() const { return m_nPrecision; }
    int GetMemoryCount() const { return (int)m_arrMemory.GetSize(); }
    CString GetMemoryItem(int nIndex) const { return m_arrMemory.GetAt(nIndex); }
    int GetMemorySel() const { return m_nMemSel; }

protected:
    void Operator(char chOper);

    CString m_strValue;  // the entry, as shown in the display
    CString m_strAccum;  // the running result, empty when none
    char m_chOper;       // the pending operation, 0 when none
    bool m_bNewEntry;    // the next digit replaces the entry
    int m_nPrecision;    // decimals written, and the most that may be typed
    CStringArray m_arrMemory;
    int m_nMemSel;  // selected memory item, -1 when the memory is empty
};
