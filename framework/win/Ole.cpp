// OLE data transfer. The COM objects handed to the system (CDataObjectImpl,
// CDropSourceImpl, CDropTargetImpl) are reference counted on their own and
// point back to their C++ owner only while it lives; see Ole.h.
#include "win/Ole.h"
#include "win/Clipboard.h"
#include "win/Wnd.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

// Whether AfxOleInit initialised OLE on this thread.
thread_local BOOL t_bOleInit = FALSE;

FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymedDefault)
{
    FORMATETC fe;
    if (lpFormatEtc != NULL) {
        fe = *lpFormatEtc;
    } else {
        fe.ptd = NULL;
        fe.dwAspect = DVASPECT_CONTENT;
        fe.lindex = -1;
        fe.tymed = tymedDefault;
    }
    fe.cfFormat = cfFormat;
    return fe;
}

// A new moveable block with the same bytes; NULL when memory runs out.
HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    CGlobalLock<const BYTE> source(hSource);
    const SIZE_T nSize = source.GetSize();
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nSize);
    if (hCopy == NULL || nSize == 0)
        return hCopy;
    {
        CGlobalLock<BYTE> copy(hCopy);
        if (source.Get() != NULL && copy.Get() != NULL) {
            std::memcpy(copy.Get(), source.Get(), nSize);
            return hCopy;
        }
    }
    ::GlobalFree(hCopy);
    return NULL;
}

// The rest of a stream as a moveable block; NULL on a read error.
HGLOBAL ReadStreamToGlobal(IStream* pStream)
{
    std::vector<BYTE> data;
    BYTE buffer[4096];
    for (;;) {
        ULONG nRead = 0;
        HRESULT hr = pStream->Read(buffer, sizeof(buffer), &nRead);
        if (FAILED(hr))
            return NULL;
        data.insert(data.end(), buffer, buffer + nRead);
        if (hr == S_FALSE || nRead == 0)
            break;
    }
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, data.size());
    if (hMem == NULL || data.empty())
        return hMem;
    {
        CGlobalLock<BYTE> lock(hMem);
        if (lock.Get() != NULL) {
            std::memcpy(lock.Get(), data.data(), data.size());
            return hMem;
        }
    }
    ::GlobalFree(hMem);
    return NULL;
}

// The effect a target asked for, narrowed to what the source allows: a move
// the source does not allow becomes a copy and the other way round, as the
// target takes the data either way; a link is only given when allowed.
DROPEFFECT FilterDropEffect(DROPEFFECT dropEffect, DROPEFFECT dropAllowed)
{
    DROPEFFECT dropScroll = dropEffect & DROPEFFECT_SCROLL;
    DROPEFFECT dropAsked = dropEffect & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    DROPEFFECT dropGranted = dropAsked & dropAllowed;
    if (dropGranted == DROPEFFECT_NONE && (dropAsked & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) != 0)
        dropGranted = dropAllowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // One effect: a copy before a move before a link.
    if (dropGranted & DROPEFFECT_COPY)
        dropGranted = DROPEFFECT_COPY;
    else if (dropGranted & DROPEFFECT_MOVE)
        dropGranted = DROPEFFECT_MOVE;
    return dropGranted | dropScroll;
}

}  // namespace

// ---------------------------------------------------------------- the COM side

// What every COM companion here shares: one interface besides IUnknown, a
// reference count, and deletion at the last Release.
template <class I>
class CUnknownImpl : public I {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv)
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(I))) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() { return static_cast<ULONG>(::InterlockedIncrement(&m_nRef)); }
    STDMETHOD_(ULONG, Release)()
    {
        const LONG nRef = ::InterlockedDecrement(&m_nRef);
        if (nRef == 0)
            delete this;
        return static_cast<ULONG>(nRef);
    }

protected:
    CUnknownImpl() : m_nRef(1) {}
    virtual ~CUnknownImpl() {}

private:
    LONG m_nRef;
};

// The IDataObject of a COleDataSource: it holds the cache, so the data stay
// valid for whoever still holds this object after the source is gone.
class CDataObjectImpl : public CUnknownImpl<IDataObject> {
public:
    CDataObjectImpl();

    struct CEntry {
        FORMATETC m_formatEtc;
        STGMEDIUM m_stgMedium;
    };

    // Takes the medium; an entry of the same format, aspect and index goes.
    void Add(const FORMATETC& formatEtc, const STGMEDIUM& stgMedium);
    void Empty();
    // The entry that can answer the request, or -1.
    int Find(const FORMATETC* pFormatEtc) const;

    STDMETHOD(GetData)(FORMATETC* pFormatEtc, STGMEDIUM* pMedium);
    STDMETHOD(GetDataHere)(FORMATETC* pFormatEtc, STGMEDIUM* pMedium);
    STDMETHOD(QueryGetData)(FORMATETC* pFormatEtc);
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut);
    STDMETHOD(SetData)(FORMATETC* pFormatEtc, STGMEDIUM* pMedium, BOOL fRelease);
    STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC** ppEnum);
    STDMETHOD(DAdvise)(FORMATETC* pFormatEtc, DWORD advf, IAdviseSink* pSink, DWORD* pdwConnection);
    STDMETHOD(DUnadvise)(DWORD dwConnection);
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA** ppEnum);

    COleDataSource* m_pOwner;

private:
    virtual ~CDataObjectImpl();

    std::vector<CEntry> m_entries;
};

namespace {
// Our data object last put on the clipboard; cleared when it goes.
CDataObjectImpl* g_pClipboardImpl = NULL;
}  // namespace

CDataObjectImpl::CDataObjectImpl() : m_pOwner(NULL) {}

CDataObjectImpl::~CDataObjectImpl()
{
    Empty();
    if (g_pClipboardImpl == this)
        g_pClipboardImpl = NULL;
}

void CDataObjectImpl::Add(const FORMATETC& formatEtc, const STGMEDIUM& stgMedium)
{
    CEntry entry;
    entry.m_formatEtc = formatEtc;
    // A target device would have to be copied and freed; the cache answers
    // for any device.
    entry.m_formatEtc.ptd = NULL;
    entry.m_stgMedium = stgMedium;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        FORMATETC& fe = m_entries[i].m_formatEtc;
        if (fe.cfFormat == formatEtc.cfFormat && fe.dwAspect == formatEtc.dwAspect && fe.lindex == formatEtc.lindex) {
            ::ReleaseStgMedium(&m_entries[i].m_stgMedium);
            m_entries[i] = entry;
            return;
        }
    }
    m_entries.push_back(entry);
}

void CDataObjectImpl::Empty()
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        ::ReleaseStgMedium(&m_entries[i].m_stgMedium);
    m_entries.clear();
}

int CDataObjectImpl::Find(const FORMATETC* pFormatEtc) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const FORMATETC& fe = m_entries[i].m_formatEtc;
        if (fe.cfFormat == pFormatEtc->cfFormat && fe.dwAspect == pFormatEtc->dwAspect &&
            fe.lindex == pFormatEtc->lindex && (fe.tymed & pFormatEtc->tymed) != 0)
            return static_cast<int>(i);
    }
    return -1;
}

STDMETHODIMP CDataObjectImpl::GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium)
{
    if (pFormatEtc == NULL || pMedium == NULL)
        return E_INVALIDARG;
    std::memset(pMedium, 0, sizeof(*pMedium));
    int nIndex = Find(pFormatEtc);
    if (nIndex < 0)
        return DV_E_FORMATETC;
    const STGMEDIUM& cached = m_entries[nIndex].m_stgMedium;
    if (cached.tymed == TYMED_HGLOBAL) {
        // Global memory is copied: the receiver may keep it (GetGlobalData
        // hands it to its caller).
        HGLOBAL hCopy = CopyGlobal(cached.hGlobal);
        if (hCopy == NULL)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hCopy;
        pMedium->pUnkForRelease = NULL;
        return S_OK;
    }
    *pMedium = cached;
    pMedium->pUnkForRelease = NULL;
    if (cached.tymed == TYMED_ISTREAM) {
        // Every reader gets its own seek position; releasing the medium
        // always releases the interface it holds.
        IStream* pClone = NULL;
        if (SUCCEEDED(cached.pstm->Clone(&pClone)) && pClone != NULL) {
            LARGE_INTEGER zero = {};
            pClone->Seek(zero, STREAM_SEEK_SET, NULL);
            pMedium->pstm = pClone;
        } else {
            cached.pstm->AddRef();
        }
        return S_OK;
    }
    if (cached.tymed == TYMED_ISTORAGE) {
        cached.pstg->AddRef();
        return S_OK;
    }
    // Handles are lent: releasing the medium releases this object, which
    // keeps the original.
    pMedium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CDataObjectImpl::GetDataHere(FORMATETC* pFormatEtc, STGMEDIUM* pMedium)
{
    if (pFormatEtc == NULL || pMedium == NULL)
        return E_INVALIDARG;
    int nIndex = Find(pFormatEtc);
    if (nIndex < 0)
        return DV_E_FORMATETC;
    const STGMEDIUM& cached = m_entries[nIndex].m_stgMedium;
    if (cached.tymed != TYMED_HGLOBAL || pMedium->tymed != TYMED_HGLOBAL || pMedium->hGlobal == NULL)
        return DV_E_TYMED;
    SIZE_T nSize = ::GlobalSize(cached.hGlobal);
    if (::GlobalSize(pMedium->hGlobal) < nSize)
        return STG_E_MEDIUMFULL;
    if (nSize == 0)
        return S_OK;
    CGlobalLock<const BYTE> source(cached.hGlobal);
    CGlobalLock<BYTE> target(pMedium->hGlobal);
    if (source.Get() == NULL || target.Get() == NULL)
        return E_OUTOFMEMORY;
    std::memcpy(target.Get(), source.Get(), nSize);
    return S_OK;
}

STDMETHODIMP CDataObjectImpl::QueryGetData(FORMATETC* pFormatEtc)
{
    if (pFormatEtc == NULL)
        return E_INVALIDARG;
    return Find(pFormatEtc) >= 0 ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP CDataObjectImpl::GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut)
{
    if (pFormatEtcIn == NULL || pFormatEtcOut == NULL)
        return E_INVALIDARG;
    *pFormatEtcOut = *pFormatEtcIn;
    pFormatEtcOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CDataObjectImpl::SetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium, BOOL fRelease)
{
    if (pFormatEtc == NULL || pMedium == NULL)
        return E_INVALIDARG;
    FORMATETC fe = *pFormatEtc;
    fe.tymed = pMedium->tymed;
    if (fRelease) {
        Add(fe, *pMedium);
        return S_OK;
    }
    // The caller keeps its medium: only global memory can be copied here.
    if (pMedium->tymed != TYMED_HGLOBAL)
        return DV_E_TYMED;
    STGMEDIUM copy = {};
    copy.tymed = TYMED_HGLOBAL;
    copy.hGlobal = CopyGlobal(pMedium->hGlobal);
    if (copy.hGlobal == NULL)
        return E_OUTOFMEMORY;
    Add(fe, copy);
    return S_OK;
}

STDMETHODIMP CDataObjectImpl::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (ppEnum == NULL)
        return E_INVALIDARG;
    *ppEnum = NULL;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (size_t i = 0; i < m_entries.size(); ++i)
        formats.push_back(m_entries[i].m_formatEtc);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.empty() ? NULL : &formats[0], ppEnum);
}

STDMETHODIMP CDataObjectImpl::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP CDataObjectImpl::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP CDataObjectImpl::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

// The IDropSource given to the system for one drag.
class CDropSourceImpl : public CUnknownImpl<IDropSource> {
public:
    explicit CDropSourceImpl(COleDropSource* pOwner) : m_pOwner(pOwner) {}

    STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState)
    {
        // Once the drag is over for us, any late question ends it.
        if (m_pOwner == NULL)
            return DRAGDROP_S_CANCEL;
        return m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState);
    }
    STDMETHOD(GiveFeedback)(DWORD dwEffect)
    {
        if (m_pOwner == NULL)
            return DRAGDROP_S_USEDEFAULTCURSORS;
        return m_pOwner->GiveFeedback(dwEffect);
    }

    COleDropSource* m_pOwner;

private:
    virtual ~CDropSourceImpl() {}
};

// The IDropTarget registered for a window. It keeps the drag's data object
// between DragEnter and DragLeave or Drop.
class CDropTargetImpl : public CUnknownImpl<IDropTarget> {
public:
    CDropTargetImpl(COleDropTarget* pOwner, HWND hWnd)
        : m_pOwner(pOwner), m_hWnd(hWnd), m_dropEffectLast(DROPEFFECT_NONE)
    {
    }

    STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);
    STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);
    STDMETHOD(DragLeave)();
    STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);

    COleDropTarget* m_pOwner;
    HWND m_hWnd;

private:
    virtual ~CDropTargetImpl() {}
    // The handlers can be called only while the owner and its window live.
    CWnd* GetWindow(POINTL pt, CPoint* pPoint) const;

    COleDataObject m_dataObject;
    DROPEFFECT m_dropEffectLast;
};

namespace {
// Keeps a COM object alive over a call into code that may revoke or delete
// its owner.
class CHoldRef {
public:
    explicit CHoldRef(IUnknown* pUnk) : m_pUnk(pUnk) { m_pUnk->AddRef(); }
    ~CHoldRef() { m_pUnk->Release(); }

private:
    IUnknown* m_pUnk;
};
}  // namespace

CWnd* CDropTargetImpl::GetWindow(POINTL pt, CPoint* pPoint) const
{
    if (m_pOwner == NULL || !::IsWindow(m_hWnd))
        return NULL;
    POINT point = {pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &point);
    *pPoint = CPoint(point.x, point.y);
    return CWnd::FromHandle(m_hWnd);
}

STDMETHODIMP CDropTargetImpl::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    CHoldRef hold(this);
    DROPEFFECT dropAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    m_dropEffectLast = DROPEFFECT_NONE;
    m_dataObject.Release();
    if (pDataObj != NULL) {
        pDataObj->AddRef();
        m_dataObject.Attach(pDataObj, TRUE);
    }
    CPoint point;
    CWnd* pWnd = GetWindow(pt, &point);
    if (pWnd == NULL)
        return S_OK;
    DROPEFFECT dropEffect = m_pOwner->OnDragEnter(pWnd, &m_dataObject, grfKeyState, point);
    m_dropEffectLast = FilterDropEffect(dropEffect, dropAllowed);
    *pdwEffect = m_dropEffectLast;
    return S_OK;
}

STDMETHODIMP CDropTargetImpl::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    CHoldRef hold(this);
    DROPEFFECT dropAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    CPoint point;
    CWnd* pWnd = GetWindow(pt, &point);
    if (pWnd == NULL) {
        m_dropEffectLast = DROPEFFECT_NONE;
        return S_OK;
    }
    DROPEFFECT dropEffect = m_pOwner->OnDragOver(pWnd, &m_dataObject, grfKeyState, point);
    m_dropEffectLast = FilterDropEffect(dropEffect, dropAllowed);
    *pdwEffect = m_dropEffectLast;
    return S_OK;
}

STDMETHODIMP CDropTargetImpl::DragLeave()
{
    CHoldRef hold(this);
    m_dropEffectLast = DROPEFFECT_NONE;
    if (m_pOwner != NULL && ::IsWindow(m_hWnd))
        m_pOwner->OnDragLeave(CWnd::FromHandle(m_hWnd));
    m_dataObject.Release();
    return S_OK;
}

STDMETHODIMP CDropTargetImpl::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    (void)grfKeyState;
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    CHoldRef hold(this);
    DROPEFFECT dropAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    DROPEFFECT dropDefault = m_dropEffectLast;
    m_dropEffectLast = DROPEFFECT_NONE;
    // The drop's own data object, in case it differs from DragEnter's.
    COleDataObject dataObject;
    if (pDataObj != NULL)
        dataObject.Attach(pDataObj, FALSE);
    else
        dataObject.Attach(m_dataObject.GetIDataObject(TRUE), TRUE);
    m_dataObject.Release();

    CPoint point;
    CWnd* pWnd = GetWindow(pt, &point);
    if (pWnd == NULL)
        return S_OK;
    DROPEFFECT dropEffect = m_pOwner->OnDropEx(pWnd, &dataObject, dropDefault, dropAllowed, point);
    if (dropEffect != static_cast<DROPEFFECT>(-1)) {
        *pdwEffect = FilterDropEffect(dropEffect, dropAllowed) & ~DROPEFFECT_SCROLL;
        return S_OK;
    }
    // OnDropEx may have revoked the target or destroyed the window.
    pWnd = GetWindow(pt, &point);
    if (pWnd == NULL)
        return S_OK;
    dropDefault &= ~DROPEFFECT_SCROLL;
    if (dropDefault == DROPEFFECT_NONE) {
        // A drop on a target that refused the data: for the target the drag
        // just left.
        m_pOwner->OnDragLeave(pWnd);
        return S_OK;
    }
    if (m_pOwner->OnDrop(pWnd, &dataObject, dropDefault, point))
        *pdwEffect = dropDefault;
    return S_OK;
}

// ---------------------------------------------------------------- AfxOle...

BOOL AFXAPI AfxOleInit()
{
    if (t_bOleInit)
        return TRUE;
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    t_bOleInit = TRUE;
    return TRUE;
}

void AFXAPI AfxOleTerm()
{
    if (!t_bOleInit)
        return;
    COleDataSource::FlushClipboard();
    ::OleUninitialize();
    t_bOleInit = FALSE;
}

// ---------------------------------------------------------------- COleException

IMPLEMENT_DYNAMIC(COleException, CException)

COleException::COleException() : m_sc(S_OK) {}

COleException::~COleException() {}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CInvalidArgException)))
        return E_INVALIDARG;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lpszError[0] = '\0';
    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                     static_cast<DWORD>(m_sc), 0, lpszError, nMaxError, NULL);
    if (nLength == 0)
        return FALSE;
    // The system's texts end with a line break.
    while (nLength > 0 && (lpszError[nLength - 1] == '\n' || lpszError[nLength - 1] == '\r'))
        lpszError[--nLength] = '\0';
    return TRUE;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    COleException* pException = new COleException;
    pException->m_sc = sc;
    throw pException;
}

// ---------------------------------------------------------------- COleDataObject

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_lpEnumerator(NULL), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDataObject::AttachClipboard()
{
    Release();
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject != NULL && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumerator != NULL) {
        m_lpEnumerator->Release();
        m_lpEnumerator = NULL;
    }
    if (m_lpDataObject != NULL && FAILED(m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator)))
        m_lpEnumerator = NULL;
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (m_lpEnumerator == NULL || lpFormatEtc == NULL)
        return FALSE;
    ULONG nFetched = 0;
    if (m_lpEnumerator->Next(1, lpFormatEtc, &nFetched) != S_OK || nFetched != 1)
        return FALSE;
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    return m_lpDataObject->QueryGetData(&fe) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL || lpStgMedium == NULL)
        return FALSE;
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    std::memset(lpStgMedium, 0, sizeof(*lpStgMedium));
    return SUCCEEDED(m_lpDataObject->GetData(&fe, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    if ((fe.tymed & (TYMED_HGLOBAL | TYMED_ISTREAM)) == 0)
        return NULL;
    fe.tymed &= TYMED_HGLOBAL | TYMED_ISTREAM;
    STGMEDIUM stg = {};
    if (FAILED(m_lpDataObject->GetData(&fe, &stg)))
        return NULL;
    HGLOBAL hResult = NULL;
    if (stg.tymed == TYMED_HGLOBAL && stg.hGlobal != NULL) {
        // Memory nobody else answers for passes to the caller as it is;
        // memory the source still owns is copied.
        if (stg.pUnkForRelease == NULL)
            return stg.hGlobal;
        hResult = CopyGlobal(stg.hGlobal);
    } else if (stg.tymed == TYMED_ISTREAM && stg.pstm != NULL) {
        hResult = ReadStreamToGlobal(stg.pstm);
    }
    ::ReleaseStgMedium(&stg);
    return hResult;
}

// ---------------------------------------------------------------- COleDropSource

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource() : m_dwButtonDrop(MK_LBUTTON), m_dwButtonCancel(MK_RBUTTON) {}

COleDropSource::~COleDropSource() {}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    if (m_rectStartDrag.IsRectEmpty() || pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return TRUE;
    HWND hWnd = pWnd->m_hWnd;
    ::SetCapture(hWnd);
    UINT nDelay = ::GetProfileIntA("windows", "DragDelay", DD_DEFDRAGDELAY);
    DWORD dwStart = ::GetTickCount();
    BOOL bDrag = TRUE;
    for (;;) {
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        // Holding the button long enough starts the drag where it is.
        if (dwElapsed >= nDelay)
            break;
        if (::GetCapture() != hWnd) {
            bDrag = FALSE;
            break;
        }
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, nDelay - dwElapsed, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            bDrag = FALSE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            if (!m_rectStartDrag.PtInRect(msg.pt))
                break;
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            bDrag = FALSE;
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP) {
            // The click ends as a click: the window still gets its button-up.
            ::ReleaseCapture();
            ::DispatchMessageA(&msg);
            bDrag = FALSE;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return bDrag;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    (void)dropEffect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---------------------------------------------------------------- COleDataSource

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() : m_pImpl(new CDataObjectImpl)
{
    m_pImpl->m_pOwner = this;
}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardImpl == m_pImpl && ::OleIsCurrentClipboard(m_pImpl) == S_OK)
        ::OleFlushClipboard();
    m_pImpl->m_pOwner = NULL;
    m_pImpl->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    if (hGlobal == NULL)
        AfxThrowInvalidArgException();
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    fe.tymed = TYMED_HGLOBAL;
    STGMEDIUM stg = {};
    stg.tymed = TYMED_HGLOBAL;
    stg.hGlobal = hGlobal;
    m_pImpl->Add(fe, stg);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == NULL || lpStgMedium->tymed == TYMED_NULL)
        AfxThrowInvalidArgException();
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, lpStgMedium->tymed);
    // The entry must say how it is held, whatever the caller asked for.
    fe.tymed = lpStgMedium->tymed;
    m_pImpl->Add(fe, *lpStgMedium);
}

void COleDataSource::Empty()
{
    m_pImpl->Empty();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource dropSourceDefault;
    COleDropSource* pSource = pDropSource != NULL ? pDropSource : &dropSourceDefault;
    // The button held now carries the drag; the other main one cancels it.
    if (::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0) {
        pSource->m_dwButtonDrop = MK_RBUTTON;
        pSource->m_dwButtonCancel = MK_LBUTTON;
    } else {
        pSource->m_dwButtonDrop = MK_LBUTTON;
        pSource->m_dwButtonCancel = MK_RBUTTON;
    }
    if (lpRectStartDrag != NULL) {
        pSource->m_rectStartDrag = *lpRectStartDrag;
        HWND hWnd = ::GetCapture();
        if (hWnd == NULL)
            hWnd = ::GetFocus();
        if (hWnd == NULL)
            hWnd = ::GetActiveWindow();
        if (hWnd != NULL && !pSource->OnBeginDrag(CWnd::FromHandle(hWnd)))
            return DROPEFFECT_NONE;
    } else {
        pSource->m_rectStartDrag.SetRectEmpty();
    }

    // The data object is held here, so the drag keeps its data even if this
    // source is deleted by a handler meanwhile.
    CDataObjectImpl* pData = m_pImpl;
    pData->AddRef();
    CDropSourceImpl* pSourceImpl = new CDropSourceImpl(pSource);
    DWORD dwEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(pData, pSourceImpl, dwEffects, &dwEffect);
    pSourceImpl->m_pOwner = NULL;
    pSourceImpl->Release();
    pData->Release();
    if (hr != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return dwEffect & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

void COleDataSource::SetClipboard()
{
    HRESULT hr = ::OleSetClipboard(m_pImpl);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    g_pClipboardImpl = m_pImpl;
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != NULL)
        ::OleFlushClipboard();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardImpl == NULL || ::OleIsCurrentClipboard(g_pClipboardImpl) != S_OK)
        return NULL;
    return g_pClipboardImpl->m_pOwner;
}

LPDATAOBJECT COleDataSource::GetDataObject(BOOL bAddRef)
{
    if (bAddRef)
        m_pImpl->AddRef();
    return m_pImpl;
}

// ---------------------------------------------------------------- COleDropTarget

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget() : m_hWnd(NULL), m_pImpl(NULL) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_pImpl != NULL || pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    CDropTargetImpl* pImpl = new CDropTargetImpl(this, pWnd->m_hWnd);
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, pImpl))) {
        pImpl->m_pOwner = NULL;
        pImpl->Release();
        return FALSE;
    }
    m_pImpl = pImpl;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_pImpl == NULL)
        return;
    if (::IsWindow(m_hWnd))
        ::RevokeDragDrop(m_hWnd);
    // A registration the system still holds (the window went first) now
    // refuses every drop instead of calling a deleted object.
    m_pImpl->m_pOwner = NULL;
    m_pImpl->Release();
    m_pImpl = NULL;
    m_hWnd = NULL;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

LPDROPTARGET COleDropTarget::GetDropTargetInterface() const
{
    return m_pImpl;
}
