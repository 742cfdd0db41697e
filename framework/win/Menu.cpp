// The menu wrapper and the look-up of owner-drawn menu items.
#include "win/Menu.h"
#include "win/Gdi.h"
#include "win/HandleMap.h"
#include "win/ModuleState.h"
#include "win/Wnd.h"

#include <vector>

namespace {

thread_local CHandleMap<HMENU, CMenu> t_mapMenu;

// The pop-ups shown last on this thread, newest last. A cascade shows a few
// at a time; older ones are long closed and may even be destroyed, which the
// search survives (a dead handle has no items).
thread_local std::vector<HMENU> t_popupsShown;
const size_t c_nPopupsKept = 8;

// The menu among hMenu and the pop-ups inside it that holds the owner-drawn
// item nItemID directly, held by an object; NULL when there is none.
CMenu* FindOwnerDrawIn(HMENU hMenu, UINT nItemID, int nDepth)
{
    // Menus cannot really nest this deep; a cycle must not hang the search.
    if (hMenu == NULL || nDepth > 32)
        return NULL;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.wID == nItemID && (info.fType & MFT_OWNERDRAW) != 0) {
            if (CMenu* pMenu = CMenu::FromHandlePermanent(hMenu))
                return pMenu;
        }
        if (info.hSubMenu != NULL) {
            if (CMenu* pMenu = FindOwnerDrawIn(info.hSubMenu, nItemID, nDepth + 1))
                return pMenu;
        }
    }
    return NULL;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    if (CMenu* pMenu = FromHandlePermanent(hMenu))
        return pMenu;
    return t_mapMenu.Temporary(
        hMenu, [](CMenu*) { return true; },
        [hMenu] {
            CMenu* pMenu = new CMenu;
            pMenu->m_hMenu = hMenu;
            return pMenu;
        });
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu != NULL ? t_mapMenu.LookupPermanent(hMenu) : NULL;
}

void PASCAL CMenu::DeleteTempMap()
{
    // The menus belong to someone else; only the wrappers go.
    t_mapMenu.DeleteTemporary([](CMenu* pMenu) { pMenu->m_hMenu = NULL; });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL || m_hMenu != NULL || !t_mapMenu.SetPermanent(hMenu, this))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL)
        t_mapMenu.RemovePermanent(hMenu, this);
    m_hMenu = NULL;
    return hMenu;
}

namespace {

// Attaches a menu just made; destroys it when it cannot be attached.
BOOL AttachNewMenu(CMenu& menu, HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    if (!menu.Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL CMenu::CreateMenu()
{
    return m_hMenu == NULL && AttachNewMenu(*this, ::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return m_hMenu == NULL && AttachNewMenu(*this, ::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    if (m_hMenu != NULL || lpszResourceName == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return AttachNewMenu(*this, ::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    if (m_hMenu != NULL || lpMenuTemplate == NULL)
        return FALSE;
    return AttachNewMenu(*this, ::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    if (pBmp == NULL)
        return FALSE;
    return ::AppendMenuA(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, reinterpret_cast<LPCSTR>(pBmp->GetSafeHandle()));
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    if (pBmp == NULL)
        return FALSE;
    return ::InsertMenuA(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
                         reinterpret_cast<LPCSTR>(pBmp->GetSafeHandle()));
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPosition)
{
    return ::InsertMenuItemA(m_hMenu, uItem, fByPosition, lpMenuItemInfo);
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    // The length first: a long text must not be cut.
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    LPTSTR pszBuf = rString.GetBuffer(nLen);
    int nGot = ::GetMenuStringA(m_hMenu, nIDItem, pszBuf, nLen + 1, nFlags);
    rString.ReleaseBuffer(nGot);
    return nGot;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked)
{
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags,
                                pBmpUnchecked != NULL ? static_cast<HBITMAP>(pBmpUnchecked->GetSafeHandle()) : NULL,
                                pBmpChecked != NULL ? static_cast<HBITMAP>(pBmpChecked->GetSafeHandle()) : NULL);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    if (pWnd == NULL)
        return FALSE;
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

void PASCAL CMenu::NotePopupShown(HMENU hPopup)
{
    if (hPopup == NULL)
        return;
    for (auto it = t_popupsShown.begin(); it != t_popupsShown.end(); ++it) {
        if (*it == hPopup) {
            t_popupsShown.erase(it);
            break;
        }
    }
    if (t_popupsShown.size() >= c_nPopupsKept)
        t_popupsShown.erase(t_popupsShown.begin());
    t_popupsShown.push_back(hPopup);
}

CMenu* PASCAL CMenu::FindOwnerDrawMenu(HWND hWnd, UINT nItemID)
{
    for (auto it = t_popupsShown.rbegin(); it != t_popupsShown.rend(); ++it) {
        if (!::IsMenu(*it))
            continue;
        if (CMenu* pMenu = FindOwnerDrawIn(*it, nItemID, 0))
            return pMenu;
    }
    if (hWnd == NULL)
        return NULL;
    // Child windows have no menu bar: their identifier is in its place.
    if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0) {
        if (CMenu* pMenu = FindOwnerDrawIn(::GetMenu(hWnd), nItemID, 0))
            return pMenu;
    }
    return FindOwnerDrawIn(::GetSystemMenu(hWnd, FALSE), nItemID, 0);
}
