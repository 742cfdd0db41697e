// CButtonIco: a push button that shows an icon, hides itself while it is
// disabled, and posts the message 0x7FFF (wParam 1, lParam the notify
// window's own handle) to its notify window when it is clicked.
#pragma once

#include <afxwin.h>

#include "frame/ExtkitApi.h"

// What a clicked icon button posts to its notify window.
#define WM_BUTTONICO_CLICKED 0x7FFF

class EXTKIT_API CButtonIco : public CButton {
public:
    // hWndNotify: the window told of clicks; null: the parent, at CreateIco.
    explicit CButtonIco(HWND hWndNotify = NULL);
    virtual ~CButtonIco();

    // A "BUTTON" window with no text, dwStyle plus WS_CHILD, WS_VISIBLE,
    // BS_ICON and BS_CENTER.
    BOOL CreateIco(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Shows icon nID of hInstance (null: the current resource module) at
    // *pSize (null: a square as high as the client area less 3 pixels); a
    // missing icon shows the system's exclamation icon instead. False when
    // there is no icon to show.
    bool SetIconID(UINT nID, HINSTANCE hInstance = NULL, CSize* pSize = NULL);
    // The library's own note icon (166).
    bool SetIconMemo();

protected:
    void OnClicked();
    void OnEnable(BOOL bEnable);
    void OnDestroy();

    HWND m_hWndNotify;
    HICON m_hIconOwned;  // the exclamation icon's copy, ours to destroy

    DECLARE_MESSAGE_MAP()
};
