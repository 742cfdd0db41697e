// leakprobe.dll: a module that makes and frees GUI objects on request, so that
// the counter's tests can watch a module other than the test program.
#include <windows.h>
#include <commctrl.h>

#include "LeakProbe.h"

namespace {

HANDLE Make(int nKind)
{
    switch (static_cast<support::GuiKind>(nKind)) {
    case support::GuiKind::Brush:
        return CreateSolidBrush(RGB(1, 2, 3));
    case support::GuiKind::Pen:
        return CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    case support::GuiKind::Font: {
        LOGFONTA lf = {};
        lf.lfHeight = -12;
        lstrcpyA(lf.lfFaceName, "Tahoma");
        return CreateFontIndirectA(&lf);
    }
    case support::GuiKind::Bitmap:
        return CreateBitmap(4, 4, 1, 1, nullptr);
    case support::GuiKind::Region:
        return CreateRectRgn(0, 0, 10, 10);
    case support::GuiKind::DC:
        return CreateCompatibleDC(nullptr);
    case support::GuiKind::WindowDC:
        return GetDC(nullptr);
    case support::GuiKind::Icon:
        return CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    case support::GuiKind::Cursor:
        return CopyImage(LoadCursorA(nullptr, IDC_ARROW), IMAGE_CURSOR, 0, 0, 0);
    case support::GuiKind::ImageList:
        return ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    case support::GuiKind::Menu:
        return CreatePopupMenu();
    case support::GuiKind::Accelerator: {
        ACCEL accel = {FVIRTKEY | FCONTROL, 'S', 100};
        return CreateAcceleratorTableA(&accel, 1);
    }
    default:
        return nullptr;
    }
}

}  // namespace

extern "C" {

HANDLE ProbeMake(int nKind)
{
    return Make(nKind);
}

BOOL ProbeFree(int nKind, HANDLE h)
{
    switch (static_cast<support::GuiKind>(nKind)) {
    case support::GuiKind::DC:
        return DeleteDC(static_cast<HDC>(h));
    case support::GuiKind::WindowDC:
        return ReleaseDC(nullptr, static_cast<HDC>(h)) == 1;
    case support::GuiKind::Icon:
        return DestroyIcon(static_cast<HICON>(h));
    case support::GuiKind::Cursor:
        return DestroyCursor(static_cast<HCURSOR>(h));
    case support::GuiKind::ImageList:
        return ImageList_Destroy(static_cast<HIMAGELIST>(h));
    case support::GuiKind::Menu:
        return DestroyMenu(static_cast<HMENU>(h));
    case support::GuiKind::Accelerator:
        return DestroyAcceleratorTable(static_cast<HACCEL>(h));
    default:
        return DeleteObject(h);
    }
}

int ProbeUseShared()
{
    int nLoaded = 0;
    nLoaded += LoadIconA(nullptr, IDI_APPLICATION) != nullptr;
    nLoaded += LoadCursorA(nullptr, IDC_ARROW) != nullptr;
    nLoaded += LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_SHARED) != nullptr;
    // A memory DC painted on and freed, with a bitmap selected in and out.
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, 8, 8);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    PatBlt(hdc, 0, 0, 8, 8, WHITENESS);
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
    return nLoaded;
}

HMENU ProbeMenuWithPopup()
{
    HMENU hMenu = CreateMenu();
    HMENU hPopup = CreatePopupMenu();
    AppendMenuA(hPopup, MF_STRING, 1, "Открыть");
    AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "Файл");
    return hMenu;
}

HANDLE ProbeCopyDeletingOriginal()
{
    HBITMAP hbm = CreateBitmap(4, 4, 1, 1, nullptr);
    return CopyImage(hbm, IMAGE_BITMAP, 8, 8, LR_COPYDELETEORG);
}

}  // extern "C"
