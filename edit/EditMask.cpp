// The masked edit's model and its portable control logic. Every call from one
// operation to another goes through the virtual function, so that a host's
// override is used on every path.
#include "edit/EditMask.h"
#include "edit/EditKeys.h"

#include <cstring>

namespace {
bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}
}  // namespace

CEditMask::CEditMask(CEditSurface* pSurface)
    : m_pSurface(pSurface), m_chPrompt(' '), m_bSwallowChar(false), m_bInsertMode(false)
{
}

CEditMask::~CEditMask() {}

// ------------------------------------------------------------------ helpers

DWORD CEditMask::GetControlStyle() const
{
    return m_pSurface != NULL ? m_pSurface->GetEditStyle() : 0;
}

bool CEditMask::IsReadOnly() const
{
    return (GetControlStyle() & ES_READONLY) != 0;
}

bool CEditMask::IsDataPos(int nPos)
{
    return nPos >= 0 && nPos < GetMaskLength() && IsMaskChar(m_strMask[nPos]);
}

bool CEditMask::IsPromptAt(int nPos) const
{
    return nPos >= 0 && nPos < m_strDisplay.GetLength() && m_strDisplay[nPos] == m_chPrompt;
}

void CEditMask::GetSelection(int& nStart, int& nEnd)
{
    nStart = nEnd = 0;
    if (m_pSurface != NULL)
        m_pSurface->GetEditSel(nStart, nEnd);
}

CString CEditMask::CollectData(int nStart, int nEnd)
{
    CString strData;
    if (nStart < 0)
        nStart = 0;
    if (nEnd > GetMaskLength())
        nEnd = GetMaskLength();
    // The display may be shorter than the mask only if a host broke it.
    if (nEnd > m_strDisplay.GetLength())
        nEnd = m_strDisplay.GetLength();
    for (int i = nStart; i < nEnd; ++i) {
        if (IsDataPos(i))
            strData += IsPromptAt(i) ? ' ' : m_strDisplay[i];
    }
    return strData;
}

void CEditMask::ShowDisplayString(const CString& strDisplay)
{
    if (m_pSurface == NULL)
        return;
    m_pSurface->SetEditText(strDisplay);
    m_pSurface->SetEditModify(true);
}

void CEditMask::ShowSelection(int nStart, int nEnd)
{
    if (m_pSurface != NULL)
        m_pSurface->SetEditSel(nStart, nEnd);
}

// ------------------------------------------------------- model operations

bool CEditMask::SetMask(LPCSTR pszMask)
{
    if (pszMask == NULL)
        pszMask = "";
    m_strMask = pszMask;
    // The limit counts the mask as given, escapes included.
    if (m_pSurface != NULL)
        m_pSurface->SetEditLimit(m_strMask.IsEmpty() ? -1 : m_strMask.GetLength() + 1);
    ParseMaskString();
    UpdateDisplayStr();
    UpdateDisplay();
    if (m_pSurface != NULL)
        m_pSurface->SetEditModify(false);
    SetCursorPos(-1, 1, false);
    EmptyUndoBuffer();
    return true;
}

void CEditMask::SetPromptChar(char chPrompt)
{
    if (chPrompt == 0)
        return;
    const char chOld = m_chPrompt;
    for (int i = 0; i < GetMaskLength() && i < m_strDisplay.GetLength(); ++i) {
        if (IsDataPos(i) && m_strDisplay[i] == chOld)
            m_strDisplay.SetAt(i, chPrompt);
    }
    m_chPrompt = chPrompt;
    // A plain edit shows its own text, not the (empty) display string.
    if (HasMask())
        UpdateDisplay();
}

char CEditMask::GetPromptChar()
{
    return m_chPrompt;
}

void CEditMask::PlaceData(LPCSTR pszData, int nPos, bool bInsert, bool bKeepPrompt)
{
    for (const char* p = pszData; *p != 0 && nPos != -1 && IsDataPos(nPos); ++p) {
        char ch = *p;
        if (IsCharValid(nPos, ch)) {
            if (bInsert)
                PushChar(nPos, ch, false);
            else
                m_strDisplay.SetAt(nPos, ch);
            nPos = GetNextDataPos(nPos);
        } else if (!bKeepPrompt && *p == m_chPrompt) {
            // A prompt character in the text stands for an empty position.
            nPos = GetNextDataPos(nPos);
        }
        // Anything else is dropped and the position waits for the next one.
    }
}

bool CEditMask::SetData(LPCSTR pszData, int nStartPos, bool bInsert, bool bKeepPrompt)
{
    if (pszData == NULL)
        pszData = "";
    if (!HasMask()) {
        m_strDisplay = pszData;
        UpdateDisplay();
        return false;
    }
    if (nStartPos < 0 || nStartPos >= GetMaskLength())
        return false;
    if (nStartPos == 0)
        UpdateDisplayStr();
    if (!IsDataPos(nStartPos)) {
        nStartPos = GetNextDataPos(nStartPos);
        if (nStartPos == -1)
            return false;
    }
    PlaceData(pszData, nStartPos, bInsert, bKeepPrompt);
    UpdateDisplay();
    return true;
}

void CEditMask::GetData(CString& strData, bool bTrim)
{
    if (HasMask())
        strData = CollectData(0, GetMaskLength());
    else
        strData = m_pSurface != NULL ? m_pSurface->GetEditText() : m_strDisplay;
    if (bTrim)
        strData.TrimRight(' ');
}

CString& CEditMask::GetRawData()
{
    return m_strDisplay;
}

bool CEditMask::InsertMode()
{
    return m_bInsertMode;
}

bool CEditMask::IsCharValid(int nPos, char& ch)
{
    const DWORD dwStyle = GetControlStyle();
    if (dwStyle & ES_UPPERCASE)
        ch = AfxCharUpper(ch);
    else if (dwStyle & ES_LOWERCASE)
        ch = AfxCharLower(ch);
    if (nPos < 0 || nPos >= GetMaskLength())
        return false;
    const char chMask = m_strMask[nPos];
    if (!IsMaskChar(chMask))
        return false;
    switch (chMask) {
    case '#':
        return IsDigit(ch);
    case '&':
        return true;
    case '?':
        return AfxIsCharAlpha(ch) != FALSE;
    case 'A':
        return AfxIsCharAlpha(ch) || IsDigit(ch);
    case 'L':
        if (!AfxIsCharAlpha(ch))
            return false;
        if (!(dwStyle & ES_UPPERCASE))
            ch = AfxCharLower(ch);
        return true;
    case 'U':
        if (!AfxIsCharAlpha(ch))
            return false;
        if (!(dwStyle & ES_LOWERCASE))
            ch = AfxCharUpper(ch);
        return true;
    default:
        // A placeholder that a derived class added and did not teach this
        // check: nothing is known to fit it.
        return false;
    }
}

bool CEditMask::IsMaskChar(char ch)
{
    switch (ch) {
    case '#':
    case '&':
    case '?':
    case 'A':
    case 'L':
    case 'U':
        return true;
    default:
        return false;
    }
}

void CEditMask::UpdateDisplayStr()
{
    ConvertMaskToDisplayStr(m_strMask, m_strDisplay);
}

void CEditMask::ConvertMaskToDisplayStr(CString strMask, CString& strDisplay)
{
    strDisplay.Empty();
    for (int i = 0; i < strMask.GetLength(); ++i)
        strDisplay += IsMaskChar(strMask[i]) ? m_chPrompt : strMask[i];
}

void CEditMask::ParseMaskString()
{
    CString strParsed;
    bool bEscape = false;
    for (int i = 0; i < m_strMask.GetLength(); ++i) {
        const char ch = m_strMask[i];
        if (!IsMaskChar(ch) && !bEscape) {
            if (ch == '\\')
                bEscape = true;
            else
                strParsed += ch;
        } else if (bEscape) {
            strParsed += ch;
            bEscape = false;
        } else {
            strParsed += ch;
        }
    }
    m_strMask = strParsed;
}

int CEditMask::FindLastFilledDataPos(int nPos)
{
    const int nLength = GetMaskLength();
    if (nLength == 0)
        return 0;
    bool bPastEnd = false;
    if (nPos >= nLength && nPos != 0) {
        const int nLast = nLength - 1;
        if (!IsMaskChar(m_strMask[nLast]) && !IsPromptAt(nLast))
            return nPos;
        nPos = nLast;
        bPastEnd = true;
    }
    const int nData = IsDataPos(nPos) ? nPos : GetNextDataPos(nPos);
    if (nData >= 0 && nData < nLength && !IsPromptAt(nData)) {
        // Asked for the end with the last position filled: the caret belongs
        // after that character, not on it (End and a click past the text of
        // a full field; Backspace then removes the last character).
        return bPastEnd ? nLength : nPos;
    }
    // Back over the empty data positions to the last filled one.
    int p = IsDataPos(nPos) ? nPos : GetPrevDataPos(nPos);
    while (p > 0 && IsPromptAt(p)) {
        const int nPrev = GetPrevDataPos(p);
        if (nPrev == -1)
            break;
        p = nPrev;
    }
    if (p > 0 && !IsPromptAt(p))
        return p + 1;
    if (p == 0 && IsDataPos(0) && !IsPromptAt(0))
        return 1;
    return GetNextDataPos(-1);
}

bool CEditMask::PushChar(int nPos, char ch, bool bUpdate)
{
    if (nPos < 0 || nPos > GetMaskLength())
        return false;
    // Only a data position can take a character; a literal keeps its own.
    if (!IsDataPos(nPos))
        return false;
    int nFilled = GetPrevDataPos(GetMaskLength());
    if (nFilled == -1 || !IsPromptAt(nFilled))
        return false;  // the field is full
    while (nFilled != -1 && IsPromptAt(nFilled))
        nFilled = GetPrevDataPos(nFilled);
    for (int i = nFilled; i != -1 && i >= nPos; i = GetPrevDataPos(i)) {
        const int nNext = GetNextDataPos(i);
        if (nNext >= 0 && nNext < GetMaskLength())
            m_strDisplay.SetAt(nNext, m_strDisplay[i]);
    }
    m_strDisplay.SetAt(nPos, ch);
    if (bUpdate) {
        UpdateDisplay();
        const int nNext = GetNextDataPos(nPos);
        SetCaret(nNext == -1 ? nPos + 1 : nNext);
    }
    return true;
}

void CEditMask::PullChar(int nFrom, int nTo)
{
    const int nLength = GetMaskLength();
    if (nFrom < 0 || nFrom > nLength)
        return;
    int nDest = IsDataPos(nTo) ? nTo : GetNextDataPos(nTo);
    // Nothing to close when no data position lies between the two ends.
    if (nDest < 0 || nDest >= nLength || nDest > nFrom)
        return;
    int nSrc = nFrom == nLength ? -1 : (IsDataPos(nFrom) ? nFrom : GetNextDataPos(nFrom));
    while (nSrc != -1 && nDest != -1) {
        m_strDisplay.SetAt(nDest, m_strDisplay[nSrc]);
        nSrc = GetNextDataPos(nSrc);
        nDest = GetNextDataPos(nDest);
    }
    while (nDest != -1) {
        m_strDisplay.SetAt(nDest, m_chPrompt);
        nDest = GetNextDataPos(nDest);
    }
}

int CEditMask::SetCursorPos(int nPos, int nDirection, bool bSelect)
{
    const int nLength = GetMaskLength();
    if (nLength == 0)
        return nPos;
    const int nExtra = bSelect ? 1 : 0;
    int r;
    if (nDirection == 1) {
        r = GetNextDataPos(nPos);
        if (r != -1)
            ShowSelection(r, r + nExtra);
        else if (nPos >= 0)
            ShowSelection(nPos + 1, nPos + 1 + nExtra);  // past the last data position
        else
            SetCaret(0);
    } else {
        r = GetPrevDataPos(nPos);
        if (r != -1)
            ShowSelection(r, r + nExtra);
    }
    return r >= 0 && r < nLength ? r : -1;
}

int CEditMask::GetNextDataPos(int nPos)
{
    const int nLength = GetMaskLength();
    if (nLength == 0 || nPos >= nLength)
        return nPos;
    for (int i = nPos < 0 ? 0 : nPos + 1; i < nLength; ++i) {
        if (IsMaskChar(m_strMask[i]))
            return i;
    }
    return -1;
}

int CEditMask::GetPrevDataPos(int nPos)
{
    const int nLength = GetMaskLength();
    if (nLength == 0)
        return nPos;
    for (int i = (nPos > nLength ? nLength : nPos) - 1; i >= 0; --i) {
        if (IsMaskChar(m_strMask[i]))
            return i;
    }
    return -1;
}

void CEditMask::UpdateDisplay()
{
    ShowDisplayString(m_strDisplay);
    m_strUndo = m_strLastShown;
    m_strLastShown = m_strDisplay;
}

int CEditMask::CanUndo()
{
    return m_strUndo != m_strDisplay ? TRUE : FALSE;
}

int CEditMask::Undo()
{
    if (!CanUndo())
        return FALSE;
    // An undo text of another length would break the display's invariant.
    if (HasMask() && m_strUndo.GetLength() != GetMaskLength())
        return FALSE;
    m_strDisplay = m_strUndo;
    UpdateDisplay();
    return TRUE;
}

void CEditMask::EmptyUndoBuffer()
{
    CString strEmpty;
    ConvertMaskToDisplayStr(m_strMask, strEmpty);
    m_strUndo = strEmpty;
    m_strLastShown = strEmpty;
}

int CEditMask::IsValidDropData(LPCSTR pszText, int nPos)
{
    if (!HasMask())
        return TRUE;
    if (pszText == NULL || nPos < 0)
        return FALSE;
    const char* p = pszText;
    for (int i = nPos; *p != 0 && i < GetMaskLength(); ++i) {
        if (!IsMaskChar(m_strMask[i]))
            continue;
        char ch = *p++;
        if (!IsCharValid(i, ch))
            return FALSE;
    }
    return TRUE;
}

void CEditMask::ClearData()
{
    UpdateDisplayStr();
    UpdateDisplay();
}

// ---------------------------------------------------------- control logic

void CEditMask::PlaceCaret(int nPos)
{
    int p = FindLastFilledDataPos(nPos);
    if (p != GetMaskLength() && !IsDataPos(p)) {
        // SetCursorPos puts the caret itself, also when no data position follows.
        SetCursorPos(p, 1, false);
        return;
    }
    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    if (nStart != p || nEnd != p)
        SetCaret(p);
}

void CEditMask::PlaceCaretAfterClick()
{
    if (!HasMask())
        return;
    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    if (nStart == nEnd)
        PlaceCaret(nStart);
}

bool CEditMask::HandleChar(UINT nChar)
{
    if (IsReadOnly())
        return true;
    if ((m_pSurface != NULL && m_pSurface->IsEditKeyDown(VK_CONTROL)) || !HasMask())
        return false;
    if (m_bSwallowChar) {
        m_bSwallowChar = false;
        return true;
    }
    m_bSwallowChar = false;

    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    int t;
    if (nStart == nEnd) {
        t = SetCursorPos(nStart - 1, 1, false);
        if (t == -1) {
            if (m_pSurface != NULL)
                m_pSurface->Beep();
            return true;
        }
    } else {
        t = IsDataPos(nStart) ? nStart : SetCursorPos(nStart, 1, false);
        if (t == -1 || t >= nEnd) {
            if (m_pSurface != NULL)
                m_pSurface->Beep();
            return true;
        }
    }
    char ch = (char)nChar;
    if (!IsCharValid(t, ch)) {
        if (m_pSurface != NULL)
            m_pSurface->Beep();
        return true;
    }
    if (m_bInsertMode) {
        if (t + 1 <= nEnd)
            PullChar(nEnd, t);
        // A full field takes nothing, silently; the caret still moves on.
        PushChar(t, ch, true);
    } else {
        if (t + 1 < nEnd)
            PullChar(nEnd, t + 1);
        m_strDisplay.SetAt(t, ch);
    }
    UpdateDisplay();
    SetCursorPos(t, 1, false);
    return true;
}

bool CEditMask::HandleKeyDown(UINT nVirtKey)
{
    if (IsReadOnly() && (nVirtKey == VK_BACK || nVirtKey == VK_DELETE))
        return true;
    if (!HasMask())
        return false;

    const int nLength = GetMaskLength();
    const bool bShift = m_pSurface != NULL && m_pSurface->IsEditKeyDown(VK_SHIFT);
    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    const bool bSelection = nStart != nEnd;

    switch (nVirtKey) {
    case VK_BACK:
    case VK_DELETE:
        if (bSelection) {
            PullChar(nEnd, nStart);
            UpdateDisplay();
            int p = IsDataPos(nStart) ? nStart : GetNextDataPos(nStart);
            if (p < 0 || p >= nLength) {
                const int nLast = GetPrevDataPos(nLength);
                p = nLast == -1 ? nStart : nLast + 1;
            }
            SetCaret(p);
        } else if (nVirtKey == VK_BACK) {
            const int p = GetPrevDataPos(nStart);
            if (p != -1) {
                PullChar(nStart, p);
                UpdateDisplay();
                SetCaret(p);
            }
        } else {
            const int n = GetNextDataPos(nStart);
            if (n == -1) {
                PullChar(nStart + 1, nStart);
                UpdateDisplay();
                SetCaret(nStart);
            } else if (nStart < nLength) {
                PullChar(n, nStart);
                UpdateDisplay();
                SetCaret(nStart);
            }
        }
        break;
    case VK_HOME:
        if (bShift)
            ShowSelection(0, nStart);
        else
            SetCursorPos(-1, 1, false);
        break;
    case VK_END:
        if (bShift)
            ShowSelection(nStart, nLength);
        else
            PlaceCaret(nLength);
        break;
    case VK_LEFT:
        m_bSwallowChar = true;
        if (bShift)
            return false;
        if (!bSelection) {
            SetCursorPos(nStart, -1, false);
        } else {
            const int p = FindLastFilledDataPos(nLength);
            if (nEnd < p)
                SetCursorPos(nEnd, -1, false);
            else
                SetCursorPos(p, 1, false);
        }
        break;
    case VK_RIGHT:
        m_bSwallowChar = true;
        if (bShift)
            return false;
        if (bSelection)
            SetCursorPos(nEnd, 1, false);
        else if (nStart < FindLastFilledDataPos(nLength))
            SetCursorPos(nStart, 1, false);
        break;
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_INSERT:
        m_bInsertMode = !m_bInsertMode;
        break;
    default:
        m_bSwallowChar = false;
        return false;
    }
    m_bSwallowChar = true;
    return true;
}

bool CEditMask::CopySelection()
{
    if (m_pSurface == NULL)
        return false;
    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    // Nothing selected, nothing copied: the clipboard keeps what the user had
    // put there, as the plain edit control's copy does.
    if (nStart == nEnd)
        return false;
    return m_pSurface->PutClipboardText(CollectData(nStart, nEnd));
}

void CEditMask::EditCopy()
{
    CopySelection();
}

void CEditMask::EditCut()
{
    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    // What did not reach the clipboard stays in the field, and a read-only
    // field keeps its data: the cut is then only a copy.
    if (!CopySelection() || IsReadOnly())
        return;
    if (nStart != nEnd) {
        PullChar(nEnd, nStart);
        UpdateDisplay();
    }
    SetCaret(nStart);
}

void CEditMask::EditPaste()
{
    if (m_pSurface == NULL || IsReadOnly() || !m_pSurface->IsClipboardTextAvailable())
        return;
    int nStart, nEnd;
    GetSelection(nStart, nEnd);
    if (nStart < 0 || nStart >= GetMaskLength())
        return;
    CString strText;
    if (!m_pSurface->GetClipboardText(strText))
        return;
    if (nStart != nEnd)
        PullChar(nEnd, nStart);
    if (nStart == 0) {
        // SetData from position 0 would first empty the whole field; a paste
        // inserts at the caret and keeps the data after it.
        PlaceData(strText, IsDataPos(0) ? 0 : GetNextDataPos(0), true, true);
        UpdateDisplay();
    } else {
        SetData(strText, nStart, true, true);
    }
    const int p = IsDataPos(nStart) ? nStart : GetNextDataPos(nStart);
    SetCaret(p == -1 ? nStart : p);
}

CString CEditMask::GetDragText(int nStart, int nEnd)
{
    if (nStart > nEnd) {
        const int n = nStart;
        nStart = nEnd;
        nEnd = n;
    }
    if (HasMask())
        return CollectData(nStart, nEnd);
    if (m_pSurface == NULL)
        return CString();
    return m_pSurface->GetEditText().Mid(nStart, nEnd - nStart);
}

void CEditMask::RemoveDraggedText(int nStart, int nEnd)
{
    if (nStart > nEnd) {
        const int n = nStart;
        nStart = nEnd;
        nEnd = n;
    }
    if (HasMask()) {
        PullChar(nEnd, nStart);
        UpdateDisplay();
        SetCaret(nStart);
        return;
    }
    if (m_pSurface == NULL)
        return;
    CString strText = m_pSurface->GetEditText();
    if (nStart < 0)
        nStart = 0;
    if (nStart < strText.GetLength() && nEnd > nStart)
        strText.Delete(nStart, nEnd - nStart);
    m_pSurface->SetEditText(strText);
    m_pSurface->SetEditModify(true);
    SetCaret(nStart > strText.GetLength() ? strText.GetLength() : nStart);
}

LRESULT CEditMask::DropText(LPCSTR pszText, int nIndex)
{
    if (pszText == NULL)
        return 0;
    if (HasMask())
        return SetData(pszText, nIndex, false, false) ? 1 : 0;
    if (m_pSurface == NULL)
        return 0;
    CString strText = m_pSurface->GetEditText();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > strText.GetLength())
        nIndex = strText.GetLength();
    strText.Insert(nIndex, pszText);
    m_pSurface->SetEditText(strText);
    return 1;
}

LRESULT CEditMask::ValidateDrop(LPCSTR pszText, int nIndex)
{
    if (pszText == NULL)
        return 1;
    if (!HasMask()) {
        if (m_pSurface == NULL)
            return 1;
        const long long nTotal = (long long)strlen(pszText) + m_pSurface->GetEditText().GetLength();
        return nTotal > m_pSurface->GetEditLimit() ? 1 : 0;
    }
    // SetData takes no start at or past the end, so such a drop cannot land.
    if (nIndex < 0 || nIndex >= GetMaskLength())
        return 1;
    return IsValidDropData(pszText, nIndex) ? 0 : 1;
}
