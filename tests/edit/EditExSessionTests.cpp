// CEditEx as a user meets it on real windows, a session per test checked at
// each step: a phone field in a form (keys, focus, accelerators, commands,
// colours, place), a plain notes field, drops onto it and onto other windows,
// a date dragged out with the real pointer, a card dialog, and a hundred fields
// made, used and destroyed. What each key does to the mask is in
// tests/data/mask.txt, which edit_table_tests also plays on a real window.
#include "edit/EditEx.h"

#include "Clipboard.h"
#include "EditExTestRes.h"
#include "GuiObjectCounter.h"
#include "Input.h"
#include "ModalDriver.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

namespace {

using Pos = std::pair<int, int>;

class CProbeEdit : public CEditEx {
public:
    void SetDragging(bool bDragging) { m_bDragging = bDragging; }
    bool IsDropTargetRegistered() const { return m_bDropTargetRegistered; }
};

class CProbeDropTarget : public COleDropTargetText {
public:
    using COleDropTargetText::ReadTextData;
};

Pos Selection(HWND hEdit)
{
    DWORD dwStart = 0, dwEnd = 0;
    SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    return Pos(static_cast<int>(dwStart), static_cast<int>(dwEnd));
}

// A little inside the left edge of character nIndex.
CPoint PointOfChar(HWND hEdit, int nIndex)
{
    const LRESULT lPos = SendMessageA(hEdit, EM_POSFROMCHAR, static_cast<WPARAM>(nIndex), 0);
    return CPoint(static_cast<short>(LOWORD(lPos)) + 1, static_cast<short>(HIWORD(lPos)) + 3);
}

std::string ClipboardText()
{
    std::string strText;
    return support::GetClipboardText(&strText) ? strText : "<no text>";
}

// A data object offering a block of bytes as CF_TEXT (or nothing).
class CTextData {
public:
    explicit CTextData(const char* pszText) : CTextData(pszText, pszText != NULL ? strlen(pszText) + 1 : 0) {}
    CTextData(const char* pBytes, size_t nBytes)
    {
        if (pBytes != NULL) {
            HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE, nBytes);
            memcpy(GlobalLock(hData), pBytes, nBytes);
            GlobalUnlock(hData);
            m_source.CacheGlobalData(CF_TEXT, hData);
        }
        m_object.Attach(m_source.GetDataObject(TRUE), TRUE);
    }
    COleDataObject* Get() { return &m_object; }

private:
    COleDataSource m_source;
    COleDataObject m_object;
};

// Records what an update handler decided.
class CRecordingCmdUI : public CCmdUI {
public:
    explicit CRecordingCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    int m_nEnabled = -1;  // -1: not called
};

// A window that takes every text with the effect it is set to.
class CTextTarget : public COleDropTargetText {
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return Asked(); }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return Asked(); }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint) override
    {
        return ReadTextData(m_strDropped, pDataObject);
    }
    DROPEFFECT Asked()
    {
        m_bAsked = true;
        return m_effect;
    }
    DROPEFFECT m_effect = DROPEFFECT_COPY;
    std::atomic<bool> m_bAsked{false};
    CString m_strDropped;
};

// With the real pointer: presses on the field's first character, sweeps out
// of it (the selection grows to the end, and leaving the field starts the
// drag), moves onto the target and, once the target was asked, lets go there. This thread runs the
// messages meanwhile, as a program would.
void DragOut(CWnd& host, HWND hSource, CWnd& window, CTextTarget& target)
{
    target.m_bAsked = false;
    target.m_strDropped.Empty();
    const DWORD dwThread = GetCurrentThreadId();
    const auto screen = [](HWND hWnd, CPoint pt) {
        ClientToScreen(hWnd, &pt);
        return pt;
    };
    const POINT ptStart = screen(hSource, PointOfChar(hSource, 0));
    const POINT ptGap = screen(host.m_hWnd, CPoint(205, 22)), ptGap2 = screen(host.m_hWnd, CPoint(210, 22));
    const POINT ptDrop = screen(window.m_hWnd, CPoint(20, 10));
    std::atomic<bool> bDone(false);
    std::thread driver([&] {
        SetCursorPos(ptStart.x, ptStart.y);
        support::SendMouseInput(MOUSEEVENTF_LEFTDOWN, ptStart);
        EXPECT_TRUE(support::PollFor(3000, [&] { return support::CaptureOfThread(dwThread) == hSource; }));
        support::SendMouseInput(0, ptGap);
        EXPECT_TRUE(support::PollFor(3000, [&] { return Selection(hSource).second == 10; }));
        support::SendMouseInput(0, ptGap2);
        // The drag loop holds the pointer now, not the field.
        EXPECT_TRUE(support::PollFor(3000, [&] {
            const HWND hCapture = support::CaptureOfThread(dwThread);
            return hCapture != NULL && hCapture != hSource;
        }));
        support::SendMouseInput(0, ptDrop);
        EXPECT_TRUE(support::PollFor(3000, [&] { return target.m_bAsked.load(); }));
        support::SendMouseInput(MOUSEEVENTF_LEFTUP, ptDrop);
        if (!support::PollFor(3000, [&] { return support::CaptureOfThread(dwThread) == NULL; })) {
            // Not to hang the run: Escape cancels a drag still going.
            support::PressEscapeKey();
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
}

class EditExSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pCounter.reset(new support::CGuiObjectCounter(std::vector<std::string>{"framework.dll", "extkit.dll"}));
        m_pHost.reset(new CWnd);
        ASSERT_TRUE(m_pHost->CreateEx(0, NULL, "Карточка", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 420, 160,
                                      NULL, NULL));
        ASSERT_TRUE(support::EmptyClipboardContents());
    }
    void TearDown() override
    {
        m_pEdit.reset();
        m_pHost.reset();
        CWnd::DeleteTempMap();
        EXPECT_NO_GUI_LEAKS(*m_pCounter);
    }

    void CreateEdit(const char* pszMask = NULL, CProbeEdit* pEdit = NULL)
    {
        m_pEdit.reset(pEdit != NULL ? pEdit : new CProbeEdit);
        ASSERT_TRUE(m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 390, 34),
                                    m_pHost.get(), 100));
        if (pszMask != NULL)
            m_pEdit->SetMask(pszMask);
    }
    HWND Edit() const { return m_pEdit->m_hWnd; }
    std::string Text() const { return support::GetWindowString(Edit()); }
    Pos Sel() const { return Selection(Edit()); }
    // Digits as whole key presses, anything else as its character.
    void Type(const char* pszText)
    {
        for (const char* p = pszText; *p != '\0'; ++p) {
            if (*p >= '0' && *p <= '9')
                support::PressKey(Edit(), static_cast<UINT>(*p));
            else
                SendMessageA(Edit(), WM_CHAR, static_cast<BYTE>(*p), 1);
        }
    }
    void Command(UINT nID) { SendMessageA(Edit(), WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
    int Enabled(UINT nID)
    {
        CRecordingCmdUI ui(nID);
        EXPECT_TRUE(ui.DoUpdate(m_pEdit.get(), FALSE));
        return ui.m_nEnabled;
    }
    // The brush the parent hands the control for painting, as the control asks.
    COLORREF AskBrushColour(UINT nMsg, HDC hdc)
    {
        LOGBRUSH lb = {};
        GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(m_pHost->m_hWnd, nMsg, reinterpret_cast<WPARAM>(hdc),
                                                         reinterpret_cast<LPARAM>(Edit()))),
                   sizeof(lb), &lb);
        return lb.lbColor;
    }
    // What the screen shows near the right edge of the field.
    COLORREF Pixel()
    {
        CRect rc;
        m_pEdit->GetClientRect(&rc);
        RedrawWindow(Edit(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC hdc = GetDC(Edit());
        const COLORREF cr = GetPixel(hdc, rc.right - 4, rc.CenterPoint().y);
        ReleaseDC(Edit(), hdc);
        return cr;
    }
    // Offers a key with Ctrl held to the windows from the control up to the
    // host, as the framework's message loop does.
    bool CtrlKey(UINT vk)
    {
        BYTE abSaved[256], abState[256];
        GetKeyboardState(abSaved);
        CopyMemory(abState, abSaved, sizeof(abState));
        abState[VK_CONTROL] = abState[VK_LCONTROL] = 0x80;
        SetKeyboardState(abState);
        MSG msg = {Edit(), WM_KEYDOWN, vk, support::KeyLParam(vk, false, false), GetTickCount(), {0, 0}};
        const bool bTaken = CWnd::WalkPreTranslateTree(m_pHost->m_hWnd, &msg) != FALSE;
        SetKeyboardState(abSaved);
        return bTaken;
    }
    // The valid-data or set-data message at character nIndex, or right of the text for -1.
    LRESULT Send(UINT nMsg, int nIndex, const char* pszText)
    {
        const CPoint point = nIndex < 0 ? CPoint(370, 8) : PointOfChar(Edit(), nIndex);
        return SendMessageA(Edit(), nMsg, MAKEWPARAM(point.x, point.y), reinterpret_cast<LPARAM>(pszText));
    }

    std::unique_ptr<support::CGuiObjectCounter> m_pCounter;
    std::unique_ptr<CWnd> m_pHost;
    std::unique_ptr<CProbeEdit> m_pEdit;
};

TEST_F(EditExSession, APhoneFieldInAForm)
{
    // A new control looks for table 1001 in the library's resources, which
    // hold none (this program has one), and leaves the resource handle alone.
    const HINSTANCE hBefore = AfxGetResourceHandle();
    CreateEdit("+7 (###) ###-##-##");
    EXPECT_EQ(AfxGetResourceHandle(), hBefore);
    EXPECT_NE(FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_EDIT_KEYS), RT_ACCELERATOR), nullptr);
    EXPECT_FALSE(CtrlKey('Q'));

    // Opened: empty, unchanged, nothing to undo, room for the mask as given;
    // the literals and prompts are text to copy.
    EXPECT_EQ(Text(), "+7 (   )    -  -  ");
    EXPECT_FALSE(m_pEdit->GetModify());
    EXPECT_FALSE(m_pEdit->CanUndo());
    EXPECT_EQ(m_pEdit->GetLimitText(), 19u);
    EXPECT_EQ(Enabled(ID_EDIT_COPY), 1);
    EXPECT_EQ(Enabled(ID_EDIT_CUT), 0);
    EXPECT_EQ(Enabled(ID_EDIT_PASTE), 0);

    // The user types the code, leaves the field and comes back, clicks far
    // right: the caret each time after what was typed.
    Type("495");
    EXPECT_EQ(Text(), "+7 (495)    -  -  ");
    EXPECT_TRUE(m_pEdit->GetModify());
    m_pEdit->SetSel(15, 15);
    m_pHost->SetFocus();
    m_pEdit->SetFocus();
    EXPECT_EQ(Sel(), Pos(9, 9));
    m_pEdit->SetSel(2, 2);
    support::ClickClient(Edit(), 360, 8);
    EXPECT_EQ(Sel(), Pos(9, 9));

    // The host's table: Ctrl+Q selects all, Ctrl+C copies the digits (a blank
    // for each empty position), Ctrl+V pastes at the caret.
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
    EXPECT_TRUE(CtrlKey('Q'));
    EXPECT_EQ(Sel(), Pos(0, 18));
    EXPECT_EQ(Enabled(ID_EDIT_CUT), 1);
    EXPECT_TRUE(CtrlKey('C'));
    EXPECT_EQ(ClipboardText(), "495       ");
    ASSERT_TRUE(support::SetClipboardText("1234567"));
    EXPECT_EQ(Enabled(ID_EDIT_PASTE), 1);
    m_pEdit->SetSel(9, 9);
    EXPECT_TRUE(CtrlKey('V'));
    EXPECT_EQ(Text(), "+7 (495) 123-45-67");

    // A paste from an emptied clipboard changes nothing; undo is the mask's
    // own and goes back to before the paste.
    ASSERT_TRUE(support::EmptyClipboardContents());
    EXPECT_EQ(Enabled(ID_EDIT_PASTE), 0);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "+7 (495) 123-45-67");
    EXPECT_TRUE(m_pEdit->Undo());
    EXPECT_EQ(Text(), "+7 (495)    -  -  ");

    // Another table replaces the first; one that is not there leaves none.
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_SELECT_KEYS));
    m_pEdit->SetSel(0, 0);
    EXPECT_FALSE(CtrlKey('Q'));
    EXPECT_TRUE(CtrlKey('A'));
    EXPECT_EQ(Sel(), Pos(0, 18));
    EXPECT_FALSE(m_pEdit->SetNewAccelerator(4242));
    m_pEdit->SetSel(0, 0);
    EXPECT_FALSE(CtrlKey('A'));
    EXPECT_EQ(Sel(), Pos(0, 0));

    // The host's colours show on the screen, enabled and disabled.
    m_pEdit->SetBkColor(RGB(255, 255, 153));
    m_pEdit->SetDisabledBkColor(RGB(192, 220, 192));
    EXPECT_EQ(Pixel(), RGB(255, 255, 153));
    m_pEdit->EnableWindow(FALSE);
    EXPECT_EQ(Pixel(), RGB(192, 220, 192));

    // Pinned, it stays where it was put; unpinned it goes where it is told.
    const auto rectInParent = [&] {
        CRect rc;
        m_pEdit->GetWindowRect(&rc);
        m_pHost->ScreenToClient(&rc);
        return rc;
    };
    m_pEdit->SetNewPos(CRect(20, 50, 220, 74));
    m_pEdit->SetWindowPos(NULL, 100, 5, 300, 40, SWP_NOZORDER);
    EXPECT_EQ(rectInParent(), CRect(20, 50, 220, 74));
    m_pEdit->SetNewPos(CRect());
    m_pEdit->MoveWindow(5, 6, 100, 20);
    EXPECT_EQ(rectInParent(), CRect(5, 6, 105, 26));
}

TEST_F(EditExSession, APlainNotesFieldIsTheEditControlsOwn)
{
    CreateEdit();
    EXPECT_EQ(Enabled(ID_EDIT_COPY), 0);
    Type("a1-");
    for (UINT nKey : {VK_HOME, VK_DELETE, VK_END, VK_BACK})
        support::PressKey(Edit(), nKey);
    EXPECT_EQ(Text(), "1");
    EXPECT_EQ(Sel(), Pos(1, 1));
    EXPECT_EQ(m_pEdit->GetLimitText(), 30000u);

    m_pEdit->SetWindowText("Иванов-Петров");
    m_pEdit->SetSel(0, 6);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ClipboardText(), "Иванов");
    m_pEdit->SetSel(7, 7);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "-ПетровИванов");
    m_pEdit->SetSel(1, 7);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "Петров");
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Sel(), Pos(0, 13));
    Command(ID_EDIT_UNDO);  // the edit control's own undo
    EXPECT_EQ(Text(), "-Петров");

    // The host gives it a mask, then takes it away: the limit goes with it.
    m_pEdit->SetMask("##.##");
    EXPECT_EQ(Text(), "  .  ");
    EXPECT_EQ(m_pEdit->GetLimitText(), 6u);
    m_pEdit->SetMask("");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(m_pEdit->GetLimitText(), 0x7FFFFFFEu);
}

TEST_F(EditExSession, TextDroppedOntoAMaskedField)
{
    ASSERT_TRUE(AfxOleInit());
    CProbeEdit unmade;
    unmade.EnableDragDrop();  // no window yet: nothing to register
    EXPECT_FALSE(unmade.IsDropTargetRegistered());
    CreateEdit("##.##.####");
    m_pEdit->EnableDragDrop();
    m_pEdit->EnableDragDrop();  // once only: the window has its target
    COleDropTarget other;
    EXPECT_FALSE(other.Register(m_pEdit.get()));

    // A date is taken, as a copy or with Shift as a move; a word or no text is not.
    CProbeDropTarget target;
    CTextData date("31122024"), word("31.дек"), nothing(NULL);
    const CPoint point = PointOfChar(Edit(), 0);
    EXPECT_EQ(target.OnDragEnter(m_pEdit.get(), word.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragOver(m_pEdit.get(), nothing.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragOver(m_pEdit.get(), date.Get(), MK_LBUTTON | MK_SHIFT, point), DROPEFFECT_MOVE);
    EXPECT_EQ(target.OnDragEnter(m_pEdit.get(), date.Get(), MK_LBUTTON, point), DROPEFFECT_COPY);
    EXPECT_TRUE(target.OnDrop(m_pEdit.get(), date.Get(), DROPEFFECT_COPY, point));
    EXPECT_EQ(Text(), "31.12.2024");

    // Dropped later in the text it overwrites from there; at the end of the
    // mask nothing can land.
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, 3, "01"), 1);
    EXPECT_EQ(Text(), "31.01.2024");
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, -1, "1"), 1);

    // The field's own text dragged back onto it is no drop, so a moving
    // source keeps its text; nor is anything dropped on a read-only field.
    m_pEdit->SetDragging(true);
    EXPECT_FALSE(target.OnDrop(m_pEdit.get(), date.Get(), DROPEFFECT_MOVE, point));
    m_pEdit->SetDragging(false);
    m_pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(target.OnDragEnter(m_pEdit.get(), date.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_FALSE(target.OnDrop(m_pEdit.get(), date.Get(), DROPEFFECT_COPY, point));
    EXPECT_EQ(Text(), "31.01.2024");
}

TEST_F(EditExSession, ADateDraggedOutCopiedThenMoved)
{
    ASSERT_TRUE(AfxOleInit());
    ::SetWindowPos(m_pHost->m_hWnd, HWND_TOPMOST, 60, 60, 430, 90, SWP_SHOWWINDOW);
    SetForegroundWindow(m_pHost->m_hWnd);
    CreateEdit("##.##.####");
    m_pEdit->MoveWindow(10, 10, 180, 24);
    m_pEdit->EnableDragDrop();
    ASSERT_TRUE(m_pEdit->SetData("15032024"));
    CWnd window;
    ASSERT_TRUE(
        window.Create(NULL, "Сюда", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(230, 10, 410, 34), m_pHost.get(), 101));
    CTextTarget target;
    ASSERT_TRUE(target.Register(&window));

    // Where the text is copied, the data go without the literals and stay.
    DragOut(*m_pHost, Edit(), window, target);
    EXPECT_STREQ(target.m_strDropped, "15032024");
    EXPECT_EQ(Text(), "15.03.2024");

    // Where it is moved, the field empties.
    target.m_effect = DROPEFFECT_MOVE;
    DragOut(*m_pHost, Edit(), window, target);
    EXPECT_STREQ(target.m_strDropped, "15032024");
    EXPECT_EQ(Text(), "  .  .    ");
    EXPECT_EQ(Sel(), Pos(0, 0));
    target.Revoke();

    // The drag is over: text dropped from elsewhere is taken again.
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, 0, "01012025"), 1);
    EXPECT_EQ(Text(), "01.01.2025");
}

// A plain edit control that counts the EN_CHANGE notifications reflected to it.
class CCountingEdit : public CEdit {
public:
    int m_nChanges = 0;

protected:
    void OnChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

TEST_F(EditExSession, TextDroppedOntoOtherWindows)
{
    ASSERT_TRUE(AfxOleInit());
    CProbeDropTarget target;

    // A plain CEdit gets the text at the point, hears of the change once, and
    // has the focus and the caret there; its parent passes nothing on.
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 200, 300, 40, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    {
        CCountingEdit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 5, 290, 29), CWnd::FromHandle(hParent), 7));
        edit.SetWindowText("Иванов Петрович");
        CTextData name("Пётр ");
        EXPECT_TRUE(target.OnDrop(&edit, name.Get(), DROPEFFECT_COPY, PointOfChar(edit.m_hWnd, 7)));
        EXPECT_EQ(support::GetWindowString(edit.m_hWnd), "Иванов Пётр Петрович");
        EXPECT_EQ(edit.m_nChanges, 1);
        EXPECT_EQ(Selection(edit.m_hWnd), Pos(7, 7));
        EXPECT_EQ(GetFocus(), edit.m_hWnd);
    }
    DestroyWindow(hParent);

    // An edit control without a CEdit object is still one.
    CWnd bare;
    ASSERT_TRUE(bare.Attach(CreateWindowExA(0, "EDIT", "ООО Ромашка", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 300,
                                            24, m_pHost->m_hWnd, NULL, GetModuleHandleA(NULL), NULL)));
    CTextData quote("«");
    EXPECT_TRUE(target.OnDrop(&bare, quote.Get(), DROPEFFECT_COPY, PointOfChar(bare.m_hWnd, 4)));
    EXPECT_EQ(support::GetWindowString(bare.m_hWnd), "ООО «Ромашка");
    DestroyWindow(bare.Detach());

    // Any other window takes the text as its window text.
    CStatic label;
    ASSERT_TRUE(label.Create("Перетащите сюда", WS_CHILD | WS_VISIBLE, CRect(10, 50, 300, 70), m_pHost.get(), 9));
    CTextData store("Склад №2");
    EXPECT_EQ(target.OnDragEnter(&label, store.Get(), MK_LBUTTON, CPoint(3, 3)), DROPEFFECT_COPY);
    EXPECT_TRUE(target.OnDrop(&label, store.Get(), DROPEFFECT_COPY, CPoint(3, 3)));
    EXPECT_EQ(support::GetWindowString(label.m_hWnd), "Склад №2");
    label.DestroyWindow();

    // The text is read up to its first zero or the end of the block.
    CString strText;
    CTextData unterminated("абв", 3),
        embedded("12\0"
                 "34",
                 6),
        nothing(NULL);
    EXPECT_TRUE(target.ReadTextData(strText, unterminated.Get()));
    EXPECT_STREQ(strText, "абв");
    EXPECT_TRUE(target.ReadTextData(strText, embedded.Get()));
    EXPECT_STREQ(strText, "12");
    EXPECT_FALSE(target.ReadTextData(strText, nothing.Get()));
}

TEST_F(EditExSession, AHundredFieldsMadeUsedAndDestroyedLeaveNothingBehind)
{
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(support::SetClipboardText("34"));
    for (int i = 0; i < 100; ++i) {
        CreateEdit("UU-####");
        m_pEdit->SetTextColor(RGB(0, 0, i));
        m_pEdit->SetBkColor(RGB(i, 100, 200));
        m_pEdit->SetDisabledBkColor(RGB(200, 100, i));
        // New colours replace the brushes: two live, whatever was set before.
        EXPECT_EQ(m_pCounter->GetBalance()[support::GuiKind::Brush], 2);
        m_pEdit->EnableDragDrop();
        ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
        Type("ав12");
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(Text(), "АВ-1234");
        // The colours the parent hands out for painting; disabled, the control
        // asks with the static-control message and only the background changes.
        HDC hdc = CreateCompatibleDC(NULL);
        EXPECT_EQ(AskBrushColour(WM_CTLCOLOREDIT, hdc), RGB(i, 100, 200));
        EXPECT_EQ(GetTextColor(hdc), RGB(0, 0, i));
        EXPECT_EQ(GetBkColor(hdc), RGB(i, 100, 200));
        m_pEdit->EnableWindow(FALSE);
        SetTextColor(hdc, RGB(1, 2, 3));
        EXPECT_EQ(AskBrushColour(WM_CTLCOLORSTATIC, hdc), RGB(200, 100, i));
        EXPECT_EQ(GetBkColor(hdc), RGB(200, 100, i));
        EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3));
        DeleteDC(hdc);
        m_pEdit.reset();
    }
    EXPECT_EQ(m_pCounter->GetBalance()[support::GuiKind::Brush], 0);
    EXPECT_GE(m_pCounter->GetCreatedCount(), 400);
}

// A card with a phone and a count, their data exchanged with the dialog.
class CMaskedCardDlg : public CDialog {
public:
    CMaskedCardDlg() : CDialog(IDD_MASKED_CARD) {}

    CEditEx m_editPhone, m_editCount;
    CString m_strPhone, m_strPhoneRaw, m_strCount, m_strCountRaw;

    BOOL OnInitDialog() override
    {
        // The masks come first, so that the data are loaded into them.
        m_editPhone.SubclassDlgItem(IDC_PHONE, this);
        m_editPhone.SetMask("+7 (###) ###-##-##");
        m_editCount.SubclassDlgItem(IDC_COUNT, this);
        m_editCount.SetMask("###");
        return CDialog::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Mask(pDX, m_editPhone, m_strPhone, m_strPhoneRaw);
        DDX_Mask(pDX, m_editCount, m_strCount, m_strCountRaw);
    }
};

TEST(EditExDialog, ACardOpenedEditedAndClosedWithOk)
{
    CMaskedCardDlg dlg;
    dlg.m_strPhone = "812";
    dlg.m_strCount = "1 3";  // a blank loads as a character the mask refuses
    std::string strPhone, strCount;
    support::CModalDriver driver([&](HWND hDlg) {
        strPhone = support::GetWindowString(GetDlgItem(hDlg, IDC_PHONE));
        HWND hCount = GetDlgItem(hDlg, IDC_COUNT);
        strCount = support::GetWindowString(hCount);
        SendMessageA(hCount, EM_SETSEL, 2, 2);
        support::PressKey(hCount, '7');
        support::PressDialogButton(hDlg, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(strPhone, "+7 (812)    -  -  ");
    EXPECT_STREQ(dlg.m_strPhone, "812       ");
    EXPECT_STREQ(dlg.m_strPhoneRaw, "+7 (812)    -  -  ");
    EXPECT_EQ(strCount, "13 ");
    EXPECT_STREQ(dlg.m_strCount, "137");
    EXPECT_STREQ(dlg.m_strCountRaw, "137");
}

}  // namespace
