// Shared memory files, data objects and sources, the OLE clipboard, drop
// targets on real windows, and the drag loop's start rectangle under the real
// pointer.
#include <afxole.h>

#include "Clipboard.h"
#include "Throws.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace {

HGLOBAL MakeGlobal(const std::string& strBytes)
{
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, strBytes.size());
    if (hMem != NULL && !strBytes.empty()) {
        std::memcpy(::GlobalLock(hMem), strBytes.data(), strBytes.size());
        ::GlobalUnlock(hMem);
    }
    return hMem;
}

HGLOBAL MakeText(const char* pszText)
{
    return MakeGlobal(std::string(pszText, std::strlen(pszText) + 1));
}

std::string ReadGlobal(HGLOBAL hMem)
{
    SIZE_T nSize = ::GlobalSize(hMem);
    if (nSize == 0)
        return std::string();
    std::string str(static_cast<const char*>(::GlobalLock(hMem)), nSize);
    ::GlobalUnlock(hMem);
    return str;
}

// The text of a CF_TEXT block, freeing it; "<none>" for no block.
std::string TakeText(HGLOBAL hMem)
{
    if (hMem == NULL)
        return "<none>";
    std::string str = ReadGlobal(hMem);
    ::GlobalFree(hMem);
    return str.substr(0, str.find('\0'));
}

// The system's handle table tells a freed block from a live one.
bool IsLiveBlock(HGLOBAL hMem)
{
    return ::GlobalFlags(hMem) != GMEM_INVALID_HANDLE;
}

// ---------------------------------------------------------------- CSharedFile

TEST(SharedFile, WrittenHandedOverAsABlockAndTakenBack)
{
    CSharedFile file(GMEM_MOVEABLE, 16);
    EXPECT_EQ(file.Detach(), nullptr);  // nothing written yet
    const std::string strData = "Иванов Иван Иванович, ул. Ленина 1";
    file.Write(strData.data(), 10);
    file.Write(strData.data() + 10, static_cast<UINT>(strData.size()) - 10);  // past the first block
    file.SeekToBegin();
    char buffer[64] = {};
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), strData.size());
    HGLOBAL hMem = file.Detach();
    ASSERT_NE(hMem, nullptr);
    EXPECT_EQ(file.GetLength(), 0u);
    // Trimmed to the data, unlocked, ready for the clipboard.
    EXPECT_EQ(ReadGlobal(hMem), strData);
    EXPECT_EQ(::GlobalFlags(hMem) & GMEM_LOCKCOUNT, 0u);

    // Taken back, the block is read and owned: freed on Close or destruction.
    file.SetHandle(hMem);
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), strData.size());
    EXPECT_EQ(std::string(buffer, strData.size()), strData);
    // Taking its own block again would free it under itself.
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { file.SetHandle(hMem); }));
    EXPECT_TRUE(IsLiveBlock(hMem));
    file.Close();
    EXPECT_FALSE(IsLiveBlock(hMem));
    file.Write("more", 4);  // usable again after Close
    hMem = file.Detach();
    {
        CSharedFile owner;
        owner.SetHandle(hMem);
    }
    EXPECT_FALSE(IsLiveBlock(hMem));

    // A fixed block refuses to grow; a growable one grows; an empty one is replaced.
    CSharedFile fixed;
    fixed.SetHandle(MakeGlobal("abcd"), FALSE);
    fixed.Write("xy", 2);
    fixed.Seek(0, CFile::end);
    EXPECT_TRUE(support::Throws<CMemoryException>([&] { fixed.Write("z", 1); }));
    EXPECT_EQ(TakeText(fixed.Detach()), "xycd");
    CSharedFile growing(GMEM_MOVEABLE, 8);
    growing.SetHandle(MakeGlobal("abc"));
    growing.Seek(0, CFile::end);
    growing.Write("defghijklmnop", 13);
    EXPECT_EQ(TakeText(growing.Detach()), "abcdefghijklmnop");
    HGLOBAL hEmpty = ::GlobalAlloc(GMEM_MOVEABLE, 0);
    file.SetHandle(hEmpty);
    char c;
    EXPECT_EQ(file.Read(&c, 1), 0u);
    file.Write("q", 1);
    hMem = file.Detach();
    // Freed, or freed and its handle given to the new block: not leaked.
    EXPECT_TRUE(hMem == hEmpty || !IsLiveBlock(hEmpty));
    EXPECT_EQ(TakeText(hMem), "q");
}

// ---------------------------------------------------------------- data source and object

class Ole : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
};

TEST_F(Ole, InitIsOncePerThreadAndRefusesAnotherApartment)
{
    EXPECT_TRUE(AfxOleInit());
    std::atomic<int> nResult(-1);
    std::thread mta([&] {
        ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
        nResult = AfxOleInit();
        ::CoUninitialize();
    });
    mta.join();
    EXPECT_EQ(nResult.load(), FALSE);
    std::thread fresh([&] {
        nResult = AfxOleInit() && AfxOleInit();
        AfxOleTerm();
    });
    fresh.join();
    EXPECT_EQ(nResult.load(), TRUE);
}

TEST_F(Ole, ASourceServesEveryReaderItsOwnCopyInTheFormatsItHolds)
{
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, MakeText("old"));
    pSource->CacheGlobalData(CF_TEXT, MakeText("Петров Пётр"));  // replaces
    CLIPFORMAT cfCustom = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("extkit test format"));
    pSource->CacheGlobalData(cfCustom, MakeGlobal("xyz"));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { pSource->CacheGlobalData(CF_TEXT, NULL); }));
    COleDataObject data;
    data.Attach(pSource->GetDataObject(TRUE));
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_UNICODETEXT));
    EXPECT_EQ(data.GetGlobalData(CF_BITMAP), nullptr);
    HGLOBAL hFirst = data.GetGlobalData(CF_TEXT);
    HGLOBAL hSecond = data.GetGlobalData(CF_TEXT);
    EXPECT_NE(hFirst, hSecond);
    EXPECT_EQ(TakeText(hFirst), "Петров Пётр");
    EXPECT_EQ(TakeText(hSecond), "Петров Пётр");
    std::string strFormats;
    FORMATETC fe;
    data.BeginEnumFormats();
    while (data.GetNextFormat(&fe))
        strFormats += fe.cfFormat == CF_TEXT ? "T" : fe.cfFormat == cfCustom ? "C" : "?";
    EXPECT_EQ(strFormats, "TC");

    // A stream is read whole by every reader; a GDI handle is lent, and
    // freed with the cache.
    IStream* pStream = NULL;
    ASSERT_EQ(::CreateStreamOnHGlobal(NULL, TRUE, &pStream), S_OK);
    pStream->Write("stream data", 11, NULL);
    STGMEDIUM stg = {};
    stg.tymed = TYMED_ISTREAM;
    stg.pstm = pStream;  // the source's reference now
    CLIPFORMAT cfStream = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("extkit stream format"));
    pSource->CacheData(cfStream, &stg);
    HBITMAP hBitmap = ::CreateBitmap(4, 4, 1, 32, NULL);
    STGMEDIUM gdi = {};
    gdi.tymed = TYMED_GDI;
    gdi.hBitmap = hBitmap;
    pSource->CacheData(CF_BITMAP, &gdi);
    FORMATETC feStream = {cfStream, NULL, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    EXPECT_TRUE(data.IsDataAvailable(cfStream, &feStream));
    EXPECT_FALSE(data.IsDataAvailable(cfStream));  // not in global memory
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(TakeText(data.GetGlobalData(cfStream, &feStream)), "stream data");
    FORMATETC feGdi = {CF_BITMAP, NULL, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM lent = {};
    ASSERT_TRUE(data.GetData(CF_BITMAP, &lent, &feGdi));
    EXPECT_EQ(lent.hBitmap, hBitmap);
    ::ReleaseStgMedium(&lent);
    BITMAP bm;
    EXPECT_NE(::GetObjectA(hBitmap, sizeof(bm), &bm), 0);  // still the source's
    pSource->Empty();
    EXPECT_EQ(::GetObjectA(hBitmap, sizeof(bm), &bm), 0);
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    data.BeginEnumFormats();
    EXPECT_FALSE(data.GetNextFormat(&fe));

    // The data object outlives its source until its last release.
    pSource->CacheGlobalData(CF_TEXT, MakeText("kept"));
    IDataObject* pData = data.Detach();
    delete pSource;
    data.Attach(pData, FALSE);
    EXPECT_EQ(TakeText(data.GetGlobalData(CF_TEXT)), "kept");
    EXPECT_EQ(data.Detach(), pData);
    EXPECT_EQ(pData->Release(), 0u);
}

// ---------------------------------------------------------------- clipboard

TEST_F(Ole, ClipboardIsReadAndOfferedDataOutliveTheSource)
{
    ASSERT_TRUE(support::SetClipboardText("буфер обмена"));
    COleDataObject other;
    ASSERT_TRUE(other.AttachClipboard());
    EXPECT_EQ(TakeText(other.GetGlobalData(CF_TEXT)), "буфер обмена");
    other.Release();

    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, MakeText("с источника"));
    pSource->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), pSource);
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_EQ(TakeText(data.GetGlobalData(CF_TEXT)), "с источника");
    data.Release();
    delete pSource;  // flushes: other programs can still paste
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    std::string strText;
    EXPECT_TRUE(support::GetClipboardText(&strText));
    EXPECT_EQ(strText, "с источника");

    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, MakeText("flushed"));
    source.SetClipboard();
    COleDataSource::FlushClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    source.Empty();  // the clipboard has its own copy now
    EXPECT_TRUE(support::GetClipboardText(&strText));
    EXPECT_EQ(strText, "flushed");
    EXPECT_TRUE(support::EmptyClipboardContents());
}

// ---------------------------------------------------------------- drop targets

// A plain top-level window of our own class (a static control would pass
// the pointer through to whatever lies below it).
HWND CreatePlainWindow(int x, int y, int cx, int cy)
{
    static ATOM s_atom = 0;
    if (s_atom == 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "ExtkitOleTestWindow";
        s_atom = ::RegisterClassA(&wc);
    }
    return ::CreateWindowExA(WS_EX_TOPMOST, "ExtkitOleTestWindow", "", WS_POPUP | WS_VISIBLE, x, y, cx, cy, NULL, NULL,
                             ::GetModuleHandleA(NULL), NULL);
}

// Records what the handlers were called with.
class CRecordingTarget : public COleDropTarget {
public:
    enum EAnswer { eCopyOrMoveWithShift, eRefuse, eLink };

    EAnswer m_eAnswer = eCopyOrMoveWithShift;
    BOOL m_bAcceptDrop = TRUE;
    DROPEFFECT m_dropExResult = static_cast<DROPEFFECT>(-1);
    bool m_bRevokeInDropEx = false;

    int m_nLeave = 0, m_nDrop = 0;
    CWnd* m_pWndSeen = NULL;
    std::string m_strDropText;
    CPoint m_ptDrop;
    DROPEFFECT m_dropDefaultEx = DROPEFFECT_NONE, m_dropListEx = DROPEFFECT_NONE;

    HWND GetRegisteredWindow() const { return m_hWnd; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject*, DWORD dwKeyState, CPoint point) override
    {
        return Answer(pWnd, dwKeyState, point);
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject*, DWORD dwKeyState, CPoint point) override
    {
        return Answer(pWnd, dwKeyState, point);
    }
    void OnDragLeave(CWnd*) override { ++m_nLeave; }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint) override
    {
        m_dropDefaultEx = dropDefault;
        m_dropListEx = dropList;
        if (m_bRevokeInDropEx)
            Revoke();
        return m_dropExResult;
    }
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT, CPoint point) override
    {
        m_pWndSeen = pWnd;
        m_strDropText = TakeText(pData->GetGlobalData(CF_TEXT));
        m_ptDrop = point;
        ++m_nDrop;
        return m_bAcceptDrop;
    }

private:
    DROPEFFECT Answer(CWnd* pWnd, DWORD dwKeyState, CPoint)
    {
        m_pWndSeen = pWnd;
        if (m_eAnswer == eRefuse)
            return DROPEFFECT_NONE;
        if (m_eAnswer == eLink)
            return DROPEFFECT_LINK;
        return (dwKeyState & MK_SHIFT) != 0 ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    }
};

// The target's IDropTarget called directly, as the drag loop calls it.
class DropTarget : public Ole {
protected:
    void SetUp() override
    {
        Ole::SetUp();
        ASSERT_TRUE(m_wnd.Attach(CreatePlainWindow(300, 200, 160, 100)));
        m_source.CacheGlobalData(CF_TEXT, MakeText("цель"));
        m_pData = m_source.GetDataObject(FALSE);
        ASSERT_TRUE(m_target.Register(&m_wnd));
        m_pTarget = m_target.GetDropTargetInterface();
    }

    POINTL ScreenPoint(int x, int y)
    {
        POINT pt = {x, y};
        ::ClientToScreen(m_wnd.m_hWnd, &pt);
        POINTL ptl = {pt.x, pt.y};
        return ptl;
    }
    DWORD Enter(DWORD dwAllowed, DWORD dwKeys, int x = 3, int y = 3)
    {
        m_pTarget->DragEnter(m_pData, dwKeys, ScreenPoint(x, y), &dwAllowed);
        return dwAllowed;
    }
    DWORD Over(DWORD dwAllowed, DWORD dwKeys, int x = 3, int y = 3)
    {
        m_pTarget->DragOver(dwKeys, ScreenPoint(x, y), &dwAllowed);
        return dwAllowed;
    }
    DWORD Drop(DWORD dwAllowed, DWORD dwKeys, int x = 3, int y = 3)
    {
        EXPECT_EQ(m_pTarget->Drop(m_pData, dwKeys, ScreenPoint(x, y), &dwAllowed), S_OK);
        return dwAllowed;
    }

    CWnd m_wnd;
    COleDataSource m_source;
    IDataObject* m_pData = NULL;
    CRecordingTarget m_target;
    IDropTarget* m_pTarget = NULL;
};

const DWORD kCopy = DROPEFFECT_COPY, kMove = DROPEFFECT_MOVE, kLink = DROPEFFECT_LINK, kNone = DROPEFFECT_NONE;

TEST_F(DropTarget, OneTargetPerWindowRevokedOrDeletedSafelyEvenDuringADrag)
{
    EXPECT_EQ(m_target.GetRegisteredWindow(), m_wnd.m_hWnd);
    EXPECT_FALSE(m_target.Register(&m_wnd));
    CRecordingTarget other;
    EXPECT_FALSE(other.Register(NULL));
    EXPECT_FALSE(other.Register(&m_wnd));  // the system keeps one per window

    // Revoked from its own drop handler while the system holds it.
    m_pTarget->AddRef();
    m_target.m_bRevokeInDropEx = true;
    Enter(kCopy, MK_LBUTTON);
    EXPECT_EQ(Drop(kCopy, 0), kNone);
    EXPECT_EQ(m_target.m_nDrop, 0);
    EXPECT_EQ(m_pTarget->Release(), 0u);
    EXPECT_EQ(m_target.GetRegisteredWindow(), nullptr);
    EXPECT_EQ(m_target.GetDropTargetInterface(), nullptr);
    m_target.Revoke();  // harmless twice

    // Deleted during a drag: it revokes, and the held interface then refuses.
    CRecordingTarget* pTarget = new CRecordingTarget;
    ASSERT_TRUE(pTarget->Register(&m_wnd));
    m_pTarget = pTarget->GetDropTargetInterface();
    m_pTarget->AddRef();
    delete pTarget;
    EXPECT_EQ(Enter(kCopy, MK_LBUTTON), kNone);
    EXPECT_EQ(Drop(kCopy, 0), kNone);
    EXPECT_EQ(m_pTarget->Release(), 0u);

    // The window is free for another target, which is revoked after the window is gone.
    EXPECT_TRUE(other.Register(&m_wnd));
    m_wnd.DestroyWindow();
    other.Revoke();
    EXPECT_EQ(other.GetRegisteredWindow(), nullptr);
}

TEST_F(DropTarget, EffectsAreNarrowedToWhatTheSourceAllowsAndOnlyTakenDropsCount)
{
    EXPECT_EQ(Enter(kCopy, MK_LBUTTON | MK_SHIFT), kCopy);  // a move taken as a copy
    EXPECT_EQ(Over(kMove, MK_LBUTTON), kMove);              // a copy taken as a move
    m_target.m_eAnswer = CRecordingTarget::eLink;
    EXPECT_EQ(Over(kCopy | kMove, MK_LBUTTON), kNone);  // a link only when allowed
    EXPECT_EQ(Over(kLink, MK_LBUTTON), kLink);
    m_pTarget->DragLeave();
    EXPECT_EQ(m_target.m_nLeave, 1);

    // Refused while dragging: the drop is a leave, not a drop.
    m_target.m_eAnswer = CRecordingTarget::eRefuse;
    EXPECT_EQ(Enter(kCopy, MK_LBUTTON), kNone);
    EXPECT_EQ(Drop(kCopy, 0), kNone);
    EXPECT_EQ(m_target.m_nDrop, 0);
    EXPECT_EQ(m_target.m_nLeave, 2);
    // Accepted while dragging, refused by OnDrop, which had the window, the
    // text and the point in its client area.
    m_target.m_eAnswer = CRecordingTarget::eCopyOrMoveWithShift;
    m_target.m_bAcceptDrop = FALSE;
    Enter(kCopy, MK_LBUTTON);
    EXPECT_EQ(Drop(kCopy, 0, 7, 9), kNone);
    EXPECT_EQ(m_target.m_nDrop, 1);
    EXPECT_TRUE(m_target.m_pWndSeen == &m_wnd && m_target.m_strDropText == "цель" && m_target.m_ptDrop == CPoint(7, 9));
    // OnDropEx decides alone when it answers, offered the effect last chosen and all the source allows.
    m_target.m_dropExResult = DROPEFFECT_MOVE;
    EXPECT_EQ(Enter(kCopy | kMove, MK_LBUTTON | MK_SHIFT), kMove);
    EXPECT_EQ(Drop(kCopy | kMove, MK_SHIFT), kMove);
    EXPECT_EQ(m_target.m_nDrop, 1);
    EXPECT_TRUE(m_target.m_dropDefaultEx == kMove && m_target.m_dropListEx == (kCopy | kMove));

    // The base class refuses everything.
    COleDropTarget base;
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(CreatePlainWindow(300, 320, 50, 50)));
    ASSERT_TRUE(base.Register(&wnd));
    DWORD dwEffect = kCopy | kMove | kLink;
    POINTL pt = {310, 330};
    base.GetDropTargetInterface()->DragEnter(m_pData, MK_LBUTTON, pt, &dwEffect);
    EXPECT_EQ(dwEffect, kNone);
}

TEST(DropSource, DropsOnTheButtonsReleaseAndCancelsOnEscapeOrTheOtherButton)
{
    COleDropSource source;
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_SHIFT), S_OK);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_SHIFT), DRAGDROP_S_DROP);
    EXPECT_EQ(source.QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_RBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    source.m_dwButtonDrop = MK_RBUTTON;
    source.m_dwButtonCancel = MK_LBUTTON;
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_RBUTTON), S_OK);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_RBUTTON | MK_LBUTTON), DRAGDROP_S_CANCEL);
}

// ---------------------------------------------------------------- real drags

// Input through the system's queue, as a user's hand gives it, so the drag
// loop sees real pointer moves, buttons and keys.
void SendMouse(DWORD dwFlags, POINT pt)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 over the screen.
    input.mi.dx = (pt.x * 65536 + cx - 1) / cx;
    input.mi.dy = (pt.y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

// Polls the condition for at most dwTimeout ms while the window thread's
// messages keep flowing.
template <class TCondition>
bool PumpUntil(TCondition condition, DWORD dwTimeout)
{
    MSG msg;
    for (const DWORD dwStart = ::GetTickCount(); !condition();
         ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT)) {
        if (::GetTickCount() - dwStart > dwTimeout)
            return false;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}

// Counts the drag loop's questions.
class CProbeSource : public COleDropSource {
public:
    std::atomic<int> m_nQueries{0};

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        ++m_nQueries;
        return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
    }
};

// Real drags that drop, with copy and move, are what the masked edit's drag
// tests make through this loop; here the start rectangle it may be given.
TEST_F(Ole, AStartRectangleReleasedInsideStartsNoDrag)
{
    CWnd wndSource;
    ASSERT_TRUE(wndSource.Attach(CreatePlainWindow(40, 60, 120, 90)));
    ::SetForegroundWindow(wndSource.m_hWnd);
    CRect rcSource;
    wndSource.GetWindowRect(&rcSource);
    const POINT ptStart = rcSource.CenterPoint();
    SendMouse(0, ptStart);
    SendMouse(MOUSEEVENTF_LEFTDOWN, ptStart);
    ASSERT_TRUE(PumpUntil([] { return ::GetKeyState(VK_LBUTTON) < 0; }, 5000));
    // Messages for the source window: the button-up must still reach it.
    wndSource.SetFocus();
    CRect rcStart(ptStart.x - 20, ptStart.y - 20, ptStart.x + 20, ptStart.y + 20);
    CProbeSource probe;
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, MakeText("нет"));
    // The release is queued before the wait starts, well within the drag delay.
    SendMouse(MOUSEEVENTF_LEFTUP, ptStart);
    DROPEFFECT dropEffect = source.DoDragDrop(DROPEFFECT_COPY, &rcStart, &probe);
    EXPECT_EQ(dropEffect, kNone);
    EXPECT_EQ(probe.m_nQueries.load(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    // Leave no button held for the tests after, in the thread's view either.
    PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) >= 0 && ::GetKeyState(VK_LBUTTON) >= 0; }, 2000);
}

}  // namespace
