// Counting the GDI and USER objects that chosen modules create and free, for
// leak checks in window tests. Wine has no GetGuiResources, so the counter
// redirects the modules' imports of the creating and freeing functions.
//
// What counts as created is what the caller must free:
//  - GDI objects made by Create...(), LoadBitmap, non-shared LoadImage/CopyImage
//    (freed by DeleteObject), memory and device DCs (DeleteDC), window DCs from
//    GetDC/GetWindowDC/GetDCEx (ReleaseDC);
//  - icons and cursors from CreateIconIndirect, CreateIconFromResourceEx,
//    CopyIcon, non-shared LoadImage/CopyImage (DestroyIcon/DestroyCursor);
//  - image lists (ImageList_Destroy), menus (DestroyMenu, which also frees the
//    popups inside), accelerator tables from CreateAcceleratorTable.
// Not counted, because nobody frees them: LoadIcon, LoadCursor, LoadImage with
// LR_SHARED and LoadAccelerators (the system owns resource-loaded tables).
// An object counts as live from its creation by a watched module until any
// watched module frees it; freeing an object a watched module did not create
// changes nothing. Objects whose ownership passes to the system (a window's
// menu, a control's image list) stay live, as the counter cannot see that.
// Calls through GetProcAddress or delay-loaded imports are not seen.
// One counter may be active at a time; the watched modules must stay loaded
// while it lives.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testing {
class AssertionResult;
}

namespace support {

enum class GuiKind {
    Brush,
    Pen,
    Font,
    Bitmap,
    Region,
    Palette,
    DC,
    WindowDC,
    Icon,
    Cursor,
    ImageList,
    Menu,
    Accelerator,
    Count
};

const char* GuiKindName(GuiKind kind);

// Objects still live, by kind.
struct CGuiBalance {
    int m_anLive[static_cast<int>(GuiKind::Count)] = {};

    int operator[](GuiKind kind) const { return m_anLive[static_cast<int>(kind)]; }
    int Total() const;
    // "Brush 1, Menu 2", or "none".
    std::string ToString() const;
};

class CGuiObjectCounter {
public:
    // Watches the loaded modules of these names (e.g. "framework.dll").
    // Throws std::runtime_error when a module is not loaded, and
    // std::logic_error when another counter is active.
    explicit CGuiObjectCounter(const std::vector<std::string>& modules);
    explicit CGuiObjectCounter(const std::vector<HMODULE>& modules);
    ~CGuiObjectCounter();
    CGuiObjectCounter(const CGuiObjectCounter&) = delete;
    CGuiObjectCounter& operator=(const CGuiObjectCounter&) = delete;

    CGuiBalance GetBalance() const;
    // The live objects themselves, for the failure message.
    std::vector<std::pair<HANDLE, GuiKind>> GetLiveObjects() const;
    // Creations seen since the counter started, live or freed.
    int GetCreatedCount() const;
    // How many import slots were redirected: zero means the modules call none
    // of the watched functions.
    int GetPatchedCount() const;
    // Forgets the live objects (e.g. after a deliberate, checked leak).
    void Reset();

private:
    void Patch(HMODULE hModule);
    void Restore();

    std::vector<std::pair<void**, void*>> m_patched;  // slot, original
};

// Success when the counter sees no live object; the failure lists them.
::testing::AssertionResult NoGuiObjectsLive(const CGuiObjectCounter& counter);

}  // namespace support

#define EXPECT_NO_GUI_LEAKS(counter) EXPECT_TRUE(::support::NoGuiObjectsLive(counter))
