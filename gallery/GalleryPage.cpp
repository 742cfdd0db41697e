#include "GalleryPage.h"

#include <algorithm>
#include <string>

#include <commctrl.h>

namespace {
const char kPageClass[] = "ExtkitGalleryPage";

void RegisterPageClass()
{
    static bool s_bRegistered = false;
    if (s_bRegistered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kPageClass;
    RegisterClassA(&wc);
    s_bRegistered = true;
}
}  // namespace

CGalleryPage::~CGalleryPage()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

BOOL CGalleryPage::Create(HWND hParent, const RECT& rc, HFONT hFont)
{
    RegisterPageClass();
    m_hFont = hFont;
    // No WS_CLIPCHILDREN: group frames do not paint their inside, the page does.
    m_hWnd = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, GetTitle(), WS_CHILD, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, hParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_hWnd)
        return FALSE;
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CGalleryPage::PageProc));
    OnCreate();
    return TRUE;
}

LRESULT CALLBACK CGalleryPage::PageProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pPage = reinterpret_cast<CGalleryPage*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pPage)
        return pPage->OnMessage(nMsg, wParam, lParam);
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

LRESULT CGalleryPage::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Labels and group frames on the page's face colour.
        HDC hdc = reinterpret_cast<HDC>(wParam);
        SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PRINTCLIENT: {
        // Themed controls ask the page to paint its background under them.
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
        return 0;
    }
    }
    return DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
}

HWND CGalleryPage::AddControl(const char* pszClass, const char* pszText, DWORD dwStyle, int x, int y, int cx, int cy,
                              int nID, DWORD dwExStyle)
{
    HWND hCtl = CreateWindowExA(dwExStyle, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, x, y, cx, cy, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)), GetModuleHandleA(nullptr), nullptr);
    if (hCtl && m_hFont)
        SendMessageA(hCtl, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    return hCtl;
}

HWND CGalleryPage::AddLabel(const char* pszText, int x, int y, int cx, int cy)
{
    return AddControl("STATIC", pszText, SS_LEFT | SS_NOPREFIX, x, y, cx, cy);
}

HWND CGalleryPage::AddGroup(const char* pszText, int x, int y, int cx, int cy)
{
    return AddControl("BUTTON", pszText, BS_GROUPBOX, x, y, cx, cy);
}

HWND CGalleryPage::AddReportList(int x, int y, int cx, int cy, int nID)
{
    HWND hList = AddControl(WC_LISTVIEWA, "", LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, x, y, cx, cy, nID,
                            WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(hList, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    return hList;
}

void CGalleryPage::AddColumn(HWND hList, int nCol, const char* pszText, int cx)
{
    // The header writes its text into a box of the text's measured width, and
    // a last letter reaching past its advance (the "м" of "Алгоритм") loses its
    // edge; a trailing blank gives it room and shows nothing.
    std::string strText = std::string(pszText) + " ";
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = &strText[0];
    col.cx = cx;
    SendMessageA(hList, LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&col));
}

void CGalleryPage::SetCell(HWND hList, int nRow, int nCol, const char* pszText)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.iSubItem = nCol;
    item.pszText = const_cast<char*>(pszText);
    if (nCol == 0 && nRow >= ListView_GetItemCount(hList))
        SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    else
        SendMessageA(hList, LVM_SETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item));
}

namespace {

std::vector<std::pair<int, CGalleryPageRegistration::PFNCREATE>>& Registrations()
{
    // Made on first use: the registrations run during static initialisation.
    static std::vector<std::pair<int, CGalleryPageRegistration::PFNCREATE>> s_registrations;
    return s_registrations;
}

}  // namespace

CGalleryPageRegistration::CGalleryPageRegistration(int nOrder, PFNCREATE pfnCreate)
{
    Registrations().emplace_back(nOrder, pfnCreate);
}

std::vector<std::unique_ptr<CGalleryPage>> CreateGalleryPages()
{
    auto registrations = Registrations();
    std::stable_sort(registrations.begin(), registrations.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::unique_ptr<CGalleryPage>> pages;
    for (const auto& registration : registrations)
        pages.push_back(registration.second());
    return pages;
}
