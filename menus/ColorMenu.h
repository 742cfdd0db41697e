// CColorMenu: an owner-drawn pop-up menu of the sixteen standard colours and
// an automatic entry, each a swatch with the colour's name. The host tracks
// it like any pop-up (its owner window's default WM_MEASUREITEM and
// WM_DRAWITEM handlers reach the menu) and turns the chosen command into a
// colour with GetColor. CDisplayIC measures text outside any window.
#pragma once

#include <afxwin.h>

#include "frame/ExtkitApi.h"

// The menu's commands, one per item in menu order; the automatic entry last.
#define ID_COLOR_BLACK 23230
#define ID_COLOR_AUTOMATIC 23246

// An information context for the display: measures, never draws.
class EXTKIT_API CDisplayIC : public CDC {
public:
    CDisplayIC();
};

class EXTKIT_API CColorMenu : public CMenu {
public:
    // A pop-up of the 17 items, each MF_OWNERDRAW with its command as its
    // item data.
    CColorMenu();
    virtual ~CColorMenu();

    // The item's colour (the automatic entry is black); for any other
    // command, or when the system's default palette cannot be read, the
    // window-text colour.
    static COLORREF GetColor(UINT nID);

    // The item's name is as wide as its text plus 50 pixels for the swatch,
    // and as high as its text.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The swatch (40 pixels wide, 5 from the left edge, 2 from the top and
    // bottom, framed by the context's pen) and the name 50 pixels from the
    // left, on the highlight colour when the item is selected.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};
