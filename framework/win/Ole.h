// OLE data transfer: reading data objects (COleDataObject), offering data on
// the clipboard or in a drag (COleDataSource, COleDropSource) and accepting
// drops on a window (COleDropTarget).
//
// Lifetimes: every class here is owned by C++ code (a control, a host, a
// stack frame) and deleted by it. The COM objects that the system holds are
// small companions of ours with their own reference counts; when the C++
// object goes first, its companion is cut off from it and answers as an
// empty, refusing object until the system lets it go. So no COM Release ever
// deletes a C++ object, and no late call from the system reaches a deleted one.
//
// The thread must have called AfxOleInit (or OleInitialize) before it
// registers drop targets, drags or uses the OLE clipboard.
#pragma once

#include "win/Platform.h"
#include "core/Exception.h"
#include "core/Geometry.h"
#include "core/Object.h"
#include "win/CmdTarget.h"

#include <ole2.h>

class CWnd;
class CDataObjectImpl;
class CDropTargetImpl;

typedef DWORD DROPEFFECT;

// Initialises OLE for the calling thread (single-threaded apartment) once;
// after a success, later calls on the thread answer TRUE at once. FALSE
// when the thread runs in another apartment model or OLE cannot start.
FRAMEWORK_API BOOL AFXAPI AfxOleInit();
// Undoes a successful AfxOleInit of the calling thread; nothing otherwise.
// A data source of ours on the clipboard is flushed first, so its data stay
// pasteable.
FRAMEWORK_API void AFXAPI AfxOleTerm();

// An OLE call that failed, with its status code.
class FRAMEWORK_API COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException();
    virtual ~COleException();

    // The status code an exception stands for: m_sc of an OLE exception,
    // E_OUTOFMEMORY for a memory exception, E_INVALIDARG for an invalid
    // argument, E_UNEXPECTED for anything else.
    static SCODE PASCAL Process(const CException* pAnyException);
    // The system's text for m_sc.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    SCODE m_sc;
};

[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowOleException(SCODE sc);

// A view of someone's IDataObject: the clipboard's or the one a drop brings.
class FRAMEWORK_API COleDataObject {
public:
    COleDataObject();
    // Releases the data object if it was attached with bAutoRelease.
    ~COleDataObject();

    // Takes the data object; with bAutoRelease this object releases it (one
    // reference, which the caller hands over) on Release or destruction.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    // Gives the data object up without releasing it.
    LPDATAOBJECT Detach();
    // Lets the data object go (releasing it when owned) and ends any
    // format enumeration.
    void Release();
    // Attaches the clipboard's current contents (OleGetClipboard); FALSE when
    // the clipboard cannot be read.
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    // Walks the formats offered: BeginEnumFormats, then GetNextFormat until
    // it answers FALSE. The FORMATETC's target device, if any, belongs to the
    // caller (CoTaskMemFree).
    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    // Whether the format is offered. Without lpFormatEtc: content aspect,
    // all of it (lindex -1), in global memory.
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Fills the medium; the caller frees it with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // The data as a global memory block that the caller owns and frees with
    // GlobalFree; NULL when it is not offered in global memory (or a stream,
    // which is read into one).
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

protected:
    LPDATAOBJECT m_lpDataObject;
    LPENUMFORMATETC m_lpEnumerator;
    BOOL m_bAutoRelease;

private:
    COleDataObject(const COleDataObject&);
    COleDataObject& operator=(const COleDataObject&);
};

// Decides how a drag goes on and what the pointer shows. The default drags
// with the button that was down when the drag began: releasing it drops,
// Escape or pressing the other main button cancels.
class FRAMEWORK_API COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    virtual ~COleDropSource();

    // Called before the drag starts, with the mouse captured by pWnd. With a
    // start rectangle (screen coordinates) it waits until the pointer leaves
    // it or the system's drag delay passes (TRUE: drag), or until the button
    // is released or Escape pressed (FALSE: no drag).
    virtual BOOL OnBeginDrag(CWnd* pWnd);
    // S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to cancel.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // DRAGDROP_S_USEDEFAULTCURSORS, or S_OK after setting a cursor itself.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

    CRect m_rectStartDrag;   // empty: no start rectangle
    DWORD m_dwButtonDrop;    // MK_ flag of the button that drops
    DWORD m_dwButtonCancel;  // MK_ flag of the button that cancels
};

// Data offered to others, cached in this object until Empty or destruction.
class FRAMEWORK_API COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    // Empties the cache. If this source is still on the clipboard, the
    // clipboard is flushed first so that its data survive the object.
    virtual ~COleDataSource();

    // Offers the block in the format; the source owns it from now on. A block
    // already cached for the same format, aspect and index is replaced.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    // Offers the medium (any TYMED); the source owns it and releases it with
    // ReleaseStgMedium. Without lpFormatEtc the medium's own tymed is used.
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // Frees everything cached.
    void Empty();

    // Runs a modal drag of the cached data; dwEffects are the effects the
    // source allows. With lpRectStartDrag (screen coordinates) the drag only
    // starts once the pointer leaves it. The result is the effect the target
    // performed, DROPEFFECT_NONE when the drag was cancelled, dropped nowhere
    // or could not start.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);

    // Puts the source on the OLE clipboard (COleException when the clipboard
    // refuses). The data stay there after this object is deleted (the
    // destructor flushes them).
    void SetClipboard();
    // Renders the data of the clipboard's source, if it is one of ours, to
    // the system clipboard and releases it.
    static void PASCAL FlushClipboard();
    // The source currently on the clipboard, if it is one of ours.
    static COleDataSource* PASCAL GetClipboardOwner();

    // The source's IDataObject, with a reference for the caller when bAddRef.
    LPDATAOBJECT GetDataObject(BOOL bAddRef = TRUE);

private:
    CDataObjectImpl* m_pImpl;
};

// Makes a window accept drops. Derive and override the handlers; the
// defaults refuse everything.
class FRAMEWORK_API COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    // Revokes the registration if it is still in place.
    virtual ~COleDropTarget();

    // Registers this target for the window (RegisterDragDrop). FALSE when
    // the window is not valid, this target is already registered or the
    // system refuses (OLE not initialised, the window already has one).
    BOOL Register(CWnd* pWnd);
    // Ends the registration; safe to call when not registered and after the
    // window was destroyed.
    virtual void Revoke();

    // The handlers get the registered window, the data (valid during the
    // call only), the MK_ key state and the pointer in that window's client
    // coordinates. The effect answered is narrowed to what the source
    // allows: a move to a copy or the other way round, a link to nothing.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Called first on a drop; anything but (DROPEFFECT)-1 is the drop's
    // result and OnDrop is not called. dropDefault is the effect of the last
    // OnDragOver, dropList what the source allows.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                                CPoint point);
    // TRUE when the data were taken with dropEffect.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    // The IDropTarget registered for the window (no reference added), NULL
    // when not registered.
    LPDROPTARGET GetDropTargetInterface() const;

protected:
    HWND m_hWnd;  // the registered window, NULL when not registered

private:
    CDropTargetImpl* m_pImpl;
};
