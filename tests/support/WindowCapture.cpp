#include "WindowCapture.h"

#include <gdiplus.h>

#include <cwchar>
#include <vector>

namespace support {
namespace {

// The PNG encoder's class identifier, looked up among GDI+'s encoders.
bool FindPngEncoder(CLSID* pClsid)
{
    UINT nCount = 0, nSize = 0;
    if (Gdiplus::GetImageEncodersSize(&nCount, &nSize) != Gdiplus::Ok || nSize == 0)
        return false;
    std::vector<BYTE> buffer(nSize);
    auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(nCount, nSize, pCodecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < nCount; ++i) {
        if (pCodecs[i].MimeType && wcscmp(pCodecs[i].MimeType, L"image/png") == 0) {
            *pClsid = pCodecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// GDI+ is started once per process and left running: shutting it down while a
// host still holds GDI+ objects would be worse than the few bytes it keeps.
bool EnsureGdiplus()
{
    static ULONG_PTR s_token = 0;
    static bool s_bStarted = false;
    if (!s_bStarted) {
        Gdiplus::GdiplusStartupInput input;
        s_bStarted = Gdiplus::GdiplusStartup(&s_token, &input, nullptr) == Gdiplus::Ok;
    }
    return s_bStarted;
}

}  // namespace

void PumpPendingMessages(HWND hWnd)
{
    if (hWnd) {
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
}

namespace {

// Copies cx x cy pixels at (x, y) of hdcSource into a 24-bit picture and
// writes it to pszPath as PNG.
BOOL CaptureDcToPng(HDC hdcSource, int x, int y, int cx, int cy, const char* pszPath)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hdcMem = CreateCompatibleDC(hdcSource);
    HBITMAP hbm = CreateDIBSection(hdcSource, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    BOOL bOk = FALSE;
    if (hdcMem && hbm) {
        HGDIOBJ hOld = SelectObject(hdcMem, hbm);
        bOk = BitBlt(hdcMem, 0, 0, cx, cy, hdcSource, x, y, SRCCOPY);
        SelectObject(hdcMem, hOld);
    }
    if (hdcMem)
        DeleteDC(hdcMem);

    if (bOk) {
        bOk = FALSE;
        CLSID clsidPng;
        wchar_t wszPath[MAX_PATH];
        if (FindPngEncoder(&clsidPng) && MultiByteToWideChar(CP_ACP, 0, pszPath, -1, wszPath, MAX_PATH) > 0) {
            Gdiplus::Bitmap* pBitmap = Gdiplus::Bitmap::FromHBITMAP(hbm, nullptr);
            if (pBitmap) {
                bOk = pBitmap->Save(wszPath, &clsidPng, nullptr) == Gdiplus::Ok;
                delete pBitmap;
            }
            if (!bOk)
                SetLastError(ERROR_WRITE_FAULT);
        }
    }
    if (hbm)
        DeleteObject(hbm);
    return bOk;
}

}  // namespace

BOOL CaptureWindowToPng(HWND hWnd, const char* pszPath)
{
    if (!IsWindow(hWnd) || !pszPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!EnsureGdiplus()) {
        SetLastError(ERROR_DLL_INIT_FAILED);
        return FALSE;
    }
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // What is on the screen, read through the window's own DC.
    HDC hdcWindow = GetWindowDC(hWnd);
    if (!hdcWindow)
        return FALSE;
    const BOOL bOk = CaptureDcToPng(hdcWindow, 0, 0, cx, cy, pszPath);
    ReleaseDC(hWnd, hdcWindow);
    return bOk;
}

BOOL CaptureScreenToPng(const RECT& rcScreen, const char* pszPath)
{
    const int cx = rcScreen.right - rcScreen.left, cy = rcScreen.bottom - rcScreen.top;
    if (!pszPath || cx <= 0 || cy <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!EnsureGdiplus()) {
        SetLastError(ERROR_DLL_INIT_FAILED);
        return FALSE;
    }
    HDC hdcScreen = GetDC(nullptr);
    if (!hdcScreen)
        return FALSE;
    const BOOL bOk = CaptureDcToPng(hdcScreen, rcScreen.left, rcScreen.top, cx, cy, pszPath);
    ReleaseDC(nullptr, hdcScreen);
    return bOk;
}

}  // namespace support
