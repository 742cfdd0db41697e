// COutDragListBox: a list box whose selected line the user can take out to
// another window: dragging with the left button held past the list's edge
// starts an OLE drag of the line's text (CF_TEXT, copied, the line stays),
// which any window that takes plain text accepts (a CEditEx among them); and
// the copy command (ID_EDIT_COPY) puts the line on the clipboard.
//
// Accelerator table 1001 of the library's resources, when it has one,
// translates keys for the list; the library defines none, so copying comes
// through the host's routing of ID_EDIT_COPY (a menu, a toolbar, its own keys).
#pragma once

#include <afxwin.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API COutDragListBox : public CListBox {
public:
    // Loads accelerator table 1001 from the library's own resources.
    COutDragListBox();
    // Resource tables need no freeing: the table is left as it is.
    virtual ~COutDragListBox();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    HACCEL m_hAccel;  // table 1001, NULL when the resources hold none

protected:
    // Starts the drag once the pointer has left the list with the button
    // held; inside the list the list box tracks its selection as usual.
    void OnMouseMove(UINT nFlags, CPoint point);
    // The selected line, when it is not empty, as CF_TEXT on the clipboard.
    void OnEditCopy();
    // Enabled exactly when the list has a line, selected or not.
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
