// Image lists and tool-tip controls: masks that let the background through,
// ownership of the list handle, and tools of whole windows and of rectangles
// with texts given, loaded from resources and updated.
#include <afxwin.h>
#include <afxcmn.h>

#include "GdiTestRes.h"
#include "GuiObjectCounter.h"
#include "ToolTipTestRes.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
const COLORREF kMagenta = RGB(255, 0, 255), kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// A 32 x 15 bitmap, compatible with the screen (or monochrome), painted by fnPaint.
template <typename Paint>
void MakeBitmap(CBitmap& bm, bool bMono, Paint fnPaint)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    if (bMono) {
        bm.CreateBitmap(32, 15, 1, 1, NULL);
    } else {
        CClientDC dcScreen(NULL);
        bm.CreateCompatibleBitmap(&dcScreen, 32, 15);
    }
    CBitmap* pOld = dc.SelectObject(&bm);
    fnPaint(dc);
    dc.SelectObject(pOld);
}

// The colour at (x, 7) after fnDraw drew over a green background.
template <typename Draw>
COLORREF PixelAfter(int x, Draw fnDraw)
{
    CBitmap bm;
    COLORREF cr = CLR_INVALID;
    MakeBitmap(bm, false, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, 32, 15, kGreen);
        fnDraw(dc);
        cr = dc.GetPixel(x, 7);
    });
    return cr;
}

TEST(ImageList, MaskedImagesDrawAndBecomeTransparentIcons)
{
    CImageList il;
    ASSERT_TRUE(il.Create(16, 15, ILC_COLOR24 | ILC_MASK, 1, 1));
    EXPECT_FALSE(il.Create(16, 15, ILC_COLOR24 | ILC_MASK, 1, 1)) << "a second list replaced the first";
    // Images 0 and 1: magenta left and blue right, then blue; magenta masked
    // by colour.
    CBitmap bmMagenta;
    MakeBitmap(bmMagenta, false, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 8, 15, kMagenta);
        dc.FillSolidRect(8, 0, 24, 15, kBlue);
    });
    EXPECT_EQ(il.Add(&bmMagenta, kMagenta), 0);
    // Images 2 and 3: red; black left and blue right, the left masked out.
    CBitmap bmImage, bmMask;
    MakeBitmap(bmImage, false, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 16, 15, kRed);
        dc.FillSolidRect(16, 0, 8, 15, kBlack);  // masked pixels must be black
        dc.FillSolidRect(24, 0, 8, 15, kBlue);
    });
    MakeBitmap(bmMask, true, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 32, 15, kBlack);
        dc.FillSolidRect(16, 0, 8, 15, kWhite);
    });
    EXPECT_EQ(il.Add(&bmImage, &bmMask), 2);
    EXPECT_EQ(il.GetImageCount(), 4);

    for (int nImage : {0, 3}) {
        HICON hIcon = il.ExtractIcon(nImage);
        ASSERT_NE(hIcon, (HICON)NULL);
        auto drawIcon = [hIcon](CDC& dc) { ::DrawIconEx(dc, 0, 0, hIcon, 16, 15, 0, NULL, DI_NORMAL); };
        EXPECT_EQ(PixelAfter(3, drawIcon), kGreen) << "image " << nImage;
        EXPECT_EQ(PixelAfter(12, drawIcon), kBlue) << "image " << nImage;
        ::DestroyIcon(hIcon);
        auto draw = [&](CDC& dc) { il.Draw(&dc, nImage, CPoint(0, 0), ILD_TRANSPARENT); };
        EXPECT_EQ(PixelAfter(3, draw), kGreen) << "image " << nImage;
        EXPECT_EQ(PixelAfter(12, draw), kBlue) << "image " << nImage;
    }
    EXPECT_EQ(il.ExtractIcon(4), (HICON)NULL);
    HICON hRed = il.ExtractIcon(2);
    EXPECT_EQ(il.Replace(0, hRed), 0);
    EXPECT_EQ(il.Add(hRed), 4);
    ::DestroyIcon(hRed);
    EXPECT_TRUE(il.Remove(0));
    EXPECT_FALSE(il.Remove(4));
    EXPECT_EQ(il.GetImageCount(), 4);
    EXPECT_TRUE(il.Remove(-1));
    EXPECT_EQ(il.GetImageCount(), 0);
}

TEST(ImageList, AHundredListsCutFromResourcesAndHandedOverLeaveNoObjectBehind)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"framework.dll"});
    for (int i = 0; i < 100; ++i) {
        HIMAGELIST hKept = NULL;
        {
            CImageList il, other;
            EXPECT_FALSE(il.Attach(NULL));
            ASSERT_TRUE(il.Create(IDB_GDI_PROBE, 1, 0, CLR_NONE));
            EXPECT_EQ(il.GetImageCount(), 2);  // 2 pixels wide, images 1 wide
            EXPECT_EQ(PixelAfter(0, [&](CDC& dc) { il.Draw(&dc, 1, CPoint(0, 7), ILD_NORMAL); }), kGreen);
            HIMAGELIST h = il.Detach();
            EXPECT_EQ(il.GetSafeHandle(), (HIMAGELIST)NULL);
            EXPECT_FALSE(il.DeleteImageList());
            EXPECT_TRUE(il.Attach(h));
            EXPECT_FALSE(il.Attach(h));
            EXPECT_FALSE(other.Create(9999u, 1, 0, CLR_NONE));
            ASSERT_TRUE(other.Create(8, 8, ILC_COLOR24, 0, 1));
            hKept = other.Detach();
        }
        // il destroyed its list, other had given its own away.
        EXPECT_EQ(counter.GetBalance()[support::GuiKind::ImageList], 1);
        CImageList back;
        EXPECT_TRUE(back.Attach(hKept));
        EXPECT_TRUE(back.DeleteImageList());
        CWnd::DeleteTempMap();
    }
    EXPECT_GE(counter.GetCreatedCount(), 2 * 100);
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(ToolTip, APopUpOfItsParentShowsGivenAndResourceTextsForWindowsAndAreas)
{
    CWnd parent;
    CButton button, button2;
    CToolTipCtrl tip;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "Окно", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, NULL, NULL));
    ASSERT_TRUE(button.Create("Сохранить", WS_VISIBLE, CRect(10, 10, 110, 40), &parent, 101));
    ASSERT_TRUE(button2.Create("Отмена", WS_VISIBLE, CRect(120, 10, 220, 40), &parent, 102));
    ASSERT_TRUE(tip.Create(&parent, TTS_ALWAYSTIP));
    EXPECT_EQ(::GetWindow(tip.m_hWnd, GW_OWNER), parent.m_hWnd);
    tip.SetDelayTime(250);  // the one-argument form sets the initial delay
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 250);

    auto text = [&](CWnd* pWnd, UINT_PTR nIDTool) {
        CString str;
        tip.GetText(str, pWnd, nIDTool);
        return str;
    };
    const CRect rcArea(0, 60, 100, 100);
    EXPECT_TRUE(tip.AddTool(&button, "Записать документ"));
    EXPECT_TRUE(tip.AddTool(&button2, IDS_TIP_FROM_RESOURCE));
    EXPECT_TRUE(tip.AddTool(&parent, "Область", &rcArea, 7));
    // A tool needs a window, and a rectangle exactly when it has a number.
    EXPECT_FALSE(tip.AddTool(NULL, "Нет окна"));
    EXPECT_FALSE(tip.AddTool(&button, "Без номера", &rcArea, 0));
    EXPECT_FALSE(tip.AddTool(&button, "Без прямоугольника", NULL, 3));
    EXPECT_FALSE(tip.AddTool(&button, 0u));
    EXPECT_EQ(tip.GetToolCount(), 3);
    EXPECT_EQ(text(&button, 0), "Записать документ");
    EXPECT_EQ(text(&button2, 0), "Подсказка из ресурсов");
    EXPECT_EQ(text(&parent, 7), "Область");
    tip.UpdateTipText("Новый текст", &button);
    EXPECT_EQ(text(&button, 0), "Новый текст");
    tip.UpdateTipText(IDS_TIP_FROM_RESOURCE, &parent, 7);
    EXPECT_EQ(text(&parent, 7), "Подсказка из ресурсов");
    tip.DelTool(&button);
    EXPECT_EQ(tip.GetToolCount(), 2);
    EXPECT_EQ(text(&button, 0), "");
    tip.DestroyWindow();
    parent.DestroyWindow();
    CWnd::DeleteTempMap();
}

}  // namespace
