// AfxMessageBox: the application's message box. It is owned by the window the
// user works in (the main window's last active pop-up, or the thread's active
// window), is captioned with the application's name (the executable's name
// when there is no application object), and gets the usual icon when nType
// names none: the exclamation mark for OK and OK/Cancel, the question mark
// for Yes/No and Yes/No/Cancel. The application object shows it
// (CWinApp::DoMessageBox, which a host may override).
#pragma once

#include "win/Platform.h"

// The button pressed (IDOK, IDCANCEL, IDYES...), 0 when the box could not be
// shown. nIDHelp is the help context; the framework has no help to show.
FRAMEWORK_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt (searched as CString::LoadString
// does); nIDHelp -1 takes nIDPrompt as help context.
FRAMEWORK_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
