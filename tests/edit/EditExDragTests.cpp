// Dragging out of a masked field with the real pointer: the user presses on
// the date, sweeps out of the field, and lets go over another window, once
// where the text is copied and once where it is moved.
#include "edit/EditEx.h"

#include "ModalDriver.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

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

int SelectionEnd(HWND hEdit)
{
    DWORD dwStart = 0, dwEnd = 0;
    SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    return static_cast<int>(dwEnd);
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

class CProbeEdit : public CEditEx {
public:
    bool IsDragging() const { return m_bDragging; }
};

class EditExDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(m_host.CreateEx(0, NULL, "Перетаскивание", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 60, 60, 430, 90,
                                    NULL, NULL));
        ::SetWindowPos(m_host.m_hWnd, HWND_TOPMOST, 60, 60, 430, 90, SWP_SHOWWINDOW);
        SetForegroundWindow(m_host.m_hWnd);
        ASSERT_TRUE(
            m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 190, 34), &m_host, 100));
        m_edit.SetMask("##.##.####");
        m_edit.EnableDragDrop();
    }
    // Presses in the field at its first character, sweeps out of it (the
    // selection grows to the end, and leaving the field starts the drag),
    // moves over a window with the target and, once the target was asked,
    // lets go there. The test thread runs the messages meanwhile, as a
    // program would.
    void DragToTarget(CTextTarget& target)
    {
        CWnd window;
        ASSERT_TRUE(
            window.Create(NULL, "Сюда", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(230, 10, 410, 34), &m_host, 102));
        ASSERT_TRUE(target.Register(&window));
        const DWORD dwThread = GetCurrentThreadId();
        const HWND hSource = m_edit.m_hWnd;
        const LRESULT lFirst = m_edit.SendMessage(EM_POSFROMCHAR, 0, 0);
        const POINT ptStart = ScreenPoint(hSource, CPoint(LOWORD(lFirst) + 1, HIWORD(lFirst) + 3));
        const POINT ptGap = ScreenPoint(m_host.m_hWnd, CPoint(205, 22));
        const POINT ptGap2 = ScreenPoint(m_host.m_hWnd, CPoint(210, 22));
        const POINT ptDrop = ScreenPoint(window.m_hWnd, CPoint(20, 10));
        std::atomic<bool> bDone(false);
        std::thread driver([&] {
            SetCursorPos(ptStart.x, ptStart.y);
            SendMouse(MOUSEEVENTF_LEFTDOWN, ptStart);
            EXPECT_TRUE(support::PollFor(3000, [&] { return CaptureOf(dwThread) == hSource; }));
            SendMouse(0, ptGap);
            EXPECT_TRUE(support::PollFor(3000, [&] { return SelectionEnd(hSource) == 10; }));
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

    // The field goes first: it revokes its drop target while its window is there.
    CWnd m_host;
    CProbeEdit m_edit;
};

TEST_F(EditExDrag, ADateCopiedOutStaysAndOneMovedOutLeaves)
{
    ASSERT_TRUE(m_edit.SetData("15032024"));
    CTextTarget copy(DROPEFFECT_COPY);
    DragToTarget(copy);
    EXPECT_EQ(copy.m_strDropped, "15032024");  // the data, without the literals
    EXPECT_EQ(support::GetWindowString(m_edit.m_hWnd), "15.03.2024");
    EXPECT_FALSE(m_edit.IsDragging());

    // The same drag again, now to a window that moves it: the field empties.
    CTextTarget move(DROPEFFECT_MOVE);
    DragToTarget(move);
    EXPECT_EQ(move.m_strDropped, "15032024");
    EXPECT_EQ(support::GetWindowString(m_edit.m_hWnd), "  .  .    ");
    int nStart = -1, nEnd = -1;
    m_edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 0);
    EXPECT_EQ(nEnd, 0);
    EXPECT_FALSE(m_edit.IsDragging());
}

}  // namespace
