// Bitmap and icon functions and CBitmapEx. Everything read from a file image
// has been checked by the portable readers of ImageFile.h first, so the
// system is handed only headers, colour tables and bits that are there.
#include "images/BitmapEx.h"

#include "images/ImageFile.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

// The version of the icon resource format the icon functions are told.
const DWORD c_dwIconVersion = 0x00030000;

// A memory context with one bitmap selected, put back when it goes.
class CBitmapDC {
public:
    explicit CBitmapDC(HBITMAP hBitmap, HDC hdcLike = NULL)
        : m_hDC(::CreateCompatibleDC(hdcLike)),
          m_hOld(m_hDC != NULL && hBitmap != NULL ? ::SelectObject(m_hDC, hBitmap) : NULL)
    {
    }
    ~CBitmapDC()
    {
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hDC != NULL)
            ::DeleteDC(m_hDC);
    }
    CBitmapDC(const CBitmapDC&) = delete;
    CBitmapDC& operator=(const CBitmapDC&) = delete;

    // False when the context or the selection failed.
    bool IsReady() const { return m_hOld != NULL; }
    HDC m_hDC;

private:
    HGDIOBJ m_hOld;
};

// The screen's context for the duration of a call.
class CScreenDC {
public:
    CScreenDC() : m_hDC(::GetDC(NULL)) {}
    ~CScreenDC()
    {
        if (m_hDC != NULL)
            ::ReleaseDC(NULL, m_hDC);
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC m_hDC;
};

CSize SystemIconSize()
{
    return CSize(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
}

// The size a copy takes: the requested one when it is a real size not larger
// than the source in either dimension, else the source's.
CSize CopySize(const CSize& sizeSource, const CSize* pSize)
{
    if (pSize != NULL && pSize->cx > 0 && pSize->cy > 0 && pSize->cx <= sizeSource.cx && pSize->cy <= sizeSource.cy)
        return *pSize;
    return sizeSource;
}

// An icon from one checked image of an icon file, at cx x cy (0 x 0: its
// own size). The bytes are copied so that the system reads an aligned header.
HICON IconFromImage(const BYTE* pData, const CIconImage& image, int cx, int cy)
{
    std::vector<BYTE> bytes(pData + image.m_dwOffset, pData + image.m_dwOffset + image.m_dwBytes);
    return ::CreateIconFromResourceEx(bytes.data(), image.m_dwBytes, TRUE, c_dwIconVersion, cx, cy, LR_DEFAULTCOLOR);
}

// The whole file, or false when it cannot be read.
bool ReadWholeFile(LPCTSTR lpszPath, CByteArray& arrData)
{
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    try {
        const ULONGLONG nLength = file.GetLength();
        // No picture file comes near this; a larger one is not read into memory.
        if (nLength > 0x10000000)
            return false;
        arrData.SetSize(static_cast<INT_PTR>(nLength));
        return nLength == 0 || file.Read(arrData.GetData(), static_cast<UINT>(nLength)) == nLength;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

// The extension of a path without the leading dots, line feeds, carriage
// returns and blanks, at most 256 characters; empty when there is none.
CString PathExtension(LPCTSTR lpszPath)
{
    const CString strPath(lpszPath);
    int nNameStart = 0;
    for (char ch : {'\\', '/', ':'}) {
        const int nAt = strPath.ReverseFind(ch) + 1;
        if (nAt > nNameStart)
            nNameStart = nAt;
    }
    const int nDot = strPath.ReverseFind('.');
    if (nDot < nNameStart)
        return CString();
    CString strExt = strPath.Mid(nDot).Left(256);
    strExt.TrimLeft(".\n\r ");
    return strExt;
}

}  // namespace

CSize __cdecl GetBitmapSize(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == NULL || !::GetObjectA(hBitmap, sizeof(bm), &bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

void __cdecl ShowBitmap(CDC* pDC, HBITMAP hBitmap, const CPoint& pt, DWORD dwRop)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || hBitmap == NULL)
        return;
    const CSize size = GetBitmapSize(hBitmap);
    CBitmapDC dcMem(hBitmap, pDC->GetSafeHdc());
    if (dcMem.IsReady())
        ::BitBlt(pDC->GetSafeHdc(), pt.x, pt.y, size.cx, size.cy, dcMem.m_hDC, 0, 0, dwRop);
}

HICON __cdecl LoadICOFromArray(CByteArray& arrData)
{
    if (arrData.GetSize() < 25)
        return NULL;
    CIconFile file;
    if (file.Parse(arrData.GetData(), static_cast<size_t>(arrData.GetSize())) != imageFileOk)
        return NULL;
    const CIconImage& image = file.GetImages()[0];
    if (image.m_bPng)
        return NULL;
    HICON hIcon = IconFromImage(arrData.GetData(), image, image.m_nWidth, image.m_nHeight);
    if (hIcon == NULL && image.m_layout.m_wBitCount != 16)
        hIcon = IconFromImage(arrData.GetData(), image, 0, 0);
    return hIcon;
}

HICON __cdecl BitmapToIcon(HBITMAP hBitmap)
{
    if (hBitmap == NULL)
        return NULL;
    const CSize sizeIcon = SystemIconSize();
    const CSize sizeSource = GetBitmapSize(hBitmap);
    CScreenDC dcScreen;
    HBITMAP hColor = ::CreateCompatibleBitmap(dcScreen.m_hDC, sizeIcon.cx, sizeIcon.cy);
    if (hColor == NULL)
        return NULL;
    HICON hIcon = NULL;
    {
        CBitmapDC dcSource(hBitmap, dcScreen.m_hDC);
        CBitmapDC dcColor(hColor, dcScreen.m_hDC);
        if (dcSource.IsReady() && dcColor.IsReady())
            ::StretchBlt(dcColor.m_hDC, 0, 0, sizeIcon.cx, sizeIcon.cy, dcSource.m_hDC, 0, 0, sizeSource.cx,
                         sizeSource.cy, SRCCOPY);
    }
    BITMAP bmColor = {};
    ::GetObjectA(hColor, sizeof(bmColor), &bmColor);
    if (bmColor.bmPlanes < 256 && bmColor.bmBitsPixel < 256) {
        std::vector<BYTE> colorBits(static_cast<size_t>(bmColor.bmWidthBytes) * bmColor.bmHeight * bmColor.bmPlanes);
        ::GetBitmapBits(hColor, static_cast<LONG>(colorBits.size()), colorBits.data());
        // An all-black mask: every pixel of the icon is opaque.
        HBITMAP hMask = ::CreateBitmap(sizeIcon.cx, sizeIcon.cy, 1, 1, NULL);
        if (hMask != NULL) {
            {
                CBitmapDC dcMask(hMask, dcScreen.m_hDC);
                if (dcMask.IsReady())
                    ::PatBlt(dcMask.m_hDC, 0, 0, sizeIcon.cx, sizeIcon.cy, BLACKNESS);
            }
            BITMAP bmMask = {};
            ::GetObjectA(hMask, sizeof(bmMask), &bmMask);
            std::vector<BYTE> maskBits(static_cast<size_t>(bmMask.bmWidthBytes) * bmMask.bmHeight);
            ::GetBitmapBits(hMask, static_cast<LONG>(maskBits.size()), maskBits.data());
            hIcon = ::CreateIcon(AfxGetInstanceHandle(), sizeIcon.cx, sizeIcon.cy, static_cast<BYTE>(bmColor.bmPlanes),
                                 static_cast<BYTE>(bmColor.bmBitsPixel), maskBits.data(), colorBits.data());
            ::DeleteObject(hMask);
        }
    }
    ::DeleteObject(hColor);
    return hIcon;
}

CSize __cdecl GetIconSize(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    // A monochrome icon has no colour bitmap: its mask holds both halves.
    CSize size = GetBitmapSize(info.hbmColor != NULL ? info.hbmColor : info.hbmMask);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    return size;
}

bool __cdecl CopyBitmap(HBITMAP hSrc, HBITMAP& hDst, CSize* pSize)
{
    HBITMAP hNew = NULL;
    if (hSrc != NULL) {
        const CSize size = CopySize(GetBitmapSize(hSrc), pSize);
        hNew = static_cast<HBITMAP>(::CopyImage(hSrc, IMAGE_BITMAP, size.cx, size.cy, LR_CREATEDIBSECTION));
    }
    // Copied first: dst may be the source itself, replaced in place.
    if (hDst != NULL && hDst != hNew)
        ::DeleteObject(hDst);
    hDst = hNew;
    return hNew != NULL;
}

bool __cdecl CopyIcon(HICON hSrc, HICON& hDst, CSize* pSize)
{
    HICON hNew = NULL;
    if (hSrc != NULL) {
        // The icon's own size: a monochrome icon is half as high as the mask
        // GetIconSize measures, and its copy must not double.
        CSize sizeIcon = GetIconSize(hSrc);
        ICONINFO info = {};
        if (::GetIconInfo(hSrc, &info)) {
            if (info.hbmColor == NULL)
                sizeIcon.cy /= 2;
            else
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask != NULL)
                ::DeleteObject(info.hbmMask);
        }
        const CSize size = CopySize(sizeIcon, pSize);
        hNew = static_cast<HICON>(::CopyImage(hSrc, IMAGE_ICON, size.cx, size.cy, 0));
    }
    if (hDst != NULL && hDst != hNew)
        ::DestroyIcon(hDst);
    hDst = hNew;
    return hNew != NULL;
}

void __cdecl GetBkColorBitmap(HBITMAP hBitmap, COLORREF acrCorners[4])
{
    const CSize size = GetBitmapSize(hBitmap);
    CBitmapDC dc(hBitmap);
    if (!dc.IsReady()) {
        for (int i = 0; i < 4; ++i)
            acrCorners[i] = CLR_INVALID;
        return;
    }
    acrCorners[0] = ::GetPixel(dc.m_hDC, 0, 0);
    acrCorners[1] = ::GetPixel(dc.m_hDC, size.cx - 1, 0);
    acrCorners[2] = ::GetPixel(dc.m_hDC, size.cx - 1, size.cy - 1);
    acrCorners[3] = ::GetPixel(dc.m_hDC, 0, size.cy - 1);
}

IMPLEMENT_DYNAMIC(CBitmapEx, CBitmap)

CBitmapEx::CBitmapEx() : m_hIcon(NULL) {}

CBitmapEx::~CBitmapEx()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

void CBitmapEx::Release()
{
    DeleteObject();
    if (m_hIcon != NULL) {
        ::DestroyIcon(m_hIcon);
        m_hIcon = NULL;
    }
}

bool CBitmapEx::CreateFromDib(const BYTE* pHeader, const CDibLayout& layout, const BYTE* pBits)
{
    // The header and its colour table, aligned as the system reads them.
    std::vector<BYTE> info(pHeader, pHeader + layout.m_dwHeaderSize + layout.m_dwColorTableBytes);
    CScreenDC dcScreen;
    HBITMAP hBitmap = ::CreateDIBitmap(dcScreen.m_hDC, reinterpret_cast<const BITMAPINFOHEADER*>(info.data()), CBM_INIT,
                                       pBits, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    if (hBitmap == NULL)
        return false;
    if (!Attach(hBitmap)) {
        ::DeleteObject(hBitmap);
        return false;
    }
    return true;
}

bool CBitmapEx::Load(CByteArray& arrData)
{
    BYTE* pData = arrData.GetData();
    const size_t nSize = static_cast<size_t>(arrData.GetSize());
    const bool bBitmap = nSize >= 2 && pData[0] == 'B' && pData[1] == 'M';
    const bool bIcon = nSize >= 4 && pData[2] == 1 && pData[3] == 0;
    if (!bBitmap && !bIcon)
        return false;
    Release();
    if (bBitmap) {
        CBitmapFile file;
        if (file.Parse(pData, nSize, true) != imageFileOk)
            return false;
        return CreateFromDib(pData + 14, file.m_layout, pData + file.m_dwBitsOffset);
    }
    m_hIcon = LoadICOFromArray(arrData);
    if (m_hIcon != NULL)
        return true;
    // The colour part of the first image as a bitmap: its header made to
    // count the colour rows only.
    CIconFile file;
    if (file.Parse(pData, nSize) != imageFileOk || file.GetImages()[0].m_bPng)
        return false;
    const CIconImage& image = file.GetImages()[0];
    BYTE* pHeader = pData + image.m_dwOffset;
    if (image.m_layout.m_dwHeaderSize == 12) {
        const WORD wHalf = static_cast<WORD>(image.m_nHeight);
        std::memcpy(pHeader + 6, &wHalf, sizeof(wHalf));
    } else {
        const LONG nHalf = image.m_nHeight;
        std::memcpy(pHeader + 8, &nHalf, sizeof(nHalf));
    }
    return CreateFromDib(pHeader, image.m_layout, pHeader + image.m_dwXorOffset);
}

bool CBitmapEx::LoadBMP(CByteArray& arrData)
{
    const BYTE* pData = arrData.GetData();
    const size_t nSize = static_cast<size_t>(arrData.GetSize());
    if (nSize < 2 || pData[0] != 'B' || pData[1] != 'M')
        return false;
    CBitmapFile file;
    if (file.Parse(pData, nSize, false) != imageFileOk)
        return false;
    CBitmapEx bitmap;
    if (!bitmap.CreateFromDib(pData + 14, file.m_layout, pData + file.m_dwBitsOffset))
        return false;
    Release();
    return Attach(bitmap.Detach()) != FALSE;
}

bool CBitmapEx::LoadICO(CByteArray& arrData)
{
    Release();
    CIconFile file;
    if (file.Parse(arrData.GetData(), static_cast<size_t>(arrData.GetSize())) != imageFileOk)
        return false;
    const CSize sizeIcon = SystemIconSize();
    const int nImage = file.FindBestImage(sizeIcon.cx, sizeIcon.cy);
    if (nImage < 0)
        return false;
    m_hIcon = IconFromImage(arrData.GetData(), file.GetImages()[static_cast<size_t>(nImage)], 0, 0);
    return m_hIcon != NULL;
}

BOOL CBitmapEx::LoadBMPFromFile(LPCTSTR lpszPath)
{
    Release();
    if (lpszPath == NULL)
        return FALSE;
    const CString strExt = PathExtension(lpszPath);
    const bool bBitmap = strExt.CompareNoCase("BMP") == 0;
    if (!bBitmap && strExt.CompareNoCase("ICO") != 0)
        return FALSE;
    // Read and checked here: the system is handed only what is there.
    CByteArray arrData;
    if (!ReadWholeFile(lpszPath, arrData))
        return FALSE;
    const BYTE* pData = arrData.GetData();
    const size_t nSize = static_cast<size_t>(arrData.GetSize());
    if (bBitmap) {
        CBitmapFile file;
        if (file.Parse(pData, nSize, true) != imageFileOk)
            return FALSE;
        // A section, as the system makes one from a bitmap file.
        const BYTE* pHeader = pData + 14;
        std::vector<BYTE> info(pHeader, pHeader + file.m_layout.m_dwHeaderSize + file.m_layout.m_dwColorTableBytes);
        void* pBits = NULL;
        HBITMAP hBitmap =
            ::CreateDIBSection(NULL, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hBitmap == NULL)
            return FALSE;
        std::memcpy(pBits, pData + file.m_dwBitsOffset, file.m_layout.m_dwBitsBytes);
        ::GdiFlush();
        if (!Attach(hBitmap)) {
            ::DeleteObject(hBitmap);
            return FALSE;
        }
        return TRUE;
    }
    CIconFile file;
    if (file.Parse(pData, nSize) != imageFileOk)
        return FALSE;
    // The image that fits the system icon size best, made that size.
    const CSize sizeIcon = SystemIconSize();
    const int nImage = file.FindBestImage(sizeIcon.cx, sizeIcon.cy);
    if (nImage < 0)
        return FALSE;
    m_hIcon = IconFromImage(pData, file.GetImages()[static_cast<size_t>(nImage)], sizeIcon.cx, sizeIcon.cy);
    return m_hIcon != NULL;
}

HICON CBitmapEx::MakeIcon(int cx, int cy)
{
    CSize size(cx, cy);
    if (cx == 0 || cy == 0)
        size = SystemIconSize();
    HICON hIcon = NULL;
    if (m_hIcon != NULL) {
        CopyIcon(m_hIcon, hIcon, &size);
        return hIcon;
    }
    HBITMAP hCopy = NULL;
    if (!CopyBitmap(static_cast<HBITMAP>(m_hObject), hCopy, &size))
        return NULL;
    hIcon = BitmapToIcon(hCopy);
    ::DeleteObject(hCopy);
    return hIcon;
}

CSize CBitmapEx::GetSize() const
{
    if (m_hObject != NULL)
        return GetBitmapSize(static_cast<HBITMAP>(m_hObject));
    return GetIconSize(m_hIcon);
}

void CBitmapEx::SetSize(int cx, int cy, bool bKeepAspect)
{
    const CSize sizeCur = GetSize();
    if (!FitImageSize(sizeCur.cx, sizeCur.cy, cx, cy, bKeepAspect))
        return;
    CSize size(cx, cy);
    if (m_hIcon != NULL) {
        HICON hNew = NULL;
        if (CopyIcon(m_hIcon, hNew, &size)) {
            ::DestroyIcon(m_hIcon);
            m_hIcon = hNew;
        }
        return;
    }
    HBITMAP hNew = NULL;
    if (CopyBitmap(static_cast<HBITMAP>(m_hObject), hNew, &size)) {
        DeleteObject();
        if (!Attach(hNew))
            ::DeleteObject(hNew);
    }
}

int CBitmapEx::AddToImageList(CImageList& list, int cx, int cy)
{
    if (m_hIcon != NULL)
        return list.Add(m_hIcon);
    if (m_hObject == NULL)
        return -1;
    CSize size(cx, cy);
    HBITMAP hCopy = NULL;
    if (!CopyBitmap(static_cast<HBITMAP>(m_hObject), hCopy, &size))
        return -1;
    COLORREF acrCorners[4];
    GetBkColorBitmap(hCopy, acrCorners);
    CBitmap copy;
    if (!copy.Attach(hCopy)) {
        ::DeleteObject(hCopy);
        return -1;
    }
    return list.Add(&copy, ChooseMaskColor(acrCorners));
}

bool CBitmapEx::CopyBmp(const CBitmapEx* pSource, CSize* pSize)
{
    // Copied before anything goes: the source may be this object.
    HICON hIcon = NULL;
    HBITMAP hBitmap = NULL;
    bool bCopied = false;
    if (pSource != NULL && pSource->m_hIcon != NULL)
        bCopied = CopyIcon(pSource->m_hIcon, hIcon, pSize);
    else if (pSource != NULL && pSource->m_hObject != NULL)
        bCopied = CopyBitmap(static_cast<HBITMAP>(pSource->m_hObject), hBitmap, pSize);
    Release();
    m_hIcon = hIcon;
    if (hBitmap != NULL && !Attach(hBitmap)) {
        ::DeleteObject(hBitmap);
        return false;
    }
    return bCopied;
}
