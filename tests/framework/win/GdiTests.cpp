// Graphic objects and device contexts: ownership and handle maps, selection
// bookkeeping, drawing read back from memory bitmaps, painting real windows,
// control colours through the parent and through reflection, and the GUI
// object balance of framework.dll across all of it.
#include <afxwin.h>

#include "GdiTestRes.h"
#include "GuiObjectCounter.h"

#include <gtest/gtest.h>

using support::CGuiObjectCounter;

namespace {

// The system's check-mark bitmap; its name needs OEMRESOURCE before windows.h.
const UINT kOemCheck = 32760;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYellow = RGB(255, 255, 0);

class GdiTest : public ::testing::Test {
protected:
    void TearDown() override { CWnd::DeleteTempMap(); }
};

// Lets windows paint: invalidates, paints now and dispatches what is pending.
void Repaint(HWND hWnd)
{
    RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
}

// What a window shows at a client point, read through a client context.
COLORREF WindowPixel(CWnd* pWnd, int x, int y)
{
    CClientDC dc(pWnd);
    return dc.GetPixel(x, y);
}

}  // namespace

TEST_F(GdiTest, ObjectsOwnTheirHandlesAndTheMapsHandOutOwnersOrTemporaries)
{
    CGuiObjectCounter counter({"framework.dll"});
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(kRed));
    EXPECT_FALSE(brush.CreateSolidBrush(kBlue)) << "a second handle would leak the first";
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_EQ(brush.GetSafeHandle(), (HGDIOBJ)NULL);
    EXPECT_FALSE(brush.DeleteObject());
    ASSERT_TRUE(brush.CreateSolidBrush(kBlue));
    HGDIOBJ hKept = NULL;
    {
        CPen pen;
        ASSERT_TRUE(pen.CreatePen(PS_DASH, 1, kGreen));
        EXPECT_EQ(CGdiObject::FromHandle(pen), &pen);
        hKept = pen.Detach();
    }
    EXPECT_EQ(GetObjectType(hKept), (DWORD)OBJ_PEN) << "a detached handle outlives its object";
    EXPECT_EQ(counter.GetBalance()[support::GuiKind::Pen], 1);
    CPen().Attach(hKept);  // adopted, and freed when the adopter goes
    EXPECT_EQ(GetObjectType(hKept), 0u);
    brush.DeleteObject();
    HBRUSH hSystem = GetSysColorBrush(COLOR_WINDOW);
    {
        CBrush system;
        ASSERT_TRUE(system.CreateSysColorBrush(COLOR_WINDOW));
        LOGBRUSH lb;
        ASSERT_NE(system.GetLogBrush(&lb), 0);
        EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_WINDOW));
    }
    EXPECT_EQ(GetObjectType(hSystem), (DWORD)OBJ_BRUSH) << "the system's brush survives its wrapper";

    // A handle nobody owns gets one temporary wrapper of its type's class.
    HBRUSH hBrush = CreateSolidBrush(kGreen);
    CBrush* pTemp = CBrush::FromHandle(hBrush);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CBrush::FromHandle(hBrush), pTemp);
    EXPECT_TRUE(CGdiObject::FromHandle(hBrush)->IsKindOf(RUNTIME_CLASS(CBrush)));
    CWnd::DeleteTempMap();
    EXPECT_EQ(GetObjectType(hBrush), (DWORD)OBJ_BRUSH) << "idle time frees wrappers, not handles";
    // Attaching takes the handle from its temporary, which stays valid for its holder until idle time.
    pTemp = CBrush::FromHandle(hBrush);
    CBrush owner, other;
    ASSERT_TRUE(owner.Attach(hBrush));
    EXPECT_EQ(CBrush::FromHandle(hBrush), &owner);
    EXPECT_EQ(pTemp->m_hObject, (HGDIOBJ)hBrush);
    EXPECT_FALSE(other.Attach(hBrush)) << "two owners would delete it twice";
    EXPECT_FALSE(other.Attach(NULL));
    // An untyped owner is not handed out as a pen.
    CGdiObject plain;
    HPEN hPen = CreatePen(PS_SOLID, 3, kBlue);
    ASSERT_TRUE(plain.Attach(hPen));
    CPen* pPen = CPen::FromHandle(hPen);
    EXPECT_NE(static_cast<CGdiObject*>(pPen), &plain);
    EXPECT_TRUE(pPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(CGdiObject::FromHandle(hPen), &plain);
    EXPECT_EQ(CGdiObject::FromHandle(NULL), nullptr);

    // Device contexts the same way.
    HDC hDC = CreateCompatibleDC(NULL);
    CDC* pTempDC = CDC::FromHandle(hDC);
    ASSERT_NE(pTempDC, nullptr);
    EXPECT_EQ(CDC::FromHandle(hDC), pTempDC);
    CWnd::DeleteTempMap();
    EXPECT_EQ(GetObjectType(hDC), (DWORD)OBJ_MEMDC) << "a temporary context does not delete its handle";
    CDC ownerDC;
    ASSERT_TRUE(ownerDC.Attach(hDC));
    EXPECT_EQ(CDC::FromHandle(hDC), &ownerDC);
    EXPECT_EQ(ownerDC.Detach(), hDC);
    EXPECT_NE(CDC::FromHandle(hDC), &ownerDC);
    DeleteDC(hDC);
    EXPECT_EQ(CDC::FromHandle(NULL), nullptr);
    CDC memory;
    EXPECT_FALSE(memory.DeleteDC());
    ASSERT_TRUE(memory.CreateCompatibleDC(NULL));
    EXPECT_FALSE(memory.CreateCompatibleDC(NULL));
    EXPECT_TRUE(memory.DeleteDC());
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST_F(GdiTest, DrawingOnAMemoryBitmapReadsBackPixelForPixel)
{
    // Memory contexts on bitmaps like the screen's (24 bits or more): read back exactly.
    CClientDC screen(NULL);
    CBitmap canvas, copied;
    CDC dc, copy;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 200, 48) && copied.CreateCompatibleBitmap(&screen, 200, 48) &&
                dc.CreateCompatibleDC(&screen) && copy.CreateCompatibleDC(&screen));
    dc.SelectObject(&canvas);
    copy.SelectObject(&copied);
    dc.FillSolidRect(0, 0, 200, 48, kWhite);
    // Selecting hands back the previous objects: attached ones as themselves.
    CPen pen1, pen2;
    ASSERT_TRUE(pen1.CreatePen(PS_SOLID, 1, kRed));
    ASSERT_TRUE(pen2.CreatePen(PS_SOLID, 1, kBlue));
    CPen* pStock = dc.SelectObject(&pen1);
    ASSERT_NE(pStock, nullptr);
    EXPECT_EQ(pStock->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&pen2), &pen1);
    EXPECT_EQ(dc.SelectObject(pStock), &pen2);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(NULL)), nullptr);
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(kGreen));
    CBrush* pOldBrush = dc.SelectObject(&brush);
    ASSERT_NE(pOldBrush, nullptr);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    CFont* pOldFont = dc.SelectObject(&font);
    ASSERT_NE(pOldFont, nullptr);
    EXPECT_TRUE(pOldFont->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH), &brush);
    EXPECT_EQ(dc.SelectObject(static_cast<CGdiObject*>(pOldBrush))->m_hObject, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(-5), nullptr);

    // Fills, a rectangle (pen outline, brush inside), a line, a copy.
    dc.SetBkColor(kYellow);
    dc.FillSolidRect(2, 2, 4, 4, kRed);
    EXPECT_EQ(dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dc.GetPixel(6, 6), kWhite) << "the right and bottom edges are excluded";
    EXPECT_EQ(dc.GetBkColor(), kYellow) << "filling leaves the background colour alone";
    CBrush blue;
    ASSERT_TRUE(blue.CreateSolidBrush(kBlue));
    CRect rcFill(10, 2, 14, 6);
    dc.FillRect(&rcFill, &blue);
    EXPECT_EQ(dc.GetPixel(13, 5), kBlue);
    CPen* pOldPen = dc.SelectObject(&pen1);
    dc.SelectObject(&brush);
    EXPECT_TRUE(dc.Rectangle(20, 2, 30, 12));
    EXPECT_EQ(dc.GetPixel(20, 2), kRed);
    EXPECT_EQ(dc.GetPixel(25, 7), kGreen);
    dc.MoveTo(0, 20);
    EXPECT_EQ(dc.MoveTo(CPoint(2, 30)), CPoint(0, 20));
    EXPECT_TRUE(dc.LineTo(12, 30));
    EXPECT_EQ(dc.GetPixel(7, 30), kRed);
    // A triangle pointing down, outlined and filled.
    const POINT aTriangle[3] = {{40, 20}, {34, 10}, {46, 10}};
    EXPECT_TRUE(dc.Polygon(aTriangle, 3));
    EXPECT_EQ(dc.GetPixel(40, 13), kGreen);
    EXPECT_EQ(dc.GetPixel(34, 10), kRed);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
    // The focus frame is an XOR: drawn twice, it is gone.
    const CRect rcFocus(50, 30, 60, 40);
    const auto dotsOnTop = [&] {
        int nDots = 0;
        for (int x = 50; x < 60; ++x)
            nDots += dc.GetPixel(x, 30) != kWhite;
        return nDots;
    };
    dc.DrawFocusRect(&rcFocus);
    EXPECT_GE(dotsOnTop(), 4);
    dc.DrawFocusRect(&rcFocus);
    EXPECT_EQ(0, dotsOnTop());
    EXPECT_TRUE(copy.BitBlt(0, 0, 200, 48, &dc, 0, 0, SRCCOPY));
    EXPECT_EQ(copy.GetPixel(25, 7), kGreen);

    // Text is measured, and drawn in its colour inside its extent only.
    CSize sizeShort = dc.GetTextExtent("ab", 2);
    CSize sizeLong = dc.GetTextExtent(CString("abab"));
    EXPECT_TRUE(sizeShort.cx > 0 && sizeShort.cy > 0 && sizeLong.cx > sizeShort.cx);
    EXPECT_EQ(dc.GetTextExtent("abab", -1), sizeLong) << "a negative count runs to the terminator";
    CRect rcCalc(0, 0, 0, 0);
    EXPECT_GT(dc.DrawText(CString("abab"), &rcCalc, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(rcCalc.Width(), sizeLong.cx);
    dc.FillSolidRect(0, 0, 200, 48, kWhite);
    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    ASSERT_TRUE(dc.TextOut(10, 5, "WWW", -1));
    CSize sizeW = dc.GetTextExtent("WWW", 3);
    int nInside = 0, nOutside = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 200; ++x)
            if (dc.GetPixel(x, y) != kWhite)
                (x >= 10 && x < 10 + sizeW.cx && y >= 5 && y < 5 + sizeW.cy ? nInside : nOutside)++;
    EXPECT_GT(nInside, 10);
    EXPECT_EQ(nOutside, 0);
    dc.SelectObject(pOldFont);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), pOldFont->m_hObject);
    CRgn clip;
    ASSERT_TRUE(clip.CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(dc.SelectObject(&clip), SIMPLEREGION);  // a region becomes the clipping region

    // Fonts convert points for their context: pixels on the screen, and
    // 16.7 hundredths of an inch for 12 points whatever the pixels.
    LOGFONT lf;
    ASSERT_EQ(font.GetLogFont(&lf), (int)sizeof(LOGFONT));
    EXPECT_EQ(lf.lfHeight, -MulDiv(screen.GetDeviceCaps(LOGPIXELSY), 120, 720));
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    CFont scaled;
    CDC english;
    ASSERT_TRUE(english.CreateCompatibleDC(NULL));
    SetMapMode(english, MM_LOENGLISH);
    ASSERT_TRUE(scaled.CreatePointFont(120, "Arial", &english));
    ASSERT_NE(scaled.GetLogFont(&lf), 0);
    EXPECT_TRUE(-lf.lfHeight >= 15 && -lf.lfHeight <= 18) << lf.lfHeight;

    // Bitmaps load from the resource module, pixel for pixel; the system's too.
    CBitmap bitmap, missing, oem, compatible;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_GDI_PROBE));
    BITMAP bm;
    ASSERT_EQ(bitmap.GetBitmap(&bm), (int)sizeof(BITMAP));
    EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), CSize(2, 2));
    CBitmap* pOld = english.SelectObject(&bitmap);
    ASSERT_NE(pOld, nullptr);
    SetMapMode(english, MM_TEXT);
    const COLORREF aExpected[] = {kRed, kGreen, kBlue, kWhite};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(english.GetPixel(i % 2, i / 2), aExpected[i]) << i;
    english.SelectObject(pOld);
    EXPECT_FALSE(missing.LoadBitmap(IDB_GDI_PROBE + 1));
    EXPECT_EQ(missing.GetSafeHandle(), (HGDIOBJ)NULL);
    ASSERT_TRUE(oem.LoadOEMBitmap(kOemCheck));
    EXPECT_TRUE(oem.GetBitmap(&bm) != 0 && bm.bmWidth > 0);
    EXPECT_FALSE(compatible.CreateCompatibleBitmap(NULL, 4, 4));
    ASSERT_TRUE(compatible.CreateCompatibleBitmap(&english, 30, 20));
    ASSERT_NE(compatible.GetBitmap(&bm), 0);
    EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), CSize(30, 20));
}

namespace {

// Paints its left half red and right half blue through CPaintDC, after an
// erase that fills everything yellow.
class CPaintedWnd : public CWnd {
public:
    int m_nErase = 0;
    int m_nPaint = 0;
    BOOL m_bPaintDCMatched = FALSE;
    CRect m_rcPaint;

protected:
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        ++m_nErase;
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, kYellow);
        return TRUE;
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        ++m_nPaint;
        m_bPaintDCMatched = dc.m_hDC != NULL && dc.m_hDC == dc.m_ps.hdc && CDC::FromHandle(dc.m_hDC) == &dc;
        m_rcPaint = dc.m_ps.rcPaint;
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(0, 0, rc.Width() / 2, rc.Height(), kRed);
        dc.FillSolidRect(rc.Width() / 2, 0, rc.Width() - rc.Width() / 2, rc.Height(), kBlue);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// An edit control that paints itself on its own brush.
class CColourEdit : public CWnd {
public:
    CBrush m_brush;
    BOOL m_bAnswer = TRUE;
    int m_nCalls = 0;
    UINT m_nLastKind = 0xFFFF;

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        ++m_nCalls;
        m_nLastKind = nCtlColor;
        if (!m_bAnswer)
            return NULL;
        pDC->SetBkColor(kGreen);
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourEdit, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A parent that colours the controls nobody else colours.
class CColourParent : public CWnd {
public:
    CBrush m_brush;
    int m_nCalls = 0;
    UINT m_nLastKind = 0xFFFF;
    HWND m_hLastControl = NULL;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        ++m_nCalls;
        m_nLastKind = nCtlColor;
        m_hLastControl = pWnd != NULL ? pWnd->m_hWnd : NULL;
        pDC->SetBkColor(kRed);
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourParent, CWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

}  // namespace

TEST_F(GdiTest, WindowsPaintThemselvesColourTheirControlsAndTakeFonts)
{
    CColourParent parent;
    ASSERT_TRUE(parent.m_brush.CreateSolidBrush(kRed));
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP | WS_VISIBLE, 60, 60, 240, 120, NULL, NULL));
    HWND hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, parent, (HMENU)101,
                                 GetModuleHandle(NULL), NULL);
    HWND hStatic = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 130, 10, 100, 30, parent, (HMENU)102,
                                   GetModuleHandle(NULL), NULL);
    ASSERT_NE(hEdit, (HWND)NULL);
    ASSERT_NE(hStatic, (HWND)NULL);
    CColourEdit edit;
    ASSERT_TRUE(edit.m_brush.CreateSolidBrush(kGreen));
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    Repaint(parent);
    // The edit's own handler answered for it; the parent only saw the static.
    EXPECT_GE(edit.m_nCalls, 1);
    EXPECT_EQ(edit.m_nLastKind, (UINT)CTLCOLOR_EDIT);
    EXPECT_GE(parent.m_nCalls, 1);
    EXPECT_EQ(parent.m_nLastKind, (UINT)CTLCOLOR_STATIC);
    EXPECT_EQ(parent.m_hLastControl, hStatic);
    EXPECT_EQ(WindowPixel(&edit, 90, 20), kGreen);
    EXPECT_EQ(WindowPixel(CWnd::FromHandle(hStatic), 90, 20), kRed);
    // A control that declines leaves the choice to its parent.
    edit.m_bAnswer = FALSE;
    parent.m_nCalls = 0;
    Repaint(parent);
    EXPECT_GE(parent.m_nCalls, 2);
    EXPECT_EQ(WindowPixel(&edit, 90, 20), kRed);
    CClientDC editDC(&edit);
    LRESULT lBrush = SendMessageA(parent, WM_CTLCOLOREDIT, (WPARAM)editDC.m_hDC, (LPARAM)hEdit);
    EXPECT_EQ((HBRUSH)lBrush, (HBRUSH)parent.m_brush);
    EXPECT_EQ(parent.m_nLastKind, (UINT)CTLCOLOR_EDIT);

    // Fonts: set through the object, or behind its back (a temporary object).
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(140, "Arial"));
    edit.SetFont(&font, FALSE);
    EXPECT_EQ(edit.GetFont(), &font);
    EXPECT_EQ(edit.SendMessage(WM_GETFONT), (LRESULT)(HFONT)font);
    HFONT hOther = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    edit.SendMessage(WM_SETFONT, (WPARAM)hOther, FALSE);
    ASSERT_NE(edit.GetFont(), nullptr);
    EXPECT_EQ(edit.GetFont()->m_hObject, (HGDIOBJ)hOther);
    edit.SetFont(NULL, FALSE);
    EXPECT_EQ(edit.GetFont(), nullptr) << "back to the system font";
    parent.DestroyWindow();
    CWnd::DeleteTempMap();
    DeleteObject(hOther);
}

TEST_F(GdiTest, PaintingAndDrawingAHundredTimesLeavesNoObjectBehind)
{
    CGuiObjectCounter counter({"framework.dll"});
    for (int i = 0; i < 100; ++i) {
        // A window painted through CPaintDC after an erase, whole and in part.
        CPaintedWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "painted", WS_POPUP | WS_VISIBLE, 40, 40, 120, 80, NULL, NULL));
        Repaint(wnd);
        if (i == 0) {
            EXPECT_GE(wnd.m_nErase, 1);
            EXPECT_GE(wnd.m_nPaint, 1);
            EXPECT_TRUE(wnd.m_bPaintDCMatched);
            EXPECT_EQ(wnd.m_rcPaint, CRect(0, 0, 120, 80));
            EXPECT_FALSE(GetUpdateRect(wnd, NULL, FALSE)) << "EndPaint validated the window";
            EXPECT_EQ(WindowPixel(&wnd, 10, 40), kRed);
            EXPECT_EQ(WindowPixel(&wnd, 110, 40), kBlue);
            const int nPaintBefore = wnd.m_nPaint;
            CRect rcPart(0, 0, 10, 10);
            InvalidateRect(wnd, &rcPart, TRUE);
            UpdateWindow(wnd);
            EXPECT_EQ(wnd.m_nPaint, nPaintBefore + 1);
            EXPECT_EQ(wnd.m_rcPaint, rcPart);
        }
        // Every kind of object made, selected in and out, and drawn with.
        CPen pen;
        CBrush brush, hatch;
        CFont font;
        CDC dc;
        CBitmap bitmap, loaded;
        CRgn rgn;
        CClientDC client(&wnd);
        CWindowDC window(NULL);
        ASSERT_TRUE(pen.CreatePen(PS_SOLID, 2, kRed) && brush.CreateSolidBrush(kBlue) &&
                    hatch.CreateHatchBrush(HS_CROSS, kGreen) && font.CreatePointFont(100, "Arial") &&
                    dc.CreateCompatibleDC(&client) && bitmap.CreateCompatibleBitmap(&client, 8, 8) &&
                    loaded.LoadBitmap(IDB_GDI_PROBE) && rgn.CreateRectRgn(0, 0, 4, 4) && window.m_hDC != NULL);
        // Selected objects are put back before their owners go, as callers must.
        CPen* pOldPen = dc.SelectObject(&pen);
        CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
        CFont* pOldFont = dc.SelectObject(&font);
        dc.Rectangle(0, 0, 8, 8);
        dc.TextOut(0, 0, "Ж", 1);
        dc.SelectObject(pOldPen);
        dc.SelectObject(pOldBitmap);
        dc.SelectObject(pOldFont);
        CWnd::DeleteTempMap();  // the window goes last, after its context
    }
    EXPECT_GE(counter.GetCreatedCount(), 100 * 10);
    EXPECT_NO_GUI_LEAKS(counter);
}

// What printing and framed drawing use: mapping modes, 3-D frames and
// palettes (the dotted pen and device-independent rows are the controls').
TEST_F(GdiTest, MappingFramesAndPalettes)
{
    CClientDC screen(NULL);
    CBitmap canvas;
    CDC dc;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 64, 48) && dc.CreateCompatibleDC(&screen));
    CBitmap* pOld = dc.SelectObject(&canvas);
    // One logical unit of 96 is two pixels of 192, in both directions.
    EXPECT_EQ(dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    dc.SetWindowExt(96, 96);
    EXPECT_EQ(dc.SetViewportExt(192, 192), CSize(1, 1));
    EXPECT_EQ(dc.SetWindowOrg(-3, -4), CPoint(0, 0));
    CRect rc(0, 0, 10, 5);
    dc.LPtoDP(&rc);
    EXPECT_EQ(rc, CRect(6, 8, 26, 18));
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.Draw3dRect(CRect(2, 2, 12, 12), kRed, kBlue);
    EXPECT_EQ(dc.GetPixel(2, 10), kRed);
    EXPECT_EQ(dc.GetPixel(2, 11), kBlue) << "the bottom and right edges take the far corners";
    EXPECT_EQ(dc.GetPixel(11, 2), kBlue);
    LOGPALETTE logPalette = {0x300, 1, {{0, 0, 0, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&logPalette));
    EXPECT_EQ(CPalette::FromHandle(palette), &palette);
    dc.SelectObject(pOld);
}
