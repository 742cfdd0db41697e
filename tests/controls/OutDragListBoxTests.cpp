// COutDragListBox in a form: copying lines through the command and its
// update, and a line taken out with the real pointer onto a masked edit.
#include "controls/OutDragListBox.h"

#include "edit/EditEx.h"

#include "Clipboard.h"
#include "Input.h"
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

class DragListSession : public controls_test::CFormSession<COutDragListBox> {
protected:
    void SetUp() override
    {
        CFormSession::SetUp();
        m_pControl.reset(new COutDragListBox);
        ASSERT_TRUE(m_pControl->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 200, 150),
                                       m_pHost.get(), 100));
        ASSERT_TRUE(support::SetClipboardText("прежнее"));
    }
    int CopyEnabled()
    {
        CRecordingCmdUI ui;
        EXPECT_TRUE(ui.DoUpdate(m_pControl.get(), FALSE));
        return ui.m_nEnabled;
    }
    std::string Copy()
    {
        m_pControl->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_COPY, 0), 0);
        std::string strText;
        return support::GetClipboardText(&strText) ? strText : "<no text>";
    }
};

}  // namespace

TEST_F(DragListSession, CopyTakesTheSelectedLineWhenItHasText)
{
    // An empty list: nothing to copy, the command is off.
    EXPECT_EQ(m_pControl->m_hAccel, static_cast<HACCEL>(NULL));
    EXPECT_EQ(CopyEnabled(), 0);
    EXPECT_EQ(Copy(), "прежнее");

    // Lines without a selection: the command is on, but copies nothing.
    m_pControl->AddString("40702810400000012345");
    m_pControl->AddString("");
    m_pControl->AddString("40817810099910004312");
    EXPECT_EQ(CopyEnabled(), 1);
    EXPECT_EQ(Copy(), "прежнее");

    // An empty line is not copied; a line with text is, whole.
    m_pControl->SetCurSel(1);
    EXPECT_EQ(Copy(), "прежнее");
    m_pControl->SetCurSel(2);
    EXPECT_EQ(Copy(), "40817810099910004312");

    m_pControl->ResetContent();
    EXPECT_EQ(CopyEnabled(), 0);
}

TEST_F(DragListSession, AHundredListsFilledCopiedAndDestroyed)
{
    for (int i = 0; i < 100; ++i) {
        m_pControl.reset(new COutDragListBox);
        ASSERT_TRUE(m_pControl->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 150), m_pHost.get(), 100));
        m_pControl->SetCurSel(m_pControl->AddString("40702810400000012345"));
        EXPECT_EQ(Copy(), "40702810400000012345");
        m_pControl->UpdateWindow();
    }
}

namespace {

// With the real pointer: presses on line nLine, moves inside the list (its
// own selection tracking), out onto the field, and lets go there once the
// drag loop holds the pointer. This thread runs the messages meanwhile.
void DragLine(CListBox& list, int nLine, CWnd& field)
{
    const DWORD dwThread = GetCurrentThreadId();
    CRect rcLine, rcField;
    list.GetItemRect(nLine, &rcLine);
    list.ClientToScreen(&rcLine);
    field.GetWindowRect(&rcField);
    const int y = rcLine.CenterPoint().y;
    std::atomic<bool> bDone(false);
    std::thread driver([&] {
        SetCursorPos(rcLine.left + 20, y);
        support::SendMouseInput(MOUSEEVENTF_LEFTDOWN, POINT{rcLine.left + 20, y});
        EXPECT_TRUE(support::PollFor(3000, [&] { return support::CaptureOfThread(dwThread) == list.m_hWnd; }));
        support::SendMouseInput(0, POINT{rcLine.left + 40, y});
        const auto dragging = [&] {
            const HWND hCapture = support::CaptureOfThread(dwThread);
            return hCapture != NULL && hCapture != list.m_hWnd;
        };
        // Out of the list the drag begins; a move the system merged with the
        // one before is made again.
        for (int i = 0; i < 30 && !dragging(); ++i) {
            support::SendMouseInput(0, POINT{rcField.left + 10 + i % 2, rcField.CenterPoint().y});
            support::PollFor(100, dragging);
        }
        EXPECT_TRUE(dragging());
        support::SendMouseInput(0, POINT{rcField.left + 12, rcField.CenterPoint().y});
        support::SendMouseInput(MOUSEEVENTF_LEFTUP, POINT{rcField.left + 12, rcField.CenterPoint().y});
        if (!support::PollFor(3000, [&] { return support::CaptureOfThread(dwThread) == NULL; }))
            support::PressEscapeKey();
        bDone = true;
    });
    for (const DWORD dwStart = GetTickCount(); !bDone && GetTickCount() - dwStart < 20000; Sleep(5))
        support::PumpPendingMessages(NULL);
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
    m_pControl->AddString("40702810400000012345");
    m_pControl->AddString("40817810099910004312");
    support::PumpPendingMessages(m_pHost->m_hWnd);

    // The pressed line is selected and goes out as text; it stays in the list.
    DragLine(*m_pControl, 1, field);
    CString strField;
    field.GetWindowText(strField);
    EXPECT_STREQ(strField, "40817810099910004312");
    EXPECT_EQ(m_pControl->GetCurSel(), 1);
    EXPECT_EQ(m_pControl->GetCount(), 2);
    // The list tracks the pointer no more: the next click goes where it is.
    EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
    field.DestroyWindow();
}
