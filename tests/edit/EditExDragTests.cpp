// A real OLE drag with the real pointer: text selected in one masked field is
// dragged out and dropped onto another, copied, and with Shift moved.
#include "EditExTestUtil.h"

#include <atomic>
#include <string>
#include <thread>

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

void SendMouse(DWORD dwFlags, POINT ptScreen)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int cy = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(ptScreen.x, 65535, cx);
    input.mi.dy = MulDiv(ptScreen.y, 65535, cy);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

void SendKey(WORD vk, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD dwTimeoutMs = 3000)
{
    const DWORD dwStart = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

HWND CaptureOf(DWORD dwThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(dwThread, &info) ? info.hwndCapture : NULL;
}

POINT ScreenPoint(HWND hWnd, CPoint ptClient)
{
    POINT pt = ptClient;
    ClientToScreen(hWnd, &pt);
    return pt;
}

class EditExDrag : public EditExTest {
protected:
    void SetUp() override
    {
        EditExTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        ::SetWindowPos(m_pHost->m_hWnd, HWND_TOPMOST, 60, 60, 430, 90, SWP_SHOWWINDOW);
        SetForegroundWindow(m_pHost->m_hWnd);
        CreateEdit(0, "##.##.####");
        m_pEdit->MoveWindow(10, 10, 180, 24);
        ASSERT_TRUE(m_pEdit->SetData("15032024"));
        m_pTarget.reset(new CProbeEdit);
        ASSERT_TRUE(m_pTarget->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(230, 10, 410, 34),
                                      m_pHost.get(), 101));
        ASSERT_TRUE(m_pTarget->SetMask("##.##.####"));
        m_pEdit->EnableDragDrop();
        m_pTarget->EnableDragDrop();
        ASSERT_TRUE(m_pEdit->IsDropTargetRegistered());
        ASSERT_TRUE(m_pTarget->IsDropTargetRegistered());
    }
    void TearDown() override
    {
        m_pTarget.reset();
        EditExTest::TearDown();
    }

    // Presses in the source at its first character, sweeps out of it (the
    // selection grows to the end, and leaving the field starts the drag),
    // moves over the target window and lets go there.
    // The test thread runs the messages meanwhile, as a program would.
    void DragToTarget(HWND hTarget, CPoint ptTarget)
    {
        const DWORD dwThread = GetCurrentThreadId();
        const HWND hSource = Edit();
        const POINT ptStart = ScreenPoint(hSource, PointOfChar(hSource, 0));
        const POINT ptGap = ScreenPoint(m_pHost->m_hWnd, CPoint(205, 22));
        const POINT ptGap2 = ScreenPoint(m_pHost->m_hWnd, CPoint(210, 22));
        const POINT ptDrop = ScreenPoint(hTarget, ptTarget);
        std::atomic<bool> bDone(false);
        std::thread driver([&] {
            SetCursorPos(ptStart.x, ptStart.y);
            SendMouse(MOUSEEVENTF_LEFTDOWN, ptStart);
            EXPECT_TRUE(WaitFor([&] { return CaptureOf(dwThread) == hSource; }));
            SendMouse(0, ptGap);
            EXPECT_TRUE(WaitFor([&] { return Selection(hSource).second == 10; }));
            SendMouse(0, ptGap2);
            // The drag loop holds the pointer now, not the field.
            EXPECT_TRUE(WaitFor([&] {
                const HWND hCapture = CaptureOf(dwThread);
                return hCapture != NULL && hCapture != hSource;
            }));
            for (int i = 1; i <= 4; ++i) {
                POINT pt = {ptGap2.x + (ptDrop.x - ptGap2.x) * i / 4, ptDrop.y};
                SendMouse(0, pt);
                Sleep(30);
            }
            Sleep(100);
            SendMouse(MOUSEEVENTF_LEFTUP, ptDrop);
            if (!WaitFor([&] { return CaptureOf(dwThread) == NULL; })) {
                // Not to hang the run: Escape cancels a drag still going.
                SendKey(VK_ESCAPE, false);
                SendKey(VK_ESCAPE, true);
            }
            bDone = true;
        });
        const DWORD dwStart = GetTickCount();
        while (!bDone && GetTickCount() - dwStart < 20000) {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
        driver.join();
    }

    std::unique_ptr<CProbeEdit> m_pTarget;
};

TEST_F(EditExDrag, DraggedTextIsCopiedIntoTheOtherField)
{
    DragToTarget(m_pTarget->m_hWnd, PointOfChar(m_pTarget->m_hWnd, 0));
    EXPECT_EQ(WindowText(m_pTarget->m_hWnd), "15.03.2024");
    EXPECT_EQ(Text(), "15.03.2024");
    EXPECT_FALSE(m_pEdit->IsDragging());
}

// A window that takes every text as a move.
class CMoveTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_MOVE; }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_MOVE; }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint) override
    {
        HGLOBAL hData = pDataObject->GetGlobalData(CF_TEXT);
        if (hData == NULL)
            return FALSE;
        m_strDropped = static_cast<const char*>(GlobalLock(hData));
        GlobalUnlock(hData);
        GlobalFree(hData);
        return TRUE;
    }
    std::string m_strDropped;
};

TEST_F(EditExDrag, AMovedTextLeavesTheSourceWithoutLiteralsDragged)
{
    m_pTarget.reset();
    CWnd window;
    ASSERT_TRUE(window.Create(NULL, "Сюда", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(230, 10, 410, 34), m_pHost.get(),
                              102));
    CMoveTarget target;
    ASSERT_TRUE(target.Register(&window));
    DragToTarget(window.m_hWnd, CPoint(20, 10));
    EXPECT_EQ(target.m_strDropped, "15032024");
    EXPECT_EQ(Text(), "  .  .    ");
    EXPECT_EQ(Sel(), Pos(0, 0));
    target.Revoke();
    window.DestroyWindow();
}

}  // namespace
}  // namespace edittest
