// What the menus tests share: the test menu with its items' pictures, and a
// framework window for menus, toolbars and buttons to live in.
#pragma once

#include <afxwin.h>

#include "MenusTestRes.h"

#include <map>
#include <memory>
#include <vector>

namespace menus_test {

// The test menu (IDR_TEST_MENU), its commands with pictures given check-mark
// bitmaps cut from the command strip (one picture per command, in order).
class CTestMenu {
public:
    CTestMenu()
    {
        m_menu.LoadMenu(IDR_TEST_MENU);
        CBitmap strip;
        strip.LoadBitmap(IDB_TEST_COMMANDS);
        CClientDC dcScreen(NULL);
        CDC dcStrip, dcPiece;
        dcStrip.CreateCompatibleDC(&dcScreen);
        dcPiece.CreateCompatibleDC(&dcScreen);
        CBitmap* pOldStrip = dcStrip.SelectObject(&strip);
        int nPicture = 0;
        for (UINT nID : {ID_TEST_NEW, ID_TEST_OPEN, ID_TEST_INVOICE, ID_TEST_PAYMENT, ID_TEST_RECEIPT}) {
            auto pPiece = std::make_unique<CBitmap>();
            pPiece->CreateCompatibleBitmap(&dcScreen, 16, 16);
            CBitmap* pOld = dcPiece.SelectObject(pPiece.get());
            dcPiece.BitBlt(0, 0, 16, 16, &dcStrip, 16 * nPicture++, 0, SRCCOPY);
            dcPiece.SelectObject(pOld);
            SetPicture(m_menu.GetSafeHmenu(), nID, pPiece.get());
            m_pictures.push_back(std::move(pPiece));
        }
        dcStrip.SelectObject(pOldStrip);
    }

    CMenu m_menu;

private:
    // Every item of that command, at any depth, gets the picture.
    static void SetPicture(HMENU hMenu, UINT nID, CBitmap* pPicture)
    {
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
            if (HMENU hSub = GetSubMenu(hMenu, i))
                SetPicture(hSub, nID, pPicture);
            else if (GetMenuItemID(hMenu, i) == nID)
                SetMenuItemBitmaps(hMenu, i, MF_BYPOSITION, static_cast<HBITMAP>(pPicture->GetSafeHandle()),
                                   static_cast<HBITMAP>(pPicture->GetSafeHandle()));
        }
    }

    std::vector<std::unique_ptr<CBitmap>> m_pictures;
};

// A visible top-level framework window.
inline void CreateHost(CWnd& wnd, int x = 100, int y = 100)
{
    wnd.CreateEx(0, NULL, "Хост", WS_POPUP | WS_VISIBLE | WS_CAPTION, x, y, 600, 400, NULL, NULL);
}

}  // namespace menus_test
