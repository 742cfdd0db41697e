#include "calc/CalculatorEngine.h"

#include "calc/NumberText.h"

#include <cmath>

namespace {
int ClampPrecision(int nPrecision)
{
    if (nPrecision < 0)
        return 0;
    return nPrecision > CCalculatorEngine::nMaxPrecision ? (int)CCalculatorEngine::nMaxPrecision : nPrecision;
}
}  // namespace

CCalculatorEngine::CCalculatorEngine(LPCSTR pszValue, int nPrecision)
    : m_chOper(0), m_bNewEntry(true), m_nPrecision(ClampPrecision(nPrecision)), m_nMemSel(-1)
{
    m_strValue = FormatNumber(ReadNumber(pszValue));
}

CCalculatorEngine::~CCalculatorEngine() {}

void CCalculatorEngine::Reset(LPCSTR pszValue, int nPrecision)
{
    m_nPrecision = ClampPrecision(nPrecision);
    // Read before anything is cleared: pszValue may be this engine's own text.
    const double dValue = ReadNumber(pszValue);
    m_strValue = FormatNumber(dValue);
    m_strAccum.Empty();
    m_chOper = 0;
    m_bNewEntry = true;
    m_arrMemory.RemoveAll();
    m_nMemSel = -1;
}

CString CCalculatorEngine::FormatNumber(double x) const
{
    return FormatCalcNumber(x, m_nPrecision);
}

double CCalculatorEngine::ReadNumber(LPCSTR pszText)
{
    return ReadCalcNumber(pszText);
}

CString CCalculatorEngine::GetOperValue(LPCSTR pszValue, LPCSTR pszAccum, char chOper) const
{
    const double a = ReadNumber(pszValue);
    const double b = ReadNumber(pszAccum);
    // An empty accumulator is no first operand: the entry stands alone. A
    // written zero is a real operand, so that 0 - 5 is -5 and 0 * 5 is 0.
    const bool bFirst = pszAccum != NULL && *pszAccum != '\0';
    double r;
    switch (chOper) {
    case '+':
        r = b + a;
        break;
    case '-':
        r = bFirst ? b - a : a;
        break;
    case '*':
        r = bFirst ? b * a : a;
        break;
    case '/':
        r = a == 0 ? 0.0 : bFirst ? b / a : a;
        break;
    default:
        r = a;
        break;
    }
    return FormatNumber(r);
}

bool CCalculatorEngine::Digit(char chDigit)
{
    if (chDigit < '0' || chDigit > '9')
        return false;
    if (m_bNewEntry) {
        m_strValue = CString(chDigit);
        m_bNewEntry = false;
        return true;
    }
    const int nLength = m_strValue.GetLength();
    const int nPoint = m_strValue.Find('.');
    if (nPoint >= 0) {
        if (nLength - nPoint > m_nPrecision)
            return false;
    } else if (nLength >= nMaxEntryLength)
        return false;
    m_strValue += chDigit;
    return true;
}

void CCalculatorEngine::Point()
{
    if (m_strValue.Find('.') < 0)
        m_strValue += '.';
}

void CCalculatorEngine::Sign()
{
    if (m_strValue.IsEmpty())
        return;
    if (m_strValue[0] != '-')
        m_strValue.Insert(0, '-');
    else
        m_strValue.Remove('-');
}

void CCalculatorEngine::Back()
{
    if (m_strValue.GetLength() < 2)
        m_strValue.Empty();
    else
        m_strValue.Delete(m_strValue.GetLength() - 1);
}

void CCalculatorEngine::Delop()
{
    m_strValue.Empty();
    m_bNewEntry = false;
}

void CCalculatorEngine::ClearCalc()
{
    m_strValue.Empty();
    m_strAccum.Empty();
    m_chOper = 0;
    m_bNewEntry = false;
}

void CCalculatorEngine::Operator(char chOper)
{
    m_strAccum = GetOperValue(m_strValue, m_strAccum, m_chOper);
    m_chOper = chOper;
    m_strValue.Empty();
}

void CCalculatorEngine::Add()
{
    Operator('+');
}

void CCalculatorEngine::Sub()
{
    Operator('-');
}

void CCalculatorEngine::Mul()
{
    Operator('*');
}

void CCalculatorEngine::Div()
{
    // Dividing by the zero entry is not begun at all.
    if (ReadNumber(m_strValue) == 0)
        return;
    Operator('/');
}

void CCalculatorEngine::Eq()
{
    const CString strResult = GetOperValue(m_strValue, m_strAccum, m_chOper);
    m_chOper = 0;
    m_strAccum.Empty();
    m_strValue = strResult;
    m_bNewEntry = true;
}

void CCalculatorEngine::Proc()
{
    m_strValue = FormatNumber(ReadNumber(m_strValue) / 100 * ReadNumber(m_strAccum));
    m_bNewEntry = true;
}

bool CCalculatorEngine::Sqrt()
{
    const double a = ReadNumber(m_strValue);
    if (a < 0)
        return false;
    m_strValue = FormatNumber(std::sqrt(a));
    return true;
}

void CCalculatorEngine::Subdiv()
{
    const double a = ReadNumber(m_strValue);
    if (a != 0)
        m_strValue = FormatNumber(1 / a);
}

void CCalculatorEngine::Mc()
{
    m_arrMemory.RemoveAll();
    m_nMemSel = -1;
}

void CCalculatorEngine::Mr()
{
    if (m_nMemSel >= 0 && m_nMemSel < GetMemoryCount())
        m_strValue = m_arrMemory[m_nMemSel];
}

void CCalculatorEngine::Ms()
{
    if (ReadNumber(m_strValue) == 0)
        return;
    m_nMemSel = (int)m_arrMemory.Add(m_strValue);
}

void CCalculatorEngine::Madd()
{
    if (m_strValue.IsEmpty())
        return;
    if (m_arrMemory.GetSize() == 0) {
        m_nMemSel = (int)m_arrMemory.Add(m_strValue);
        return;
    }
    const CString strSum = GetOperValue(m_arrMemory[m_nMemSel], m_strValue, '+');
    m_arrMemory.SetAt(m_nMemSel, strSum);
}

void CCalculatorEngine::SetPrecision(int nPrecision)
{
    m_nPrecision = ClampPrecision(nPrecision);
}

void CCalculatorEngine::SelectMemory(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetMemoryCount())
        m_nMemSel = nIndex;
}
