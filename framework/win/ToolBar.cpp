// Control bars and the toolbar from a toolbar resource.
#include "win/ToolBar.h"
#include "win/ModuleState.h"
#include "win/ToolBarCtrl.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CControlBar::CControlBar() : m_dwStyle(0) {}

CControlBar::~CControlBar() {}

int CControlBar::GetCount() const
{
    return 0;
}

namespace {

// A toolbar resource: version 1, the image width and height, the count and
// the commands, all 16-bit. The GNU resource compiler writes its TOOLBAR
// statement differently: width, height, count and commands 32-bit, without
// the version; that is read too.
bool ReadToolBarResource(const BYTE* pData, DWORD dwSize, CSize& sizeImage, std::vector<UINT>& items)
{
    WORD awHead[4] = {};
    if (dwSize >= sizeof(awHead)) {
        std::memcpy(awHead, pData, sizeof(awHead));
        if (awHead[0] == 1 && sizeof(awHead) + awHead[3] * sizeof(WORD) <= dwSize) {
            sizeImage = CSize(awHead[1], awHead[2]);
            for (DWORD i = 0; i < awHead[3]; ++i) {
                WORD wID = 0;
                std::memcpy(&wID, pData + sizeof(awHead) + i * sizeof(WORD), sizeof(wID));
                items.push_back(wID);
            }
            return true;
        }
    }
    DWORD adwHead[3] = {};
    if (dwSize < sizeof(adwHead))
        return false;
    std::memcpy(adwHead, pData, sizeof(adwHead));
    if (adwHead[2] > (dwSize - sizeof(adwHead)) / sizeof(DWORD) ||
        sizeof(adwHead) + adwHead[2] * sizeof(DWORD) != dwSize || adwHead[0] > 0xFFFF || adwHead[1] > 0xFFFF)
        return false;
    sizeImage = CSize(static_cast<int>(adwHead[0]), static_cast<int>(adwHead[1]));
    for (DWORD i = 0; i < adwHead[2]; ++i) {
        DWORD dwID = 0;
        std::memcpy(&dwID, pData + sizeof(adwHead) + i * sizeof(DWORD), sizeof(dwID));
        items.push_back(dwID);
    }
    return true;
}

}  // namespace

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

CToolBar::CToolBar() : m_sizeButton(23, 22), m_sizeImage(16, 15), m_hbmImageWell(NULL), m_hbmLoaded(NULL) {}

CToolBar::~CToolBar()
{
    // The window goes first: it must not draw from a bitmap that is gone.
    DestroyWindow();
    if (m_hbmLoaded != NULL)
        ::DeleteObject(m_hbmLoaded);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL)
        return FALSE;
    SetBarStyle(dwStyle);
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NODIVIDER | WS_CHILD;
    if (dwStyle & CBRS_TOOLTIPS)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    if (dwStyle & CBRS_ALIGN_TOP)
        dwWndStyle |= CCS_TOP;
    else if (dwStyle & CBRS_ALIGN_BOTTOM)
        dwWndStyle |= CCS_BOTTOM;
    else
        dwWndStyle |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    SendMessage(TB_AUTOSIZE);
    Invalidate();
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    if (m_hWnd == NULL || lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != NULL ? static_cast<const BYTE*>(::LockResource(hGlobal)) : NULL;
    const DWORD dwSize = ::SizeofResource(hInst, hRsrc);
    if (pData == NULL)
        return FALSE;
    CSize sizeImage;
    std::vector<UINT> items;
    if (!ReadToolBarResource(pData, dwSize, sizeImage, items))
        return FALSE;
    const DWORD dwCount = static_cast<DWORD>(items.size());
    if (!SetButtons(items.data(), static_cast<int>(dwCount)))
        return FALSE;
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (m_hWnd == NULL || lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    // The greys of a low-colour picture follow the user's button colours.
    HBITMAP hbm = static_cast<HBITMAP>(::LoadImageA(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (hbm == NULL)
        return FALSE;
    if (!SetBitmap(hbm)) {
        ::DeleteObject(hbm);
        return FALSE;
    }
    m_hbmLoaded = hbm;
    return TRUE;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (m_hWnd == NULL || hbmImageWell == NULL)
        return FALSE;
    BITMAP bm = {};
    if (!::GetObjectA(hbmImageWell, sizeof(bm), &bm) || m_sizeImage.cx <= 0)
        return FALSE;
    const int nImages = bm.bmWidth / m_sizeImage.cx;
    BOOL bResult;
    if (m_hbmImageWell != NULL) {
        TBREPLACEBITMAP tbrb = {};
        tbrb.hInstOld = NULL;
        tbrb.nIDOld = reinterpret_cast<UINT_PTR>(m_hbmImageWell);
        tbrb.hInstNew = NULL;
        tbrb.nIDNew = reinterpret_cast<UINT_PTR>(hbmImageWell);
        tbrb.nButtons = nImages;
        bResult = static_cast<BOOL>(SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&tbrb)));
    } else {
        TBADDBITMAP tbab = {};
        tbab.hInst = NULL;
        tbab.nID = reinterpret_cast<UINT_PTR>(hbmImageWell);
        bResult = SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nImages), reinterpret_cast<LPARAM>(&tbab)) != -1;
    }
    if (!bResult)
        return FALSE;
    // The control has its own copy of the images now.
    if (m_hbmLoaded != NULL && m_hbmLoaded != hbmImageWell) {
        ::DeleteObject(m_hbmLoaded);
        m_hbmLoaded = NULL;
    }
    m_hbmImageWell = hbmImageWell;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == NULL || nIDCount < 0)
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT) > 0) {
        if (!SendMessage(TB_DELETEBUTTON, 0))
            return FALSE;
    }
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.fsState = TBSTATE_ENABLED;
        button.iString = -1;
        if (lpIDArray == NULL) {
            // Empty buttons the caller fills in.
            button.iBitmap = i;
            continue;
        }
        button.idCommand = static_cast<int>(lpIDArray[i]);
        if (lpIDArray[i] == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 8;  // the separator's width
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = iImage++;
        }
    }
    if (nIDCount > 0 &&
        !SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    SendMessage(TB_AUTOSIZE);
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessageA(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    // TBBS_DISABLED is the enabled bit turned round.
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    UINT nID = 0, nOldStyle = 0;
    int iImage = 0;
    GetButtonInfo(nIndex, nID, nOldStyle, iImage);
    SetButtonInfo(nIndex, nID, nStyle, iImage);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button = {};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button))) {
        nID = 0;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = static_cast<UINT>(button.idCommand);
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    // A button is replaced whole: the control has no message for its style.
    TBBUTTON button = {};
    button.idCommand = static_cast<int>(nID);
    button.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
    button.fsState = static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    button.iBitmap = iImage;
    button.iString = -1;
    if (SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)))
        SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
}

int CToolBar::GetCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    // Both are a CWnd on the same window and nothing more: the control's
    // members only send messages to m_hWnd.
    return *reinterpret_cast<CToolBarCtrl*>(const_cast<CToolBar*>(this));
}
