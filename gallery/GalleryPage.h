// A page of the gallery: a child window of the main window that shows one
// component of the library with realistic data.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class CGalleryPage {
public:
    virtual ~CGalleryPage();

    // Caption of the page's tab (Windows-1251).
    virtual const char* GetTitle() const = 0;
    // Stem of the snapshot's file name (ASCII), e.g. "frame".
    virtual const char* GetSnapshotName() const = 0;

    // Creates the page window over rc of hParent and its controls.
    BOOL Create(HWND hParent, const RECT& rc, HFONT hFont);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Called after the page became visible; a page may open what its snapshot
    // should show (a drop-down, a dialog) and close it in OnLeave.
    virtual void OnEnter() {}
    virtual void OnLeave() {}

    // Pictures beyond the page itself (a drop-down open over it, say), each
    // written to pszStem + "-<name>.png" with its path printed; returns how
    // many could not be written.
    virtual int WriteExtraSnapshots(const char* pszStem) { return 0; }

protected:
    // Builds the controls; the page window exists.
    virtual void OnCreate() = 0;
    virtual LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Control helpers: each created control gets the page's font.
    HWND AddControl(const char* pszClass, const char* pszText, DWORD dwStyle, int x, int y, int cx, int cy, int nID = 0,
                    DWORD dwExStyle = 0);
    HWND AddLabel(const char* pszText, int x, int y, int cx, int cy = 16);
    HWND AddGroup(const char* pszText, int x, int y, int cx, int cy);
    // A report-view list with grid lines and full-row selection.
    HWND AddReportList(int x, int y, int cx, int cy, int nID);

    static void AddColumn(HWND hList, int nCol, const char* pszText, int cx);
    // Sets a cell; a row past the last one is added (through its first cell).
    static void SetCell(HWND hList, int nRow, int nCol, const char* pszText);

    HWND m_hWnd = nullptr;
    HFONT m_hFont = nullptr;

private:
    static LRESULT CALLBACK PageProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
};

// Enters a page in the gallery; one static object per page.
struct CGalleryPageRegistration {
    typedef std::unique_ptr<CGalleryPage> (*PFNCREATE)();
    CGalleryPageRegistration(int nOrder, PFNCREATE pfnCreate);
};

// GALLERY_PAGE(order, class): the page's tab stands among the others by order.
#define GALLERY_PAGE(order, cls)                               \
    static const CGalleryPageRegistration g_registration##cls( \
        order, []() -> std::unique_ptr<CGalleryPage> { return std::make_unique<cls>(); })

// The registered pages, in the order of their tabs.
std::vector<std::unique_ptr<CGalleryPage>> CreateGalleryPages();
