// Mask scripts on a real window.
#include "edit/WindowMaskTarget.h"

#include "edit/EditEx.h"
#include "edit/HeadlessEditSurface.h"

#include <afxwin.h>

// The control with its beeps counted as the mask logic makes them.
class CCountingEditEx : public CEditEx {
public:
    CCountingEditEx() : m_countingSurface(this) { SetSurface(&m_countingSurface); }
    int m_nBeeps = 0;

private:
    class CCountingSurface : public CWindowSurface {
    public:
        explicit CCountingSurface(CCountingEditEx* pEdit) : CWindowSurface(pEdit), m_pEdit(pEdit) {}
        void Beep() override
        {
            ++m_pEdit->m_nBeeps;
            CWindowSurface::Beep();
        }

    private:
        CCountingEditEx* m_pEdit;
    };
    CCountingSurface m_countingSurface;
};

namespace {

// The lParam of a key message: repeat count 1, the key's scan code, the
// extended flag for the navigation keys, and for a release the previous-state
// and transition bits.
LPARAM KeyLParam(UINT nVirtKey, bool bRelease)
{
    DWORD dw = 1 | (::MapVirtualKeyA(nVirtKey, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    switch (nVirtKey) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        dw |= 1u << 24;
        break;
    default:
        break;
    }
    if (bRelease)
        dw |= (1u << 30) | (1u << 31);
    return static_cast<LPARAM>(dw);
}

// Shift held in this thread's keyboard state while the object lives.
class CShiftState {
public:
    explicit CShiftState(bool bShift) : m_bSaved(::GetKeyboardState(m_abSaved) != FALSE)
    {
        BYTE abState[256];
        ::CopyMemory(abState, m_abSaved, sizeof(abState));
        abState[VK_SHIFT] = abState[VK_LSHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(abState);
    }
    ~CShiftState()
    {
        if (m_bSaved)
            ::SetKeyboardState(m_abSaved);
    }
    CShiftState(const CShiftState&) = delete;
    CShiftState& operator=(const CShiftState&) = delete;

private:
    BYTE m_abSaved[256];
    bool m_bSaved;
};

}  // namespace

CWindowMaskTarget::CWindowMaskTarget() : m_pHost(new CWnd)
{
    if (!m_pHost->CreateEx(0, NULL, "Маска ввода", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 460, 120, NULL,
                           NULL))
        m_pHost.reset();
}

CWindowMaskTarget::~CWindowMaskTarget()
{
    m_pEdit.reset();
    m_pHost.reset();
    CWnd::DeleteTempMap();
}

bool CWindowMaskTarget::IsReady() const
{
    return m_pHost != nullptr;
}

bool CWindowMaskTarget::Reset(LPCSTR pszMask, char chPrompt, DWORD dwStyle)
{
    m_pEdit.reset(new CCountingEditEx);
    if (m_pHost == nullptr ||
        !m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(10, 10, 440, 34),
                         m_pHost.get(), 100))
        return false;
    m_pEdit->SetFocus();
    m_pEdit->SetPromptChar(chPrompt);
    m_pEdit->SetMask(pszMask);
    // Each script starts with an empty clipboard, as the in-memory one does.
    {
        CClipboard clipboard(m_pHost->m_hWnd);
        if (clipboard.IsOpen())
            ::EmptyClipboard();
    }
    Pump();
    return m_pEdit->HasMask();
}

CEditMask& CWindowMaskTarget::Model()
{
    return *m_pEdit;
}

void CWindowMaskTarget::Pump()
{
    // The keyboard driver has already made the characters: no TranslateMessage.
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(m_pHost->m_hWnd, &msg))
            ::DispatchMessageA(&msg);
    }
}

void CWindowMaskTarget::Key(UINT nVirtKey, UINT nChar, bool bShift)
{
    CShiftState shift(bShift);
    const HWND hEdit = m_pEdit->m_hWnd;
    ::PostMessageA(hEdit, WM_KEYDOWN, nVirtKey, KeyLParam(nVirtKey, false));
    if (nChar != 0)
        ::PostMessageA(hEdit, WM_CHAR, nChar, KeyLParam(nVirtKey, false));
    ::PostMessageA(hEdit, WM_KEYUP, nVirtKey, KeyLParam(nVirtKey, true));
    Pump();
}

void CWindowMaskTarget::TypeChar(char ch)
{
    Key(CHeadlessMaskedEdit::CharKey(ch), static_cast<BYTE>(ch), false);
}

void CWindowMaskTarget::PressKey(UINT nVirtKey, bool bShift)
{
    Key(nVirtKey, nVirtKey == VK_BACK ? '\b' : 0, bShift);
}

void CWindowMaskTarget::Select(int nStart, int nEnd)
{
    m_pEdit->SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd));
}

void CWindowMaskTarget::Click(int nPos)
{
    // A point just inside the left edge of character nPos: the edit control
    // puts the caret before that character. Past the text, beyond its end.
    const int nLength = m_pEdit->GetWindowTextLength();
    CPoint pt(3, 8);
    if (nLength > 0 && nPos > 0) {
        const int nChar = nPos < nLength ? nPos : nLength - 1;
        const LRESULT lPos = m_pEdit->SendMessage(EM_POSFROMCHAR, static_cast<WPARAM>(nChar), 0);
        pt = CPoint(static_cast<short>(LOWORD(lPos)) + 1, static_cast<short>(HIWORD(lPos)) + 3);
        if (nPos >= nLength) {
            CRect rcClient;
            m_pEdit->GetClientRect(&rcClient);
            pt.x = rcClient.right - 2;
        }
    }
    const HWND hEdit = m_pEdit->m_hWnd;
    ::PostMessageA(hEdit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hEdit, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    Pump();
}

void CWindowMaskTarget::Command(UINT nID)
{
    // As a host's Edit menu sends it to the focused control.
    ::PostMessageA(m_pEdit->m_hWnd, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    Pump();
}

void CWindowMaskTarget::Copy()
{
    Command(ID_EDIT_COPY);
}

void CWindowMaskTarget::Cut()
{
    Command(ID_EDIT_CUT);
}

void CWindowMaskTarget::Paste(LPCSTR pszText)
{
    {
        CClipboard clipboard(m_pHost->m_hWnd);
        clipboard.SetText(pszText);
    }
    Command(ID_EDIT_PASTE);
}

void CWindowMaskTarget::GetSelection(int& nStart, int& nEnd)
{
    m_pEdit->GetSel(nStart, nEnd);
}

int CWindowMaskTarget::GetBeepCount()
{
    return m_pEdit->m_nBeeps;
}

bool CWindowMaskTarget::GetClipboardText(std::string& strText)
{
    CClipboard clipboard(m_pHost->m_hWnd);
    CString str;
    if (!clipboard.GetText(str))
        return false;
    strText.assign(str, str.GetLength());
    return true;
}
