// COutDragListBox in a form: copying lines through the command and its
// update, and a line taken out with the real pointer onto a masked edit.
#include "controls/OutDragListBox.h"

#include "edit/EditEx.h"

#include "Clipboard.h"
#include "ControlsTestUtil.h"
#include "Wait.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <afxole.h>

#include <atomic>
#include <thread>

namespace {

// Records what an update handler decided.
class CRecordingCmdUI : public CCmdUI {
public:
    CRecordingCmdUI() { m_nID = ID_EDIT_COPY; }
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    int m_nEnabled = -1;
};

class DragListSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pCounter = controls_test::MakeCounter();
        m_pHost.reset(new controls_test::CHostWnd("Счета", 420, 220));
        m_pList.reset(new COutDragListBox);
        ASSERT_TRUE(m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 200, 150),
                                    m_pHost.get(), 100));
        ASSERT_TRUE(support::SetClipboardText("прежнее"));
    }
    void TearDown() override
    {
        m_pList.reset();
        m_pHost.reset();
        CWnd::DeleteTempMap();
        EXPECT_NO_GUI_LEAKS(*m_pCounter);
    }
    int CopyEnabled()
    {
        CRecordingCmdUI ui;
        EXPECT_TRUE(ui.DoUpdate(m_pList.get(), FALSE));
        return ui.m_nEnabled;
    }
    std::string Copy()
    {
        m_pList->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_COPY, 0), 0);
        std::string strText;
        return support::GetClipboardText(&strText) ? strText : "<no text>";
    }

    std::unique_ptr<support::CGuiObjectCounter> m_pCounter;
    std::unique_ptr<CWnd> m_pHost;
    std::unique_ptr<COutDragListBox> m_pList;
};

}  // namespace

TEST_F(DragListSession, CopyTakesTheSelectedLineWhenItHasText)
{
    // An empty list: nothing to copy, the command is off.
    EXPECT_EQ(m_pList->m_hAccel, static_cast<HACCEL>(NULL));
    EXPECT_EQ(CopyEnabled(), 0);
    EXPECT_EQ(Copy(), "прежнее");

    // Lines without a selection: the command is on, but copies nothing.
    m_pList->AddString("40702810400000012345");
    m_pList->AddString("");
    m_pList->AddString("40817810099910004312");
    EXPECT_EQ(CopyEnabled(), 1);
    EXPECT_EQ(Copy(), "прежнее");

    // An empty line is not copied; a line with text is, whole.
    m_pList->SetCurSel(1);
    EXPECT_EQ(Copy(), "прежнее");
    m_pList->SetCurSel(2);
    EXPECT_EQ(Copy(), "40817810099910004312");

    m_pList->ResetContent();
    EXPECT_EQ(CopyEnabled(), 0);
}

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

// With the real pointer: presses on line nLine, moves inside the list (its
// own selection tracking), out of it and onto the field, and lets go there
// once the drag loop holds the pointer. This thread runs the messages.
void DragLine(CListBox& list, int nLine, CWnd& field)
{
    const DWORD dwThread = GetCurrentThreadId();
    CRect rcLine, rcField;
    list.GetItemRect(nLine, &rcLine);
    list.ClientToScreen(&rcLine);
    field.GetWindowRect(&rcField);
    const POINT ptStart = {rcLine.left + 20, rcLine.CenterPoint().y};
    const POINT ptInside = {rcLine.left + 40, rcLine.CenterPoint().y};
    const POINT ptDrop = {rcField.left + 10, rcField.CenterPoint().y};
    std::atomic<bool> bDone(false);
    std::thread driver([&] {
        SetCursorPos(ptStart.x, ptStart.y);
        SendMouse(MOUSEEVENTF_LEFTDOWN, ptStart);
        EXPECT_TRUE(support::PollFor(3000, [&] { return CaptureOf(dwThread) == list.m_hWnd; }));
        SendMouse(0, ptInside);
        SendMouse(0, ptDrop);
        // Outside the list the drag loop takes the pointer.
        EXPECT_TRUE(support::PollFor(3000, [&] {
            const HWND hCapture = CaptureOf(dwThread);
            return hCapture != NULL && hCapture != list.m_hWnd;
        }));
        SendMouse(0, POINT{ptDrop.x + 2, ptDrop.y});
        SendMouse(MOUSEEVENTF_LEFTUP, POINT{ptDrop.x + 2, ptDrop.y});
        if (!support::PollFor(3000, [&] { return CaptureOf(dwThread) == NULL; })) {
            INPUT keys[2] = {};
            keys[0].type = keys[1].type = INPUT_KEYBOARD;
            keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
            keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, keys, sizeof(INPUT));
        }
        bDone = true;
    });
    controls_test::RunMessagesUntil(20000, [&] { return bDone.load(); });
    driver.join();
}

}  // namespace

TEST_F(DragListSession, ALineDraggedOutLandsInAMaskedField)
{
    ASSERT_TRUE(AfxOleInit());
    CEditEx field;
    ASSERT_TRUE(
        field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(220, 10, 400, 34), m_pHost.get(), 101));
    field.EnableDragDrop();
    m_pList->AddString("40702810400000012345");
    m_pList->AddString("40817810099910004312");
    support::PumpPendingMessages(m_pHost->m_hWnd);

    // The pressed line is selected and goes out as text; it stays in the list.
    DragLine(*m_pList, 1, field);
    CString strField;
    field.GetWindowText(strField);
    EXPECT_STREQ(strField, "40817810099910004312");
    EXPECT_EQ(m_pList->GetCurSel(), 1);
    EXPECT_EQ(m_pList->GetCount(), 2);
    field.DestroyWindow();
}
