#include "GuiObjectCounter.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace support {
namespace {

struct CLiveEntry {
    GuiKind m_kind;
    int m_nRefs;  // GetDC may hand out the same DC again before it is released
};

// Shared by the redirected functions; guarded because any thread may call them.
std::mutex g_mutex;
bool g_bActive = false;
std::map<HANDLE, CLiveEntry> g_live;
int g_nCreated = 0;

void Created(HANDLE h, GuiKind kind)
{
    if (!h)
        return;
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_bActive)
        return;
    auto it = g_live.find(h);
    if (it == g_live.end())
        g_live.emplace(h, CLiveEntry{kind, 1});
    else
        ++it->second.m_nRefs;
    ++g_nCreated;
}

void Destroyed(HANDLE h)
{
    if (!h)
        return;
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_live.find(h);
    if (it != g_live.end() && --it->second.m_nRefs <= 0)
        g_live.erase(it);
}

// The functions whose result the caller must free: the DLL, the result, the
// name, the parameters and arguments, and what kind of object they make.
// clang-format off
#define EK_CREATORS(X)                                                                                              \
    X(gdi32, HBRUSH, CreateSolidBrush, (COLORREF c), (c), Brush)                                                    \
    X(gdi32, HBRUSH, CreateHatchBrush, (int n, COLORREF c), (n, c), Brush)                                          \
    X(gdi32, HBRUSH, CreatePatternBrush, (HBITMAP hbm), (hbm), Brush)                                               \
    X(gdi32, HBRUSH, CreateBrushIndirect, (const LOGBRUSH* p), (p), Brush)                                          \
    X(gdi32, HBRUSH, CreateDIBPatternBrushPt, (const VOID* p, UINT u), (p, u), Brush)                               \
    X(gdi32, HPEN, CreatePen, (int s, int w, COLORREF c), (s, w, c), Pen)                                           \
    X(gdi32, HPEN, CreatePenIndirect, (const LOGPEN* p), (p), Pen)                                                  \
    X(gdi32, HPEN, ExtCreatePen, (DWORD s, DWORD w, const LOGBRUSH* p, DWORD n, const DWORD* a), (s, w, p, n, a), Pen) \
    X(gdi32, HFONT, CreateFontIndirectA, (const LOGFONTA* p), (p), Font)                                            \
    X(gdi32, HFONT, CreateFontIndirectW, (const LOGFONTW* p), (p), Font)                                            \
    X(gdi32, HFONT, CreateFontA, (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j,    \
      DWORD k, DWORD l, DWORD m, LPCSTR n), (a, b, c, d, e, f, g, h, i, j, k, l, m, n), Font)                        \
    X(gdi32, HFONT, CreateFontW, (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j,    \
      DWORD k, DWORD l, DWORD m, LPCWSTR n), (a, b, c, d, e, f, g, h, i, j, k, l, m, n), Font)                       \
    X(gdi32, HBITMAP, CreateCompatibleBitmap, (HDC hdc, int cx, int cy), (hdc, cx, cy), Bitmap)                     \
    X(gdi32, HBITMAP, CreateBitmap, (int cx, int cy, UINT p, UINT b, const VOID* v), (cx, cy, p, b, v), Bitmap)     \
    X(gdi32, HBITMAP, CreateBitmapIndirect, (const BITMAP* p), (p), Bitmap)                                         \
    X(gdi32, HBITMAP, CreateDIBSection, (HDC hdc, const BITMAPINFO* p, UINT u, VOID** v, HANDLE s, DWORD o),         \
      (hdc, p, u, v, s, o), Bitmap)                                                                                 \
    X(gdi32, HBITMAP, CreateDIBitmap, (HDC hdc, const BITMAPINFOHEADER* h, DWORD f, const VOID* v,                  \
      const BITMAPINFO* p, UINT u), (hdc, h, f, v, p, u), Bitmap)                                                   \
    X(user32, HBITMAP, LoadBitmapA, (HINSTANCE hi, LPCSTR n), (hi, n), Bitmap)                                      \
    X(user32, HBITMAP, LoadBitmapW, (HINSTANCE hi, LPCWSTR n), (hi, n), Bitmap)                                     \
    X(gdi32, HRGN, CreateRectRgn, (int a, int b, int c, int d), (a, b, c, d), Region)                               \
    X(gdi32, HRGN, CreateRectRgnIndirect, (const RECT* p), (p), Region)                                             \
    X(gdi32, HRGN, CreateRoundRectRgn, (int a, int b, int c, int d, int e, int f), (a, b, c, d, e, f), Region)      \
    X(gdi32, HRGN, CreateEllipticRgn, (int a, int b, int c, int d), (a, b, c, d), Region)                           \
    X(gdi32, HRGN, CreateEllipticRgnIndirect, (const RECT* p), (p), Region)                                         \
    X(gdi32, HRGN, CreatePolygonRgn, (const POINT* p, int n, int m), (p, n, m), Region)                             \
    X(gdi32, HRGN, ExtCreateRegion, (const XFORM* x, DWORD n, const RGNDATA* p), (x, n, p), Region)                 \
    X(gdi32, HPALETTE, CreatePalette, (const LOGPALETTE* p), (p), Palette)                                          \
    X(gdi32, HDC, CreateCompatibleDC, (HDC hdc), (hdc), DC)                                                         \
    X(gdi32, HDC, CreateDCA, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d), DC)                   \
    X(gdi32, HDC, CreateDCW, (LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d), (a, b, c, d), DC)                \
    X(gdi32, HDC, CreateICA, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d), DC)                   \
    X(user32, HDC, GetDC, (HWND hWnd), (hWnd), WindowDC)                                                            \
    X(user32, HDC, GetWindowDC, (HWND hWnd), (hWnd), WindowDC)                                                      \
    X(user32, HDC, GetDCEx, (HWND hWnd, HRGN h, DWORD f), (hWnd, h, f), WindowDC)                                   \
    X(user32, HICON, CopyIcon, (HICON h), (h), Icon)                                                                \
    X(comctl32, HIMAGELIST, ImageList_Create, (int cx, int cy, UINT f, int n, int g), (cx, cy, f, n, g), ImageList) \
    X(comctl32, HIMAGELIST, ImageList_Duplicate, (HIMAGELIST h), (h), ImageList)                                    \
    X(comctl32, HIMAGELIST, ImageList_LoadImageA, (HINSTANCE hi, LPCSTR n, int cx, int g, COLORREF c, UINT t,       \
      UINT f), (hi, n, cx, g, c, t, f), ImageList)                                                                  \
    X(user32, HMENU, CreateMenu, (), (), Menu)                                                                      \
    X(user32, HMENU, CreatePopupMenu, (), (), Menu)                                                                 \
    X(user32, HMENU, LoadMenuA, (HINSTANCE hi, LPCSTR n), (hi, n), Menu)                                            \
    X(user32, HMENU, LoadMenuW, (HINSTANCE hi, LPCWSTR n), (hi, n), Menu)                                           \
    X(user32, HMENU, LoadMenuIndirectA, (const MENUTEMPLATEA* p), (p), Menu)                                        \
    X(user32, HACCEL, CreateAcceleratorTableA, (LPACCEL p, int n), (p, n), Accelerator)                             \
    X(user32, HACCEL, CreateAcceleratorTableW, (LPACCEL p, int n), (p, n), Accelerator)

// The functions that free what the creators made: the DLL, the result, the
// name, the parameters and arguments, and the handle freed when they succeed.
#define EK_DESTROYERS(X)                                                        \
    X(gdi32, BOOL, DeleteObject, (HGDIOBJ h), (h), h)                           \
    X(gdi32, BOOL, DeleteDC, (HDC h), (h), h)                                   \
    X(user32, int, ReleaseDC, (HWND hWnd, HDC h), (hWnd, h), h)                 \
    X(user32, BOOL, DestroyIcon, (HICON h), (h), h)                             \
    X(user32, BOOL, DestroyCursor, (HCURSOR h), (h), h)                         \
    X(comctl32, BOOL, ImageList_Destroy, (HIMAGELIST h), (h), h)                \
    X(user32, BOOL, DestroyAcceleratorTable, (HACCEL h), (h), h)

// Those whose arguments say what they made or freed, written out below.
#define EK_OWN_HOOKS(X)                                                          \
    X(user32, CreateIconIndirect) X(user32, CreateIconFromResourceEx)           \
    X(user32, LoadImageA) X(user32, LoadImageW) X(user32, CopyImage) X(user32, DestroyMenu)
// clang-format on

// Each redirected function keeps the address the module was bound to.
#define EK_CREATOR(dll, ret, name, params, args, kind) \
    decltype(&::name) g_pfn##name = nullptr;           \
    ret WINAPI Hook##name params                       \
    {                                                  \
        ret hMade_ = g_pfn##name args;                 \
        Created(hMade_, GuiKind::kind);                \
        return hMade_;                                 \
    }
#define EK_DESTROYER(dll, ret, name, params, args, handle) \
    decltype(&::name) g_pfn##name = nullptr;               \
    ret WINAPI Hook##name params                           \
    {                                                      \
        ret nDone_ = g_pfn##name args;                     \
        if (nDone_)                                        \
            Destroyed(handle);                             \
        return nDone_;                                     \
    }
#define EK_OWN_POINTER(dll, name) decltype(&::name) g_pfn##name = nullptr;

EK_CREATORS(EK_CREATOR)
EK_DESTROYERS(EK_DESTROYER)
EK_OWN_HOOKS(EK_OWN_POINTER)

GuiKind IconOrCursor(BOOL bIcon)
{
    return bIcon ? GuiKind::Icon : GuiKind::Cursor;
}

GuiKind ImageKind(UINT nType)
{
    return nType == IMAGE_BITMAP ? GuiKind::Bitmap : nType == IMAGE_CURSOR ? GuiKind::Cursor : GuiKind::Icon;
}

HICON WINAPI HookCreateIconIndirect(PICONINFO p)
{
    HICON h = g_pfnCreateIconIndirect(p);
    if (p)
        Created(h, IconOrCursor(p->fIcon));
    return h;
}

HICON WINAPI HookCreateIconFromResourceEx(PBYTE p, DWORD n, BOOL bIcon, DWORD v, int cx, int cy, UINT f)
{
    HICON h = g_pfnCreateIconFromResourceEx(p, n, bIcon, v, cx, cy, f);
    if (!(f & LR_SHARED))
        Created(h, IconOrCursor(bIcon));
    return h;
}

HANDLE WINAPI HookLoadImageA(HINSTANCE hi, LPCSTR n, UINT t, int cx, int cy, UINT f)
{
    HANDLE h = g_pfnLoadImageA(hi, n, t, cx, cy, f);
    if (!(f & LR_SHARED))
        Created(h, ImageKind(t));
    return h;
}

HANDLE WINAPI HookLoadImageW(HINSTANCE hi, LPCWSTR n, UINT t, int cx, int cy, UINT f)
{
    HANDLE h = g_pfnLoadImageW(hi, n, t, cx, cy, f);
    if (!(f & LR_SHARED))
        Created(h, ImageKind(t));
    return h;
}

// CopyImage may hand back the original (LR_COPYRETURNORG) and may free it
// (LR_COPYDELETEORG).
HANDLE WINAPI HookCopyImage(HANDLE hOrg, UINT t, int cx, int cy, UINT f)
{
    HANDLE h = g_pfnCopyImage(hOrg, t, cx, cy, f);
    if (h && h != hOrg) {
        if (f & LR_COPYDELETEORG)
            Destroyed(hOrg);
        if (!(f & LR_SHARED))
            Created(h, ImageKind(t));
    }
    return h;
}

void CollectSubMenus(HMENU hMenu, std::vector<HMENU>* pMenus, int nDepth)
{
    if (nDepth > 32)
        return;
    const int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = GetSubMenu(hMenu, i)) {
            pMenus->push_back(hSub);
            CollectSubMenus(hSub, pMenus, nDepth + 1);
        }
    }
}

// DestroyMenu frees the popups inside the menu as well.
BOOL WINAPI HookDestroyMenu(HMENU hMenu)
{
    std::vector<HMENU> menus;
    if (IsMenu(hMenu))
        CollectSubMenus(hMenu, &menus, 0);
    BOOL bDone = g_pfnDestroyMenu(hMenu);
    if (bDone) {
        Destroyed(hMenu);
        for (HMENU hSub : menus)
            Destroyed(hSub);
    }
    return bDone;
}

struct CHook {
    const char* m_pszDll;
    const char* m_pszName;
    void* m_pHook;
    void** m_ppOriginal;
};

#define EK_HOOK(dll, name) \
    {#dll ".dll", #name, reinterpret_cast<void*>(&Hook##name), reinterpret_cast<void**>(&g_pfn##name)},
#define EK_HOOK_OF(dll, ret, name, params, args, what) EK_HOOK(dll, name)

const CHook g_aHooks[] = {EK_CREATORS(EK_HOOK_OF) EK_DESTROYERS(EK_HOOK_OF) EK_OWN_HOOKS(EK_HOOK)};

void WriteSlot(void** ppSlot, void* pValue)
{
    DWORD dwOld = 0;
    if (!VirtualProtect(ppSlot, sizeof(void*), PAGE_READWRITE, &dwOld))
        throw std::runtime_error("cannot unprotect an import slot");
    *ppSlot = pValue;
    VirtualProtect(ppSlot, sizeof(void*), dwOld, &dwOld);
}

std::vector<HMODULE> LoadedModules(const std::vector<std::string>& modules)
{
    std::vector<HMODULE> handles;
    for (const std::string& strName : modules) {
        HMODULE hModule = GetModuleHandleA(strName.c_str());
        if (!hModule)
            throw std::runtime_error("module not loaded: " + strName);
        handles.push_back(hModule);
    }
    return handles;
}

}  // namespace

const char* GuiKindName(GuiKind kind)
{
    static const char* const s_apszNames[] = {"Brush",    "Pen",  "Font",   "Bitmap",    "Region", "Palette",    "DC",
                                              "WindowDC", "Icon", "Cursor", "ImageList", "Menu",   "Accelerator"};
    const int n = static_cast<int>(kind);
    return n >= 0 && n < static_cast<int>(GuiKind::Count) ? s_apszNames[n] : "?";
}

int CGuiBalance::Total() const
{
    int nTotal = 0;
    for (int n : m_anLive)
        nTotal += n;
    return nTotal;
}

std::string CGuiBalance::ToString() const
{
    std::ostringstream out;
    for (int i = 0; i < static_cast<int>(GuiKind::Count); ++i) {
        if (m_anLive[i] != 0) {
            if (out.tellp() > 0)
                out << ", ";
            out << GuiKindName(static_cast<GuiKind>(i)) << ' ' << m_anLive[i];
        }
    }
    return out.tellp() > 0 ? out.str() : std::string("none");
}

CGuiObjectCounter::CGuiObjectCounter(const std::vector<std::string>& modules)
    : CGuiObjectCounter(LoadedModules(modules))
{
}

CGuiObjectCounter::CGuiObjectCounter(const std::vector<HMODULE>& modules)
{
    for (HMODULE hModule : modules) {
        if (!hModule)
            throw std::runtime_error("no module handle");
    }
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_bActive)
            throw std::logic_error("another CGuiObjectCounter is active");
        g_bActive = true;
        g_live.clear();
        g_nCreated = 0;
        for (const CHook& hook : g_aHooks)
            *hook.m_ppOriginal = nullptr;
    }
    try {
        for (HMODULE hModule : modules)
            Patch(hModule);
    } catch (...) {
        Restore();
        throw;
    }
}

CGuiObjectCounter::~CGuiObjectCounter()
{
    Restore();
}

void CGuiObjectCounter::Restore()
{
    for (auto it = m_patched.rbegin(); it != m_patched.rend(); ++it)
        WriteSlot(it->first, it->second);
    m_patched.clear();
    std::lock_guard<std::mutex> lock(g_mutex);
    g_bActive = false;
    g_live.clear();
}

void CGuiObjectCounter::Patch(HMODULE hModule)
{
    auto* pBase = reinterpret_cast<BYTE*>(hModule);
    auto* pDos = reinterpret_cast<IMAGE_DOS_HEADER*>(pBase);
    if (pDos->e_magic != IMAGE_DOS_SIGNATURE)
        throw std::runtime_error("not a PE module");
    auto* pNt = reinterpret_cast<IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    if (pNt->Signature != IMAGE_NT_SIGNATURE)
        throw std::runtime_error("not a PE module");
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return;
    for (auto* pDesc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress); pDesc->Name; ++pDesc) {
        const char* pszDll = reinterpret_cast<const char*>(pBase + pDesc->Name);
        // Without the name table the bound slots no longer say which function they hold.
        if (!pDesc->OriginalFirstThunk)
            continue;
        auto* pNames = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->OriginalFirstThunk);
        auto* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk);
        for (; pNames->u1.AddressOfData; ++pNames, ++pSlots) {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            auto* pByName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
            const char* pszName = reinterpret_cast<const char*>(pByName->Name);
            for (const CHook& hook : g_aHooks) {
                if (lstrcmpiA(hook.m_pszDll, pszDll) != 0 || lstrcmpA(hook.m_pszName, pszName) != 0)
                    continue;
                auto** ppSlot = reinterpret_cast<void**>(&pSlots->u1.Function);
                void* pBound = *ppSlot;
                if (pBound == hook.m_pHook)
                    break;
                // One redirecting function serves every module, so all must be
                // bound to the same code (e.g. not to two different comctl32s).
                if (*hook.m_ppOriginal && *hook.m_ppOriginal != pBound)
                    throw std::runtime_error(std::string("modules bound to different ") + pszName);
                *hook.m_ppOriginal = pBound;
                WriteSlot(ppSlot, hook.m_pHook);
                m_patched.emplace_back(ppSlot, pBound);
                break;
            }
        }
    }
}

CGuiBalance CGuiObjectCounter::GetBalance() const
{
    CGuiBalance balance;
    std::lock_guard<std::mutex> lock(g_mutex);
    for (const auto& entry : g_live)
        balance.m_anLive[static_cast<int>(entry.second.m_kind)] += entry.second.m_nRefs;
    return balance;
}

std::vector<std::pair<HANDLE, GuiKind>> CGuiObjectCounter::GetLiveObjects() const
{
    std::vector<std::pair<HANDLE, GuiKind>> objects;
    std::lock_guard<std::mutex> lock(g_mutex);
    for (const auto& entry : g_live)
        objects.emplace_back(entry.first, entry.second.m_kind);
    return objects;
}

int CGuiObjectCounter::GetCreatedCount() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_nCreated;
}

int CGuiObjectCounter::GetPatchedCount() const
{
    return static_cast<int>(m_patched.size());
}

void CGuiObjectCounter::Reset()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_live.clear();
}

::testing::AssertionResult NoGuiObjectsLive(const CGuiObjectCounter& counter)
{
    const CGuiBalance balance = counter.GetBalance();
    if (balance.Total() == 0)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    result << "GUI objects left: " << balance.ToString() << " (";
    bool bFirst = true;
    for (const auto& object : counter.GetLiveObjects()) {
        result << (bFirst ? "" : ", ") << GuiKindName(object.second) << ' ' << object.first;
        bFirst = false;
    }
    result << ")";
    return result;
}

}  // namespace support
