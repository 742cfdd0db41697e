// The menu-customisation dialog, the toolbar built from a menu, and the menu
// functions: command updates, finding a command's menu and deep copies.
#include "menus/CustomizeMenuTreeDlg.h"

#include "menus/MenusRes.h"
#include "menus/ToolBarTrueColor.h"

#include <vector>

namespace {

// The picture of a menu item: its checked-state bitmap, else its
// unchecked-state one.
HBITMAP ItemPicture(const MENUITEMINFO& mii)
{
    return mii.hbmpChecked != NULL ? mii.hbmpChecked : mii.hbmpUnchecked;
}

// The state image of a tree item: 0 no check box, 1 unticked, 2 ticked.
UINT CheckState(const CTreeCtrl& tree, HTREEITEM hItem)
{
    return tree.GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12;
}

// The whole text of a string item (the buffers the API is given otherwise
// cut long texts).
CString ItemText(HMENU hMenu, UINT nPos)
{
    CString strText;
    const int nLen = ::GetMenuStringA(hMenu, nPos, NULL, 0, MF_BYPOSITION);
    if (nLen > 0) {
        ::GetMenuStringA(hMenu, nPos, strText.GetBuffer(nLen), nLen + 1, MF_BYPOSITION);
        strText.ReleaseBuffer();
    }
    return strText;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCustomizeMenuTreeDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_SIZING()
END_MESSAGE_MAP()

CCustomizeMenuTreeDlg::CCustomizeMenuTreeDlg(CWnd* pParent, CMenu& menu, CStringArray& arrItems, int nStart)
    : CDialog(IDD_CUSTOMIZE_MENU, pParent), m_pMenu(&menu), m_nStart(nStart), m_pItems(&arrItems), m_hItem(NULL),
      m_pSubMenu(NULL), m_nLevel(-1), m_nItemID(0), m_mii()
{
    m_mii.cbSize = sizeof(m_mii);
    m_mii.fMask = MIIM_CHECKMARKS;
    m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 8);
    CBitmap bmpFolder;
    if (bmpFolder.LoadBitmap(IDB_MENU_FOLDER))
        m_imageList.Add(&bmpFolder, RGB(255, 255, 255));
}

CCustomizeMenuTreeDlg::~CCustomizeMenuTreeDlg() {}

void CCustomizeMenuTreeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_CUSTOMIZE_TREE, m_tree);
}

BOOL CCustomizeMenuTreeDlg::OnInitDialog()
{
    if (!CDialog::OnInitDialog())
        return FALSE;
    GetClientRect(&m_rcClient);
    // Check boxes given by the template may be reset once the tree is first
    // shown, taking the ticks with them; set again now, before the tree is
    // filled, they hold.
    m_tree.ModifyStyle(TVS_CHECKBOXES, 0);
    m_tree.ModifyStyle(0, TVS_CHECKBOXES);
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
    BiuldItemTree();
    m_tree.SetFocus();
    return FALSE;
}

void CCustomizeMenuTreeDlg::OnOK()
{
    m_pItems->RemoveAll();
    StoreItems(m_tree.GetRootItem());
    CDialog::OnOK();
}

void CCustomizeMenuTreeDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // A minimised dialog keeps its layout for when it comes back.
    if (nType == SIZE_MINIMIZED || m_btnOK.GetSafeHwnd() == NULL)
        return;
    const int dx = m_rcClient.Width() - cx;
    const int dy = m_rcClient.Height() - cy;
    for (int nID : {IDCANCEL, IDOK}) {
        CWnd* pButton = GetDlgItem(nID);
        if (pButton == NULL)
            continue;
        CRect rc;
        pButton->GetWindowRect(&rc);
        ScreenToClient(&rc);
        pButton->SetWindowPos(NULL, rc.left - dx, rc.top - dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CRect rcTree;
    m_tree.GetWindowRect(&rcTree);
    m_tree.SetWindowPos(NULL, 0, 0, rcTree.Width() - dx, rcTree.Height() - dy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(&m_rcClient);
}

void CCustomizeMenuTreeDlg::OnSizing(UINT fwSide, LPRECT pRect)
{
    CDialog::OnSizing(fwSide, pRect);
}

bool CCustomizeMenuTreeDlg::BiuldItemTree()
{
    m_nLevel = -1;
    AddItems(m_pMenu, TVI_ROOT);
    CutOddBranches(m_tree.GetRootItem());
    ExpandAll(m_tree.GetRootItem());
    HTREEITEM hRoot = m_tree.GetRootItem();
    if (hRoot != NULL)
        m_tree.SelectSetFirstVisible(hRoot);
    return true;
}

void CCustomizeMenuTreeDlg::ExpandAll(HTREEITEM hItem)
{
    for (; hItem != NULL; hItem = m_tree.GetNextSiblingItem(hItem)) {
        HTREEITEM hChild = m_tree.GetChildItem(hItem);
        if (hChild != NULL) {
            m_tree.Expand(hItem, TVE_EXPAND);
            ExpandAll(hChild);
        }
    }
}

void CCustomizeMenuTreeDlg::AddItems(CMenu* pMenu, HTREEITEM hParent)
{
    ++m_nLevel;
    const int nCount = pMenu->GetMenuItemCount();
    for (int nPos = m_nLevel == 0 ? m_nStart : 0; nPos < nCount; ++nPos) {
        m_mii.cbSize = sizeof(m_mii);
        m_mii.fMask = MIIM_CHECKMARKS;
        if (!pMenu->GetMenuItemInfo(static_cast<UINT>(nPos), &m_mii, TRUE))
            break;
        pMenu->GetMenuString(static_cast<UINT>(nPos), m_strItem, MF_BYPOSITION);
        m_pSubMenu = pMenu->GetSubMenu(nPos);
        m_nItemID = pMenu->GetMenuItemID(nPos);
        HBITMAP hPicture = ItemPicture(m_mii);
        const UINT nMask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        if (m_nItemID == static_cast<UINT>(-1)) {
            // A submenu: the folder picture and no check box.
            ConvertString(m_strItem);
            m_hItem = m_tree.InsertItem(nMask, m_strItem, 0, 0, 0, 0, 0, hParent, TVI_LAST);
            SetCheckState(m_hItem, 0);
        } else if (!m_strItem.IsEmpty() && hPicture != NULL) {
            ConvertString(m_strItem);
            const int nImage = AddBmpToImageList(CBitmap::FromHandle(hPicture));
            const UINT nCheck = !m_pItems->IsEmpty() && StringInArray(m_pItems, m_strItem) ? 2 : 1;
            m_hItem = m_tree.InsertItem(nMask, m_strItem, nImage, nImage, 0, 0, 0, hParent, TVI_LAST);
            SetCheckState(m_hItem, nCheck);
        }
        if (m_pSubMenu != NULL)
            AddItems(m_pSubMenu, m_hItem);
    }
    --m_nLevel;
}

void CCustomizeMenuTreeDlg::SetCheckState(HTREEITEM hItem, UINT nState)
{
    // Set after the insertion: a tree with check boxes gives every new item
    // an unticked box, whatever the insertion asked for.
    m_tree.SetItemState(hItem, INDEXTOSTATEIMAGEMASK(nState), TVIS_STATEIMAGEMASK);
}

void CCustomizeMenuTreeDlg::CutOddBranches(HTREEITEM hItem)
{
    while (hItem != NULL) {
        HTREEITEM hNext = m_tree.GetNextSiblingItem(hItem);
        HTREEITEM hChild = m_tree.GetChildItem(hItem);
        if (hChild != NULL)
            CutOddBranches(hChild);
        if (CheckState(m_tree, hItem) == 0 && m_tree.GetChildItem(hItem) == NULL)
            m_tree.DeleteItem(hItem);
        hItem = hNext;
    }
}

bool CCustomizeMenuTreeDlg::StoreItems(HTREEITEM hItem)
{
    for (; hItem != NULL; hItem = m_tree.GetNextSiblingItem(hItem)) {
        if (CheckState(m_tree, hItem) == 2)
            m_pItems->Add(m_tree.GetItemText(hItem));
        HTREEITEM hChild = m_tree.GetChildItem(hItem);
        if (hChild != NULL)
            StoreItems(hChild);
    }
    return true;
}

int CCustomizeMenuTreeDlg::AddBmpToImageList(CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return -1;
    BITMAP bm = {};
    pBitmap->GetBitmap(&bm);
    int cx = 16, cy = 16;
    ::ImageList_GetIconSize(m_imageList.GetSafeHandle(), &cx, &cy);
    // Copied onto a screen bitmap of the list's image size, so that a
    // picture of any size gives one image.
    CClientDC dcScreen(NULL);
    CDC dcSource, dcCopy;
    CBitmap copy;
    if (!dcSource.CreateCompatibleDC(&dcScreen) || !dcCopy.CreateCompatibleDC(&dcScreen) ||
        !copy.CreateCompatibleBitmap(&dcScreen, cx, cy))
        return -1;
    CBitmap* pOldSource = dcSource.SelectObject(pBitmap);
    CBitmap* pOldCopy = dcCopy.SelectObject(&copy);
    ::SetStretchBltMode(dcCopy.GetSafeHdc(), COLORONCOLOR);
    ::StretchBlt(dcCopy.GetSafeHdc(), 0, 0, cx, cy, dcSource.GetSafeHdc(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    dcCopy.SelectObject(pOldCopy);
    dcSource.SelectObject(pOldSource);
    return m_imageList.Add(&copy, RGB(192, 192, 192));
}

void CCustomizeMenuTreeDlg::ConvertString(CString& s)
{
    const int nTab = s.Find('\t');
    if (nTab >= 0)
        s = s.Left(nTab);
    const int nAmpersand = s.Find('&');
    if (nAmpersand >= 0)
        s.Delete(nAmpersand);
}

bool CCustomizeMenuTreeDlg::StringInArray(const CStringArray* pArr, const CString& s)
{
    if (pArr == NULL)
        return false;
    for (INT_PTR i = 0; i < pArr->GetSize(); ++i) {
        if (pArr->GetAt(i) == s)
            return true;
    }
    return false;
}

bool CCustomizeMenuTreeDlg::BuildToolbar(CMenu& menu, CStringArray* pArr, CToolBarTrueColor& toolbar, int nStart,
                                         bool bAppend)
{
    CToolBarCtrl& ctrl = toolbar.GetToolBarCtrl();
    if (!bAppend) {
        while (ctrl.GetButtonCount() > 0) {
            if (!ctrl.DeleteButton(0))
                break;
        }
    }
    int nLevel = -1;
    AddToolbarItems(nLevel, toolbar, pArr, &menu, nStart, TVI_ROOT);
    ctrl.AutoSize();
    return true;
}

void CCustomizeMenuTreeDlg::AddToolbarItems(int& nLevel, CToolBarTrueColor& toolbar, CStringArray* pArr, CMenu* pMenu,
                                            int nStart, HTREEITEM hParent)
{
    ++nLevel;
    const int nCount = pMenu->GetMenuItemCount();
    for (int nPos = nLevel == 0 ? nStart : 0; nPos < nCount; ++nPos) {
        MENUITEMINFO mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_CHECKMARKS | MIIM_FTYPE | MIIM_DATA;
        if (!pMenu->GetMenuItemInfo(static_cast<UINT>(nPos), &mii, TRUE))
            continue;
        CMenu* pSubMenu = pMenu->GetSubMenu(nPos);
        const UINT nID = pSubMenu != NULL ? static_cast<UINT>(-1) : mii.wID;
        // Only string items have a text.
        CString strText;
        if ((mii.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)) == 0)
            strText = ItemText(pMenu->GetSafeHmenu(), static_cast<UINT>(nPos));
        HBITMAP hPicture = ItemPicture(mii);
        if (nID != static_cast<UINT>(-1) && !strText.IsEmpty() && hPicture != NULL) {
            ConvertString(strText);
            if (pArr == NULL || StringInArray(pArr, strText)) {
                TBBUTTON button = {};
                button.iBitmap = toolbar.AddBitmap(1, CBitmap::FromHandle(hPicture));
                button.idCommand = static_cast<int>(nID);
                button.fsState = TBSTATE_ENABLED;
                button.fsStyle = TBSTYLE_BUTTON;
                button.iString = -1;
                toolbar.GetToolBarCtrl().AddButtons(1, &button);
            }
        }
        if (pSubMenu != NULL)
            AddToolbarItems(nLevel, toolbar, pArr, pSubMenu, nStart, hParent);
    }
    --nLevel;
}

void __cdecl OnUpdateMenu(CWnd* pWnd, CMenu* pMenu)
{
    if (pWnd == NULL || pMenu == NULL)
        return;
    CCmdUI state;
    state.m_hMenu = pMenu->GetSafeHmenu();
    state.m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A submenu led by a command; one led by a separator or another
            // submenu is left alone.
            CMenu* pSubMenu = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            const UINT nFirst = pSubMenu != NULL ? pSubMenu->GetMenuItemID(0) : 0;
            if (nFirst != 0 && nFirst != static_cast<UINT>(-1))
                OnUpdateMenu(pWnd, pSubMenu);
        } else {
            // System commands have their handlers elsewhere: left enabled.
            state.DoUpdate(pWnd, state.m_nID < 0xF000);
        }
        // A handler may have added or removed items.
        state.m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    }
}

CMenu* __cdecl FindMenu(CMenu* pMenu, UINT nID, UINT* pnPos)
{
    // -1 is what submenus answer, not a command.
    if (pMenu == NULL || nID == static_cast<UINT>(-1))
        return NULL;
    const int nCount = pMenu->GetMenuItemCount();
    for (int nPos = 0; nPos < nCount; ++nPos) {
        if (pMenu->GetMenuItemID(nPos) == nID) {
            if (pnPos != NULL)
                *pnPos = static_cast<UINT>(nPos);
            return pMenu;
        }
        CMenu* pSubMenu = pMenu->GetSubMenu(nPos);
        if (pSubMenu != NULL) {
            if (CMenu* pFound = FindMenu(pSubMenu, nID, pnPos))
                return pFound;
        }
    }
    return NULL;
}

void __cdecl InsertMenuA(CMenu* pMenu, const CMenu* pSrc, int nPos)
{
    if (pMenu == NULL || pSrc == NULL || pMenu->GetSafeHmenu() == NULL || pSrc->GetSafeHmenu() == NULL)
        return;
    if (pSrc->GetSafeHmenu() == pMenu->GetSafeHmenu()) {
        // Into itself: from a copy, which the insertions do not move.
        CMenu copy;
        copy.CreatePopupMenu();
        InsertMenuA(&copy, pSrc, -1);
        InsertMenuA(pMenu, &copy, nPos);
        return;
    }
    const int nCount = pMenu->GetMenuItemCount();
    const int nAt = nPos < 0 || nPos > nCount ? nCount : nPos;
    const int nItems = pSrc->GetMenuItemCount();
    for (int i = 0; i < nItems; ++i) {
        // Everything about the item; a string's length first, so that no
        // text is cut.
        MENUITEMINFO mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        if (!::GetMenuItemInfoA(pSrc->GetSafeHmenu(), static_cast<UINT>(i), TRUE, &mii))
            continue;
        CString strText;
        if ((mii.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)) == 0) {
            const UINT nLen = mii.cch;
            mii.dwTypeData = strText.GetBuffer(static_cast<int>(nLen));
            mii.cch = nLen + 1;
            ::GetMenuItemInfoA(pSrc->GetSafeHmenu(), static_cast<UINT>(i), TRUE, &mii);
            strText.ReleaseBuffer(static_cast<int>(nLen));
            mii.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(strText));
            mii.cch = nLen;
        }
        if (mii.hSubMenu != NULL) {
            CMenu popup;
            popup.CreatePopupMenu();
            InsertMenuA(&popup, CMenu::FromHandle(mii.hSubMenu), -1);
            mii.hSubMenu = popup.Detach();
        }
        if (!::InsertMenuItemA(pMenu->GetSafeHmenu(), static_cast<UINT>(nAt + i), TRUE, &mii) && mii.hSubMenu != NULL)
            ::DestroyMenu(mii.hSubMenu);
    }
}

void __cdecl InsertMenuA(CMenu* pMenu, UINT nIDResource, int nPos)
{
    CMenu menu;
    if (menu.LoadMenu(nIDResource))
        InsertMenuA(pMenu, &menu, nPos);
}
