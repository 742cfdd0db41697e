// CMenu: a menu bar or pop-up menu. The object owns the menu it holds and
// destroys it when the object goes, unless it was detached; a menu that no
// object holds gets a temporary one from FromHandle (GetSubMenu hands those
// out), deleted at idle time with the window wrappers. Owner-drawn items
// (MF_OWNERDRAW) of a menu held by an object are drawn and measured by its
// DrawItem and MeasureItem, which the owner window's default WM_DRAWITEM and
// WM_MEASUREITEM handlers call.
#pragma once

#include "win/Platform.h"
#include "core/Object.h"
#include "core/String.h"

class CBitmap;
class CWnd;

class FRAMEWORK_API CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu();
    virtual ~CMenu();

    HMENU m_hMenu;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    BOOL operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
    BOOL operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

    // The object holding hMenu, a temporary one when none does; NULL for a
    // null handle.
    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
    // Deletes the temporary objects (their menus stay).
    static void PASCAL DeleteTempMap();

    // FALSE for a null handle, when this object already holds a menu or when
    // another object holds that menu.
    BOOL Attach(HMENU hMenu);
    // Gives the menu up without destroying it.
    HMENU Detach();

    // Each FALSE when this object already holds a menu.
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the resources of the module that has the menu, looked up from the
    // current resource module through the extension modules.
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    // Destroys the menu and the pop-ups in it; FALSE when there is none.
    BOOL DestroyMenu();

    // Items. nFlags are the MF_ flags; with MF_POPUP nIDNewItem is the
    // pop-up's HMENU, which the menu then owns.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    // Takes the item out; a pop-up in it is not destroyed.
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    // Takes the item out and destroys a pop-up in it.
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    // By position when fByPosition, else by command.
    BOOL InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPosition = FALSE);
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);

    // -1 for a menu that does not exist.
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    // The command of the item at nPos: 0 for a separator, -1 for a pop-up or
    // no such item.
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    // The MF_ state bits (with the item count of a pop-up in the high byte),
    // or (UINT)-1 for no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    // The item's text, shortcut and ampersands included; the characters copied.
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
    {
        return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // The pop-up at nPos (a temporary object unless one holds it), or NULL.
    CMenu* GetSubMenu(int nPos) const;

    // The previous state, or (UINT)-1 for no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    // The check-mark pictures of an item; the bitmaps stay the caller's and
    // must outlive the menu's use of them.
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);

    // Shows the pop-up at (x, y) on the screen for pWnd, which gets its
    // messages and commands. With TPM_RETURNCMD the chosen command (0: none),
    // else whether the menu was shown.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);

    // An owner-drawn item of this menu (nothing is drawn or measured here).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

private:
    friend class CWnd;
    // The window's WM_INITMENUPOPUP: the pop-up whose items will be measured.
    static void PASCAL NotePopupShown(HMENU hPopup);
    // The object of the menu that holds the owner-drawn item nItemID, among
    // the pop-ups shown last and the window's menu bar and system menu.
    // WM_MEASUREITEM names the item only, not its menu.
    static CMenu* PASCAL FindOwnerDrawMenu(HWND hWnd, UINT nItemID);
};
