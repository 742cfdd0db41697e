// The bitmap and icon functions and CBitmapEx on real bitmaps and icons:
// copies never enlarged, shrinking with the aspect kept, the transparent
// colour taken from the corners, loading by extension, the system handed
// only checked icon files, and every handle freed again.
#include "images/BitmapEx.h"

#include "GuiObjectCounter.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const COLORREF c_crRed = RGB(255, 0, 0), c_crBlue = RGB(0, 0, 255), c_crGreen = RGB(0, 255, 0);

std::filesystem::path IconDir()
{
    return support::ToolPath().parent_path() / "data" / "icons";
}

void ReadBytes(const char* pszName, CByteArray& data, INT_PTR nCut = -1)
{
    CFile file((IconDir() / pszName).string().c_str(), CFile::modeRead);
    data.SetSize(static_cast<INT_PTR>(file.GetLength()));
    file.Read(data.GetData(), static_cast<UINT>(data.GetSize()));
    if (nCut >= 0)
        data.SetSize(nCut);
}

// A bitmap of cx x cy filled with crFill, its corners (top-left, top-right,
// bottom-right, bottom-left) coloured as given.
HBITMAP MakeBitmap(int cx, int cy, COLORREF crFill, const COLORREF* pcrCorners = nullptr)
{
    HDC hdcScreen = GetDC(NULL);
    HBITMAP hBitmap = CreateCompatibleBitmap(hdcScreen, cx, cy);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hOld = SelectObject(hdc, hBitmap);
    HBRUSH hBrush = CreateSolidBrush(crFill);
    RECT rc = {0, 0, cx, cy};
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    if (pcrCorners != nullptr) {
        SetPixel(hdc, 0, 0, pcrCorners[0]);
        SetPixel(hdc, cx - 1, 0, pcrCorners[1]);
        SetPixel(hdc, cx - 1, cy - 1, pcrCorners[2]);
        SetPixel(hdc, 0, cy - 1, pcrCorners[3]);
    }
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    ReleaseDC(NULL, hdcScreen);
    return hBitmap;
}

// The colour of the list's image at (x, y), drawn over white.
COLORREF ImagePixel(CImageList& list, int nImage, int x, int y)
{
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&dcScreen, 64, 64);
    CBitmap* pOld = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, 64, 64, RGB(255, 255, 255));
    list.Draw(&dc, nImage, CPoint(0, 0), ILD_TRANSPARENT);
    const COLORREF cr = dc.GetPixel(x, y);
    dc.SelectObject(pOld);
    return cr;
}

// How many pixels of the icon, drawn on white at 32 x 32, are not white.
int InkOf(HICON hIcon)
{
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&dcScreen, 32, 32);
    CBitmap* pOld = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, 32, 32, RGB(255, 255, 255));
    DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, 32, 32, 0, NULL, DI_NORMAL);
    int nInk = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            nInk += dc.GetPixel(x, y) != RGB(255, 255, 255);
    }
    dc.SelectObject(pOld);
    return nInk;
}

CSize SystemIcon()
{
    return CSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

class BitmapExTest : public ::testing::Test {
protected:
    void TearDown() override { CWnd::DeleteTempMap(); }
    // The test's own frees count too.
    support::CGuiObjectCounter m_counter{std::vector<HMODULE>{
        GetModuleHandleA("extkit.dll"), GetModuleHandleA("framework.dll"), GetModuleHandleA(NULL)}};
};

}  // namespace

TEST_F(BitmapExTest, CopiesAreNeverEnlarged)
{
    HBITMAP hSource = MakeBitmap(32, 32, c_crBlue);
    HBITMAP hCopy = NULL;
    CSize sizeWide(48, 16), sizeSmall(16, 16);
    EXPECT_TRUE(CopyBitmap(hSource, hCopy, &sizeWide));
    EXPECT_EQ(GetBitmapSize(hCopy), CSize(32, 32));
    // The copy it held goes; the source stays the caller's.
    EXPECT_TRUE(CopyBitmap(hSource, hCopy, &sizeSmall));
    EXPECT_EQ(GetBitmapSize(hCopy), CSize(16, 16));
    // In place: the old copy goes.
    EXPECT_TRUE(CopyBitmap(hCopy, hCopy, &sizeWide));
    EXPECT_EQ(GetBitmapSize(hCopy), CSize(16, 16));
    EXPECT_FALSE(CopyBitmap(NULL, hCopy));
    EXPECT_EQ(hCopy, nullptr);
    EXPECT_EQ(GetBitmapSize(hSource), CSize(32, 32));

    HICON hIcon = BitmapToIcon(hSource);
    EXPECT_EQ(GetIconSize(hIcon), SystemIcon());
    HICON hIconCopy = NULL;
    EXPECT_TRUE(CopyIcon(hIcon, hIconCopy, &sizeSmall));
    EXPECT_EQ(GetIconSize(hIconCopy), CSize(16, 16));
    EXPECT_TRUE(CopyIcon(hIcon, hIconCopy, &sizeWide));
    EXPECT_EQ(GetIconSize(hIconCopy), SystemIcon());
    DestroyIcon(hIconCopy);
    DestroyIcon(hIcon);
    EXPECT_EQ(BitmapToIcon(NULL), nullptr);
    DeleteObject(hSource);
    EXPECT_NO_GUI_LEAKS(m_counter);
}

TEST_F(BitmapExTest, ShrinkingKeepsTheAspectWhenAsked)
{
    CBitmapEx bitmap;
    bitmap.Attach(MakeBitmap(64, 32, c_crGreen));
    bitmap.SetSize(100, 100);
    EXPECT_EQ(bitmap.GetSize(), CSize(64, 32));
    bitmap.SetSize(16, 16, true);
    EXPECT_EQ(bitmap.GetSize(), CSize(16, 8));
    bitmap.SetSize(8, 8, false);
    EXPECT_EQ(bitmap.GetSize(), CSize(8, 8));
    // An icon shrinks the same way.
    CByteArray data;
    ReadBytes("sample_32bit.ico", data);
    ASSERT_TRUE(bitmap.LoadICO(data));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    bitmap.SetSize(20, 10, true);
    EXPECT_EQ(bitmap.GetSize(), CSize(10, 10));
    HICON hIcon = bitmap.MakeIcon(8, 8);
    EXPECT_EQ(GetIconSize(hIcon), CSize(8, 8));
    DestroyIcon(hIcon);
}

TEST_F(BitmapExTest, TheTransparentColourComesFromTheCorners)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 4));
    // Red, blue, green, green: bottom-left and top-right differ from the
    // top-left, and the bottom-right matches the bottom-left.
    const COLORREF acrGreenCorners[] = {c_crRed, c_crBlue, c_crGreen, c_crGreen};
    CBitmapEx bitmap;
    bitmap.Attach(MakeBitmap(16, 16, c_crGreen, acrGreenCorners));
    COLORREF acrCorners[4];
    GetBkColorBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle()), acrCorners);
    EXPECT_EQ(std::vector<COLORREF>(acrCorners, acrCorners + 4),
              std::vector<COLORREF>(acrGreenCorners, acrGreenCorners + 4));
    const int nGreen = bitmap.AddToImageList(list, 16, 16);
    EXPECT_EQ(nGreen, 0);
    EXPECT_EQ(ImagePixel(list, nGreen, 8, 8), RGB(255, 255, 255));  // green is gone
    EXPECT_EQ(ImagePixel(list, nGreen, 0, 0), c_crRed);

    // Four different corners: the top-left one.
    const COLORREF acrMixed[] = {c_crRed, c_crBlue, c_crGreen, RGB(255, 255, 0)};
    CBitmapEx mixed;
    mixed.Attach(MakeBitmap(32, 32, c_crRed, acrMixed));
    const int nRed = mixed.AddToImageList(list, 16, 16);
    EXPECT_EQ(nRed, 1);
    EXPECT_EQ(ImagePixel(list, nRed, 8, 8), RGB(255, 255, 255));
    CBitmapEx empty;
    EXPECT_EQ(empty.AddToImageList(list, 16, 16), -1);
    list.DeleteImageList();
    CWnd::DeleteTempMap();
    bitmap.DeleteObject();
    mixed.DeleteObject();
    EXPECT_NO_GUI_LEAKS(m_counter);
}

TEST_F(BitmapExTest, FilesAndDataLoadByWhatTheyAreAndAFailureLeavesNothing)
{
    // Files by their extension; names in the user's code page, as hosts pass them.
    support::CTempDir dir("extkit-bitmapex");
    const std::string strDir = dir.GetPath().string() + "\\";
    for (const char* pszName : {"Отчёт.Bmp", "picture.png", "Значок.ICO", "mono.ico"}) {
        const std::string strName = pszName;
        const char* pszSource = strName == "mono.ico"                      ? "sample_1bit.ico"
                                : strName.find("ICO") != std::string::npos ? "sample_multi.ico"
                                                                           : "sample_picture.bmp";
        ASSERT_TRUE(CopyFileA((IconDir() / pszSource).string().c_str(), (strDir + pszName).c_str(), FALSE));
    }
    CBitmapEx bitmap;
    EXPECT_TRUE(bitmap.LoadBMPFromFile((strDir + "Отчёт.Bmp").c_str()));
    EXPECT_EQ(bitmap.GetSize(), CSize(48, 32));
    EXPECT_FALSE(bitmap.LoadBMPFromFile((strDir + "picture.png").c_str()));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);  // released first
    EXPECT_TRUE(bitmap.LoadBMPFromFile((strDir + "Значок.ICO").c_str()));
    EXPECT_EQ(bitmap.GetSize(), SystemIcon());  // the image closest to the system icon size
    EXPECT_TRUE(bitmap.LoadBMPFromFile((strDir + "mono.ico").c_str()));
    EXPECT_GT(InkOf(bitmap.GetIcon()), 50);
    EXPECT_FALSE(bitmap.LoadBMPFromFile((strDir + "missing.bmp").c_str()));
    EXPECT_EQ(bitmap.GetIcon(), nullptr);

    // Data by its content: other data is refused and what was held kept.
    CByteArray data, text;
    ReadBytes("sample_8bit.bmp", data);
    ASSERT_TRUE(bitmap.Load(data));
    text.Add('P');
    text.Add('K');
    EXPECT_FALSE(bitmap.Load(text) || bitmap.LoadBMP(text));
    EXPECT_EQ(bitmap.GetSize(), CSize(48, 32));
    ReadBytes("sample_24bit.ico", data);
    ASSERT_TRUE(bitmap.Load(data));
    EXPECT_NE(bitmap.GetIcon(), nullptr);
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    ReadBytes("sample_png.ico", data);
    ASSERT_TRUE(bitmap.LoadICO(data));
    EXPECT_EQ(bitmap.GetSize(), CSize(32, 32));
    // A lying file: refused, the object then holds nothing.
    ReadBytes("sample_4bit.ico", data, 700);
    EXPECT_FALSE(bitmap.Load(data));
    EXPECT_EQ(bitmap.GetSize(), CSize(0, 0));

    CBitmapEx copy;
    ReadBytes("sample_picture.bmp", data);
    ASSERT_TRUE(bitmap.Load(data));
    CSize size(24, 16);
    EXPECT_TRUE(copy.CopyBmp(&bitmap, &size));
    EXPECT_TRUE(copy.CopyBmp(&copy));
    EXPECT_EQ(copy.GetSize(), CSize(24, 16));
    CBitmapEx nothing;
    EXPECT_FALSE(copy.CopyBmp(&nothing));
    EXPECT_EQ(copy.GetSize(), CSize(0, 0));
}

TEST_F(BitmapExTest, IconFilesReachTheSystemOnlyWhenTheyHoldTogether)
{
    struct CCase {
        const char* m_pszFile;
        INT_PTR m_nCut;
        CSize m_size;  // the icon's, 0 x 0 for none
    };
    // clang-format off
    const CCase aCases[] = {
        {"sample_1bit.ico", -1, {32, 64}},          // a monochrome icon's mask holds both halves
        {"sample_4bit.ico", -1, {32, 32}},
        {"sample_8bit.ico", -1, {32, 32}},          // every pixel opaque
        {"sample_24bit.ico", -1, {32, 32}}, {"sample_32bit.ico", -1, {32, 32}},
        {"sample_multi.ico", -1, {16, 16}},         // the first image only
        {"sample_png.ico", -1, {0, 0}},             // a PNG picture first
        {"sample_4bit.ico", 765, {0, 0}},           // one byte short (the table has the other refusals)
    };
    // clang-format on
    for (const CCase& c : aCases) {
        CByteArray data;
        ReadBytes(c.m_pszFile, data, c.m_nCut);
        HICON hIcon = LoadICOFromArray(data);
        EXPECT_EQ(GetIconSize(hIcon), c.m_size) << c.m_pszFile << " cut at " << c.m_nCut;
        // Every icon shows ink on white, as it is and as an object made it.
        if (hIcon != NULL) {
            EXPECT_GT(InkOf(hIcon), 50) << c.m_pszFile;
            CBitmapEx held;
            ASSERT_TRUE(held.LoadICO(data));
            HICON hMade = held.MakeIcon();
            EXPECT_GT(InkOf(hMade), 50) << c.m_pszFile;
            DestroyIcon(hMade);
        }
        // A copy is as large as the icon: the monochrome one's too.
        HICON hCopy = NULL;
        EXPECT_EQ(CopyIcon(hIcon, hCopy), hIcon != NULL);
        EXPECT_EQ(GetIconSize(hCopy), c.m_size) << c.m_pszFile;
        if (hCopy != NULL)
            DestroyIcon(hCopy);
        if (hIcon != NULL)
            DestroyIcon(hIcon);
    }
    EXPECT_NO_GUI_LEAKS(m_counter);
}

TEST_F(BitmapExTest, AHundredRoundsLeaveNothingBehind)
{
    CByteArray bmp, ico;
    ReadBytes("sample_picture.bmp", bmp);
    ReadBytes("sample_multi.ico", ico);
    for (int i = 0; i < 100; ++i) {
        CClientDC dcScreen(NULL);
        CBitmapEx bitmap, icon;
        ASSERT_TRUE(bitmap.Load(bmp));
        ASSERT_TRUE(icon.LoadICO(ico));
        CImageList list;
        list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2);
        bitmap.AddToImageList(list, 16, 16);
        icon.AddToImageList(list, 16, 16);
        HICON hMade = bitmap.MakeIcon();
        DestroyIcon(hMade);
        ShowBitmap(&dcScreen, static_cast<HBITMAP>(bitmap.GetSafeHandle()), CPoint(0, 0), SRCCOPY);
        bitmap.SetSize(16, 16);
        icon.SetSize(16, 16);
        CWnd::DeleteTempMap();
    }
    EXPECT_NO_GUI_LEAKS(m_counter);
}
