// The icon button.
#include "menus/ButtonIco.h"

#include "frame/Frame.h"
#include "menus/MenusRes.h"

BEGIN_MESSAGE_MAP(CButtonIco, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_ENABLE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CButtonIco::CButtonIco(HWND hWndNotify) : m_hWndNotify(hWndNotify), m_hIconOwned(NULL) {}

CButtonIco::~CButtonIco()
{
    // The window goes before the icon it shows.
    DestroyWindow();
    if (m_hIconOwned != NULL)
        ::DestroyIcon(m_hIconOwned);
}

BOOL CButtonIco::CreateIco(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (m_hWndNotify == NULL && pParentWnd != NULL)
        m_hWndNotify = pParentWnd->GetSafeHwnd();
    return CreateEx(dwExStyle, "BUTTON", "", dwStyle | WS_CHILD | WS_VISIBLE | BS_ICON | BS_CENTER, rect, pParentWnd,
                    nID);
}

bool CButtonIco::SetIconID(UINT nID, HINSTANCE hInstance, CSize* pSize)
{
    CSize size;
    if (pSize != NULL) {
        size = *pSize;
    } else {
        CRect rcClient;
        GetClientRect(&rcClient);
        size = CSize(rcClient.Height() - 3, rcClient.Height() - 3);
    }
    if (hInstance == NULL)
        hInstance = AfxGetResourceHandle();
    // Shared: the system keeps the icon, the button only shows it.
    HICON hIcon = static_cast<HICON>(::LoadImageA(hInstance, MAKEINTRESOURCEA(nID), IMAGE_ICON, size.cx, size.cy,
                                                  LR_SHARED | LR_LOADMAP3DCOLORS | LR_VGACOLOR));
    HICON hCopy = NULL;
    if (hIcon == NULL) {
        // A copy of the system's icon is ours, and must be destroyed once
        // the button stops showing it.
        hCopy = static_cast<HICON>(
            ::CopyImage(::LoadIcon(NULL, IDI_EXCLAMATION), IMAGE_ICON, size.cx, size.cy, LR_COPYDELETEORG));
        hIcon = hCopy;
    }
    if (hIcon == NULL)
        return false;
    SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon));
    if (m_hIconOwned != NULL)
        ::DestroyIcon(m_hIconOwned);
    m_hIconOwned = hCopy;
    return true;
}

bool CButtonIco::SetIconMemo()
{
    return SetIconID(IDI_EXTKIT_MEMO, GetExtkitInstance(), NULL);
}

void CButtonIco::OnClicked()
{
    SetButtonStyle(GetButtonStyle() & ~BS_DEFPUSHBUTTON);
    // A notify window that has gone hears nothing.
    if (m_hWndNotify != NULL && ::IsWindow(m_hWndNotify) && IsWindowEnabled())
        ::PostMessageA(m_hWndNotify, WM_BUTTONICO_CLICKED, 1, reinterpret_cast<LPARAM>(m_hWndNotify));
}

void CButtonIco::OnEnable(BOOL bEnable)
{
    Default();
    ShowWindow(bEnable ? SW_SHOW : SW_HIDE);
}

void CButtonIco::OnDestroy()
{
    // The button stops showing the icon before the icon can go.
    SendMessage(BM_SETIMAGE, IMAGE_ICON, 0);
    Default();
}
