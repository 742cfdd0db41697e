// Control bars and the toolbar built from a toolbar resource. CToolBar is a
// toolbar common control whose buttons and images come from a resource (a
// list of command identifiers and a bitmap of the same name). Without frame
// windows to lay bars out, a bar aligned to its parent's top or bottom edge
// lets the control place itself there; any other bar is placed by its host.
#pragma once

#include "win/Platform.h"
#include "core/Geometry.h"
#include "win/Wnd.h"

class CToolBarCtrl;

// Control-bar styles: what the bar is, kept in its bar style apart from the
// window style.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// The toolbar resource type (a version, the image size, the commands).
#ifndef RT_TOOLBAR
#    define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

#ifndef AFX_IDW_TOOLBAR
#    define AFX_IDW_TOOLBAR 0xE800
#endif
#ifndef ID_SEPARATOR
#    define ID_SEPARATOR 0
#endif

// Button styles as CToolBar reports them: the control's style in the low
// word, its state in the high word (with TBBS_DISABLED for a button that is
// not enabled).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)

class FRAMEWORK_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    virtual ~CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }
    // The number of items (buttons for a toolbar).
    virtual int GetCount() const;

protected:
    DWORD m_dwStyle;  // the CBRS_ styles
};

class FRAMEWORK_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    // Frees the bitmap LoadBitmap loaded.
    virtual ~CToolBar();

    // dwStyle: window styles and CBRS_ styles (CBRS_TOOLTIPS gives the
    // buttons tool-tips).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // dwCtrlStyle: the control's TBSTYLE_ styles.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    // The button's size and the image's inside it (the button at least 7
    // pixels wider and higher).
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // The buttons, the sizes and the images of toolbar resource
    // lpszResourceName and the bitmap of the same name, looked up from the
    // current resource module through the extension modules.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
    // The images of a bitmap resource, cut at the image width.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // Replaces the images with those of a bitmap the caller keeps; the
    // control copies them.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    // One button per identifier, images in order; ID_SEPARATOR makes a
    // separator. A null array makes nIDCount empty buttons, to be set with
    // SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    // The index of the button with that command, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    virtual int GetCount() const;

    // The same window as the control's wrapper, for its messages.
    CToolBarCtrl& GetToolBarCtrl() const;

protected:
    CSize m_sizeButton;
    CSize m_sizeImage;
    HBITMAP m_hbmImageWell;  // the bitmap whose images the buttons show now
    HBITMAP m_hbmLoaded;     // the one LoadBitmap loaded, ours to free
};
