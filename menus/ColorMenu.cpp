// The colour menu.
#include "menus/ColorMenu.h"

#include "frame/Frame.h"

namespace {

const int c_nItems = ID_COLOR_AUTOMATIC - ID_COLOR_BLACK + 1;

// The stock default palette's entry for each item, in menu order; the
// automatic entry shows black.
const BYTE c_abPaletteIndex[c_nItems] = {0, 1, 2, 3, 4, 5, 6, 12, 7, 13, 14, 15, 16, 17, 18, 19, 0};

// The item's name, from the library's own string table, where the names
// stand under the items' commands.
CString ItemName(UINT nID)
{
    CSetResourceHandle resource(GetExtkitInstance());
    CString strName;
    strName.LoadString(nID);
    return strName;
}

}  // namespace

CDisplayIC::CDisplayIC()
{
    Attach(::CreateICA("DISPLAY", NULL, NULL, NULL));
}

CColorMenu::CColorMenu()
{
    if (!CreatePopupMenu())
        return;
    for (UINT nID = ID_COLOR_BLACK; nID <= ID_COLOR_AUTOMATIC; ++nID)
        AppendMenu(MF_OWNERDRAW, nID, reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(nID)));
}

CColorMenu::~CColorMenu()
{
    DestroyMenu();
}

COLORREF CColorMenu::GetColor(UINT nID)
{
    if (nID < ID_COLOR_BLACK || nID > ID_COLOR_AUTOMATIC)
        return ::GetSysColor(COLOR_WINDOWTEXT);
    PALETTEENTRY entry = {};
    HPALETTE hPalette = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    if (hPalette == NULL || ::GetPaletteEntries(hPalette, c_abPaletteIndex[nID - ID_COLOR_BLACK], 1, &entry) != 1)
        return ::GetSysColor(COLOR_WINDOWTEXT);
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

void CColorMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    const CString strName = ItemName(lpMeasureItemStruct->itemID);
    CDisplayIC dc;
    SIZE size = {};
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), strName, strName.GetLength(), &size);
    lpMeasureItemStruct->itemWidth = static_cast<UINT>(size.cx + 50);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(size.cy);
}

void CColorMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcItem(lpDrawItemStruct->rcItem);
    const bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const COLORREF crOldText = pDC->GetTextColor();
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crBack = bSelected ? ::GetSysColor(COLOR_HIGHLIGHT) : pDC->GetBkColor();
    if (bSelected)
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    pDC->FillSolidRect(&rcItem, crBack);

    const CString strName = ItemName(lpDrawItemStruct->itemID);
    pDC->TextOut(rcItem.left + 50, rcItem.top, strName);

    CBrush brush;
    brush.CreateSolidBrush(GetColor(lpDrawItemStruct->itemID));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(rcItem.left + 5, rcItem.top + 2, rcItem.left + 45, rcItem.bottom - 2);
    pDC->SelectObject(pOldBrush);

    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldMode);
}
