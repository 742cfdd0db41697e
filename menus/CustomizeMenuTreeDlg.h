// CCustomizeMenuTreeDlg: a resizable dialog that shows a menu as a tree, with
// a check box at every command that has a picture, so that the user ticks
// the commands wanted on the toolbar; OK hands back the ticked commands'
// texts. BuildToolbar puts buttons for exactly those commands onto a
// CToolBarTrueColor, each with its menu item's check-mark picture.
//
// Menu texts are compared after ConvertString: the shortcut after a tab goes,
// and so does the first ampersand.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "frame/ExtkitApi.h"

class CToolBarTrueColor;

class EXTKIT_API CCustomizeMenuTreeDlg : public CDialog {
public:
    // The menu and the list must outlive the dialog. arrItems: the texts
    // ticked at the start, replaced on OK. Top-level items before nStart are
    // left out.
    CCustomizeMenuTreeDlg(CWnd* pParent, CMenu& menu, CStringArray& arrItems, int nStart);
    virtual ~CCustomizeMenuTreeDlg();

    // The text cut before its first tab, without its first ampersand.
    static void ConvertString(CString& s);
    // True when an element of pArr equals s exactly; false for a null pArr.
    static bool StringInArray(const CStringArray* pArr, const CString& s);
    // Puts one button on the toolbar for each command of the menu (from
    // top-level position nStart on, depth first) that has a text and a
    // picture and whose text is in pArr (every one for a null pArr); unless
    // bAppend, the toolbar's buttons go first. Returns true.
    static bool BuildToolbar(CMenu& menu, CStringArray* pArr, CToolBarTrueColor& toolbar, int nStart, bool bAppend);
    // One level of BuildToolbar; hParent is not used.
    static void AddToolbarItems(int& nLevel, CToolBarTrueColor& toolbar, CStringArray* pArr, CMenu* pMenu, int nStart,
                                HTREEITEM hParent);

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Collects the ticked texts into the list, then closes with IDOK.
    virtual void OnOK();

    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, LPRECT pRect);

    bool BiuldItemTree();
    void AddItems(CMenu* pMenu, HTREEITEM hParent);
    // Removes submenu nodes left without commands, at every depth.
    void CutOddBranches(HTREEITEM hItem);
    // Appends the text of every ticked item from hItem on (its following
    // siblings and all their descendants) to the list.
    bool StoreItems(HTREEITEM hItem);
    // The picture copied at the list's image size, light grey transparent;
    // its index, or -1 for a null bitmap.
    int AddBmpToImageList(CBitmap* pBitmap);

    CButton m_btnOK;
    CButton m_btnCancel;
    CTreeCtrl m_tree;
    CRect m_rcClient;  // the client area as of the last layout
    CMenu* m_pMenu;
    int m_nStart;
    CStringArray* m_pItems;
    CImageList m_imageList;  // image 0 is the submenu picture
    HTREEITEM m_hItem;       // the item inserted last
    CMenu* m_pSubMenu;       // the submenu of the item being read
    int m_nLevel;            // -1 before the walk, 0 for the top level
    CString m_strItem;       // the text of the item being read
    UINT m_nItemID;          // the command of the item being read
    MENUITEMINFO m_mii;      // the item's check-mark pictures

    DECLARE_MESSAGE_MAP()

private:
    void ExpandAll(HTREEITEM hItem);
    // 0 no check box, 1 unticked, 2 ticked.
    void SetCheckState(HTREEITEM hItem, UINT nState);
};

// The framework's command-update mechanism over a whole menu tree: each
// command is enabled, checked or renamed by pWnd's ON_UPDATE_COMMAND_UI
// handler, and a command below 0xF000 that pWnd has no handler for is
// disabled. A submenu is updated when its first item is a command.
EXTKIT_API void __cdecl OnUpdateMenu(CWnd* pWnd, CMenu* pMenu);
// The menu, pMenu or one below it (depth first), that holds command nID
// itself, with the command's position in it through pnPos; null when the
// command is not in the tree.
EXTKIT_API CMenu* __cdecl FindMenu(CMenu* pMenu, UINT nID, UINT* pnPos = NULL);
// Copies every item of pSrc into pMenu from position nPos on (a negative
// position or one past the end: at the end); submenus are copied whole.
EXTKIT_API void __cdecl InsertMenuA(CMenu* pMenu, const CMenu* pSrc, int nPos);
// The same with the items of menu resource nIDResource.
EXTKIT_API void __cdecl InsertMenuA(CMenu* pMenu, UINT nIDResource, int nPos);
