// COleDropTargetText: a drop target that takes plain text (CF_TEXT) onto any
// window. A CEditEx decides itself whether and where the text goes (through
// its valid-data and set-data messages); another edit control gets the text
// inserted at the drop point; any other window gets it as its window text.
#pragma once

#include <afxole.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API COleDropTargetText : public COleDropTarget {
public:
    COleDropTargetText();
    virtual ~COleDropTargetText();

    // No effect on a read-only window, without text, or when the window
    // refuses the text at the point; else move with Shift, copy without.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // As OnDragEnter; data without text get the base class's answer.
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);

protected:
    // The CF_TEXT of the data, up to its first zero byte. FALSE when there is
    // none or the block is empty.
    BOOL ReadTextData(CString& strText, COleDataObject* pDataObject);
};
