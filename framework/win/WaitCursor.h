// CWaitCursor: the hourglass while a long operation runs on the user-interface
// thread. Waits nest: the cursor from before the first comes back when the
// last one ends. The count is the application object's (CWinApp::DoWaitCursor,
// which a host may override), or the thread's own when there is none.
#pragma once

#include "win/Platform.h"

class FRAMEWORK_API CWaitCursor {
public:
    // Begins a wait.
    CWaitCursor();
    // Ends it, also when an exception passes.
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again after something (a message box, a dialog)
    // set another cursor while the wait goes on.
    void Restore();
};
