// What the two exports share: starting the office application, and the boxes
// that tell the user why an automation call failed.
#pragma once

#include <afxdisp.h>

// Starts the application by its program identifier; when it cannot be
// started, shows pszFailure (OK button, brought to the foreground) and
// answers false.
bool StartOfficeApplication(COleDispatchDriver& app, const char* pszProgID, const char* pszFailure);

// Shows the system's text for the status ("COM Error").
void ShowComError(SCODE sc);
// Shows what the server said: "Run-time error 'N':" with the low 16 bits of
// its status, then its description ("Server Error"). The text is cut to the
// 512 bytes of its buffer.
void ShowServerError(SCODE scError, const char* pszDescription);

// Runs an export's automation calls: true when body answers true; a failed
// call (COleException, COleDispatchException) ends it with its box and false.
// body keeps its automation objects and wait cursor in its own scope, so
// they are released, and the cursor is back, before a box shows. Any other
// exception passes on.
template <typename Body>
bool RunAutomation(Body body)
{
    try {
        return body();
    } catch (COleDispatchException* e) {
        ShowServerError(e->m_scError, e->m_strDescription);
        e->Delete();
    } catch (COleException* e) {
        ShowComError(e->m_sc);
        e->Delete();
    }
    return false;
}
