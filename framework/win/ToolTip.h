// The tool-tip control: a pop-up window that shows a short text for each of
// its tools (a whole window, or a rectangle of one). The owner passes the
// mouse messages of the tools to RelayEvent, as the control does not
// subclass them.
#pragma once

#include "win/Platform.h"
#include "core/String.h"
#include "win/Wnd.h"

class FRAMEWORK_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl();
    virtual ~CToolTipCtrl();

    // A pop-up tool-tip window owned by pParentWnd (TTS_ styles in dwStyle).
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

    // A tool is pWnd as a whole when nIDTool is 0 (lpRectTool must then be
    // NULL), else the rectangle lpRectTool of pWnd's client area under the ID
    // nIDTool. The text is the string resource nIDText (looked up from the
    // current resource module through the extension modules, loaded when
    // shown), or lpszText, or asked of the window by TTN_NEEDTEXT.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    int GetToolCount() const;
    // The tool's text, empty for an unknown tool.
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);

    // An inactive control shows nothing.
    void Activate(BOOL bActivate);
    // Passes a mouse message of a tool's window to the control.
    void RelayEvent(LPMSG lpMsg);
    // The initial delay, in milliseconds.
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    int SetMaxTipWidth(int iWidth);
    void Pop();
    void Update();

protected:
    // The identity of a tool as the control knows it.
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
