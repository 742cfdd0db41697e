// Running a modal dialog or message box from a test: DoModal and MessageBox
// block the thread that calls them, so a helper thread waits for the dialog to
// appear, acts on it (reads it, types, presses a button) and lets the modal
// call return.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace support {

class CModalDriver {
public:
    using Action = std::function<void(HWND hDlg)>;

    // Starts waiting for the next dialog (a visible top-level window of class
    // #32770 of this process that did not exist before) for at most
    // dwTimeoutMs; fnAct then runs on the helper thread with the dialog. If the
    // dialog is still open dwTimeoutMs after the action, it is cancelled
    // (IDCANCEL) so the test does not hang, and Finish reports failure.
    explicit CModalDriver(Action fnAct, DWORD dwTimeoutMs = 10000);
    ~CModalDriver();
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    // Waits for the helper: true when a dialog appeared, the action ran and
    // the action closed the dialog.
    bool Finish();
    // After Finish: whether a dialog appeared at all.
    bool WasFound() const { return m_bFound; }

private:
    void Run();

    Action m_fnAct;
    DWORD m_dwTimeoutMs;
    std::vector<HWND> m_before;
    bool m_bFound = false;
    bool m_bClosed = false;
    std::thread m_thread;
};

// The window's text (a dialog's caption, a control's text).
std::string GetWindowString(HWND hWnd);
// The texts of the dialog's static controls, in child order; icons
// (SS_ICON) and empty statics are left out.
std::vector<std::string> GetStaticTexts(HWND hDlg);
// Clicks the dialog's button nId as the user would (the dialog gets
// WM_COMMAND/BN_CLICKED); false when the dialog has no such enabled button.
bool PressDialogButton(HWND hDlg, int nId);

}  // namespace support
