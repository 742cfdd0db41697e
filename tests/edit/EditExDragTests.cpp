// A real OLE drag with the real pointer: text selected in a masked field is
// dragged out and dropped onto a window that takes it as a copy or as a move.
#include "EditExTestUtil.h"
#include "Wait.h"

#include <atomic>
#include <string>
#include <thread>

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

void SendMouse(DWORD dwFlags, POINT ptScreen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(ptScreen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(ptScreen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

HWND CaptureOf(DWORD dwThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(dwThread, &info) ? info.hwndCapture : NULL;
}

POINT ScreenPoint(HWND hWnd, CPoint pt)
{
    ClientToScreen(hWnd, &pt);
    return pt;
}

// A window that takes every text with the effect it was given.
class CTextTarget : public COleDropTarget {
public:
    explicit CTextTarget(DROPEFFECT effect) : m_effect(effect) {}
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return Asked(); }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return Asked(); }
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
    DROPEFFECT Asked()
    {
        m_bAsked = true;
        return m_effect;
    }
    const DROPEFFECT m_effect;
    std::atomic<bool> m_bAsked{false};
    std::string m_strDropped;
};

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
        m_pEdit->EnableDragDrop();
        ASSERT_TRUE(m_pEdit->IsDropTargetRegistered());
    }

    // Presses in the source at its first character, sweeps out of it (the
    // selection grows to the end, and leaving the field starts the drag),
    // moves over a window with the target and, once the target was asked,
    // lets go there. The test thread runs the messages meanwhile, as a
    // program would.
    void DragToTarget(CTextTarget& target)
    {
        CWnd window;
        ASSERT_TRUE(window.Create(NULL, "Сюда", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(230, 10, 410, 34),
                                  m_pHost.get(), 102));
        ASSERT_TRUE(target.Register(&window));
        const DWORD dwThread = GetCurrentThreadId();
        const HWND hSource = Edit();
        const POINT ptStart = ScreenPoint(hSource, PointOfChar(hSource, 0));
        const POINT ptGap = ScreenPoint(m_pHost->m_hWnd, CPoint(205, 22));
        const POINT ptGap2 = ScreenPoint(m_pHost->m_hWnd, CPoint(210, 22));
        const POINT ptDrop = ScreenPoint(window.m_hWnd, CPoint(20, 10));
        std::atomic<bool> bDone(false);
        std::thread driver([&] {
            SetCursorPos(ptStart.x, ptStart.y);
            SendMouse(MOUSEEVENTF_LEFTDOWN, ptStart);
            EXPECT_TRUE(support::PollFor(3000, [&] { return CaptureOf(dwThread) == hSource; }));
            SendMouse(0, ptGap);
            EXPECT_TRUE(support::PollFor(3000, [&] { return Selection(hSource).second == 10; }));
            SendMouse(0, ptGap2);
            // The drag loop holds the pointer now, not the field.
            EXPECT_TRUE(support::PollFor(3000, [&] {
                const HWND hCapture = CaptureOf(dwThread);
                return hCapture != NULL && hCapture != hSource;
            }));
            SendMouse(0, ptDrop);
            EXPECT_TRUE(support::PollFor(3000, [&] { return target.m_bAsked.load(); }));
            SendMouse(MOUSEEVENTF_LEFTUP, ptDrop);
            if (!support::PollFor(3000, [&] { return CaptureOf(dwThread) == NULL; })) {
                // Not to hang the run: Escape cancels a drag still going.
                INPUT keys[2] = {};
                keys[0].type = keys[1].type = INPUT_KEYBOARD;
                keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
                keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                SendInput(2, keys, sizeof(INPUT));
            }
            bDone = true;
        });
        for (const DWORD dwStart = GetTickCount(); !bDone && GetTickCount() - dwStart < 20000;) {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
        driver.join();
        target.Revoke();
        window.DestroyWindow();
    }
};

TEST_F(EditExDrag, ACopiedTextStaysInTheSourceAndLeavesWithoutLiterals)
{
    CTextTarget target(DROPEFFECT_COPY);
    DragToTarget(target);
    EXPECT_EQ(target.m_strDropped, "15032024");
    EXPECT_EQ(Text(), "15.03.2024");
    EXPECT_FALSE(m_pEdit->IsDragging());
}

TEST_F(EditExDrag, AMovedTextLeavesTheSource)
{
    CTextTarget target(DROPEFFECT_MOVE);
    DragToTarget(target);
    EXPECT_EQ(target.m_strDropped, "15032024");
    EXPECT_EQ(Text(), "  .  .    ");
    EXPECT_EQ(Sel(), Pos(0, 0));
    EXPECT_FALSE(m_pEdit->IsDragging());
}

}  // namespace
}  // namespace edittest
