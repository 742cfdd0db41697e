// CEditEx as a user meets it on real windows, one session per test, checked at
// each step: a phone field in a form (typing, focus, a click, the host's
// accelerator table, the edit commands and their states, undo), its colours
// and pinned place, a plain notes field, drops onto a masked field, onto a
// plain CEdit, a bare EDIT and another window, a card dialog with dialog data
// exchange, and a hundred create-use-destroy cycles. What each key does to the
// mask is in tests/data/mask.txt, which edit_table_tests also plays on a real
// window. After each test every GDI and USER object of extkit.dll and
// framework.dll is gone.
#include "edit/EditEx.h"

#include "Clipboard.h"
#include "EditExTestRes.h"
#include "GuiObjectCounter.h"
#include "Input.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using Pos = std::pair<int, int>;

class CProbeEdit : public CEditEx {
public:
    void SetDragging(bool bDragging) { m_bDragging = bDragging; }
    bool IsDragging() const { return m_bDragging; }
    bool IsDropTargetRegistered() const { return m_bDropTargetRegistered; }
    HACCEL GetAccelerator() const { return m_hAccel; }
    COleDropTargetText& GetDropTarget() { return m_dropTarget; }
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
            HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nBytes);
            memcpy(GlobalLock(hData), pBytes, nBytes);
            GlobalUnlock(hData);
            m_source.CacheGlobalData(CF_TEXT, hData);
        }
        m_object.Attach(m_source.GetDataObject(TRUE), TRUE);
    }
    COleDataObject* Get() { return &m_object; }
    IDataObject* Interface() { return m_object.GetIDataObject(FALSE); }

private:
    COleDataSource m_source;
    COleDataObject m_object;
};

// Records what an update handler decided.
class CRecordingCmdUI : public CCmdUI {
public:
    explicit CRecordingCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        m_nEnabled = bOn ? 1 : 0;
    }
    int m_nEnabled = -1;  // -1: not called
};

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

    void CreateEdit(DWORD dwStyle = 0, const char* pszMask = NULL, CProbeEdit* pEdit = NULL)
    {
        m_pEdit.reset(pEdit != NULL ? pEdit : new CProbeEdit);
        ASSERT_TRUE(m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle,
                                    CRect(10, 10, 390, 34), m_pHost.get(), 100));
        if (pszMask != NULL)
            m_pEdit->SetMask(pszMask);
    }
    HWND Edit() const { return m_pEdit->m_hWnd; }
    std::string Text() const { return support::GetWindowString(Edit()); }
    Pos Sel() const { return Selection(Edit()); }
    void SetSel(int nStart, int nEnd) { m_pEdit->SetSel(nStart, nEnd); }
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
    int UpdateState(UINT nID)
    {
        CRecordingCmdUI ui(nID);
        EXPECT_TRUE(ui.DoUpdate(m_pEdit.get(), FALSE));
        return ui.m_nEnabled;
    }
    // The brush the parent hands the control for painting, as the control asks.
    COLORREF AskBrushColour(UINT nMsg, HDC hdc)
    {
        const HBRUSH hBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(m_pHost->m_hWnd, nMsg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(Edit())));
        LOGBRUSH lb = {};
        EXPECT_EQ(GetObjectA(hBrush, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
        return lb.lbColor;
    }
    // The colour the screen shows near the right edge of the field.
    COLORREF Pixel()
    {
        CRect rcClient;
        m_pEdit->GetClientRect(&rcClient);
        RedrawWindow(Edit(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC hdc = GetDC(Edit());
        const COLORREF cr = GetPixel(hdc, rcClient.right - 4, rcClient.CenterPoint().y);
        ReleaseDC(Edit(), hdc);
        return cr;
    }
    // Offers a key to the windows from the control up to the host, as the
    // framework's message loop does, with Ctrl held or not.
    bool PreTranslateKey(UINT vk, bool bCtrl)
    {
        BYTE abSaved[256], abState[256];
        GetKeyboardState(abSaved);
        CopyMemory(abState, abSaved, sizeof(abState));
        abState[VK_CONTROL] = abState[VK_LCONTROL] = bCtrl ? 0x80 : 0;
        SetKeyboardState(abState);
        MSG msg = {Edit(), WM_KEYDOWN, vk, support::KeyLParam(vk, false, false), GetTickCount(), {0, 0}};
        const bool bTaken = CWnd::WalkPreTranslateTree(m_pHost->m_hWnd, &msg) != FALSE;
        SetKeyboardState(abSaved);
        return bTaken;
    }
    // The valid-data and set-data messages at character nIndex, or right of the text for -1.
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
    CreateEdit(0, "+7 (###) ###-##-##");
    EXPECT_EQ(AfxGetResourceHandle(), hBefore);
    EXPECT_NE(FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_EDIT_KEYS), RT_ACCELERATOR), nullptr);
    EXPECT_EQ(m_pEdit->GetAccelerator(), nullptr);

    // Opened: every position empty, the caret on the first placeholder,
    // unchanged, nothing to undo, room for the mask as given.
    EXPECT_EQ(Text(), "+7 (   )    -  -  ");
    EXPECT_EQ(Sel(), Pos(4, 4));
    EXPECT_FALSE(m_pEdit->GetModify());
    EXPECT_FALSE(m_pEdit->CanUndo());
    EXPECT_EQ(m_pEdit->GetLimitText(), 19u);
    EXPECT_EQ(UpdateState(ID_EDIT_COPY), 1);  // the literals and prompts are text
    EXPECT_EQ(UpdateState(ID_EDIT_CUT), 0);
    EXPECT_EQ(UpdateState(ID_EDIT_PASTE), 0);

    // The user types the code, leaves the field and comes back, clicks far
    // right: the caret each time after what was typed.
    Type("495");
    EXPECT_EQ(Text(), "+7 (495)    -  -  ");
    EXPECT_TRUE(m_pEdit->GetModify());
    EXPECT_TRUE(m_pEdit->CanUndo());
    SetSel(15, 15);
    m_pHost->SetFocus();
    m_pEdit->SetFocus();
    EXPECT_EQ(Sel(), Pos(9, 9));
    support::ClickClient(Edit(), 360, 8);
    EXPECT_EQ(Sel(), Pos(9, 9));
    EXPECT_FALSE(PreTranslateKey('Q', true));

    // The host's table: Ctrl+Q selects all, Ctrl+C copies the digits (a blank
    // for each empty position), Ctrl+V pastes at the caret; without Ctrl the
    // keys are the field's.
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
    EXPECT_FALSE(PreTranslateKey('Q', false));
    EXPECT_EQ(Sel(), Pos(9, 9));
    EXPECT_TRUE(PreTranslateKey('Q', true));
    EXPECT_EQ(Sel(), Pos(0, 18));
    EXPECT_EQ(UpdateState(ID_EDIT_CUT), 1);
    EXPECT_TRUE(PreTranslateKey('C', true));
    EXPECT_EQ(ClipboardText(), "495       ");
    ASSERT_TRUE(support::SetClipboardText("1234567"));
    EXPECT_EQ(UpdateState(ID_EDIT_PASTE), 1);
    SetSel(9, 9);
    EXPECT_TRUE(PreTranslateKey('V', true));
    EXPECT_EQ(Text(), "+7 (495) 123-45-67");

    // A paste from an emptied clipboard changes nothing; undo is the mask's
    // own and goes back to before the paste.
    ASSERT_TRUE(support::EmptyClipboardContents());
    EXPECT_EQ(UpdateState(ID_EDIT_PASTE), 0);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "+7 (495) 123-45-67");
    EXPECT_TRUE(m_pEdit->Undo());
    EXPECT_EQ(Text(), "+7 (495)    -  -  ");

    // Another table replaces the first; one that is not there leaves none.
    ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_SELECT_KEYS));
    SetSel(0, 0);
    EXPECT_FALSE(PreTranslateKey('Q', true));
    EXPECT_TRUE(PreTranslateKey('A', true));
    EXPECT_EQ(Sel(), Pos(0, 18));
    EXPECT_FALSE(m_pEdit->SetNewAccelerator(4242));
    SetSel(0, 0);
    EXPECT_FALSE(PreTranslateKey('A', true));
    EXPECT_EQ(Sel(), Pos(0, 0));
}

TEST_F(EditExSession, ItsColoursAndItsPlace)
{
    CreateEdit(0, "##.##");
    EXPECT_EQ(m_pEdit->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(m_pEdit->GetBkColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(m_pEdit->GetDisabledBkColor(), GetSysColor(COLOR_INACTIVEBORDER));
    m_pEdit->SetTextColor(RGB(0, 0, 128));
    m_pEdit->SetBkColor(RGB(255, 255, 153));
    m_pEdit->SetDisabledBkColor(RGB(192, 220, 192));
    HDC hdc = CreateCompatibleDC(NULL);
    EXPECT_EQ(AskBrushColour(WM_CTLCOLOREDIT, hdc), RGB(255, 255, 153));
    EXPECT_EQ(GetTextColor(hdc), RGB(0, 0, 128));
    EXPECT_EQ(GetBkColor(hdc), RGB(255, 255, 153));
    EXPECT_EQ(Pixel(), RGB(255, 255, 153));

    // Disabled, it asks with the static-control message, and only the
    // background changes.
    m_pEdit->EnableWindow(FALSE);
    SetTextColor(hdc, RGB(1, 2, 3));
    EXPECT_EQ(AskBrushColour(WM_CTLCOLORSTATIC, hdc), RGB(192, 220, 192));
    EXPECT_EQ(GetBkColor(hdc), RGB(192, 220, 192));
    EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3));
    DeleteDC(hdc);
    EXPECT_EQ(Pixel(), RGB(192, 220, 192));

    // Pinned, it stays where it was put; unpinned it goes where it is told.
    const auto rectInParent = [&] {
        CRect rc;
        m_pEdit->GetWindowRect(&rc);
        m_pHost->ScreenToClient(&rc);
        return rc;
    };
    const CRect rcPinned(20, 50, 220, 74);
    m_pEdit->SetNewPos(rcPinned);
    m_pEdit->SetWindowPos(NULL, 100, 5, 300, 40, SWP_NOZORDER);
    EXPECT_EQ(rectInParent(), rcPinned);
    m_pEdit->SetNewPos(CRect());
    m_pEdit->MoveWindow(5, 6, 100, 20);
    EXPECT_EQ(rectInParent(), CRect(5, 6, 105, 26));
}

TEST_F(EditExSession, APlainNotesFieldIsTheEditControlsOwn)
{
    CreateEdit();
    EXPECT_EQ(UpdateState(ID_EDIT_COPY), 0);
    EXPECT_EQ(UpdateState(ID_EDIT_PASTE), 0);
    Type("a1-");
    support::PressKey(Edit(), VK_HOME);
    support::PressKey(Edit(), VK_DELETE);
    support::PressKey(Edit(), VK_END);
    support::PressKey(Edit(), VK_BACK);
    EXPECT_EQ(Text(), "1");
    EXPECT_EQ(Sel(), Pos(1, 1));
    EXPECT_EQ(m_pEdit->GetLimitText(), 30000u);

    m_pEdit->SetWindowText("Иванов-Петров");
    SetSel(2, 2);
    EXPECT_EQ(UpdateState(ID_EDIT_COPY), 1);
    EXPECT_EQ(UpdateState(ID_EDIT_CUT), 0);
    SetSel(0, 6);
    EXPECT_EQ(UpdateState(ID_EDIT_CUT), 1);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ClipboardText(), "Иванов");
    SetSel(7, 7);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "-ПетровИванов");
    SetSel(1, 7);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "Петров");
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Sel(), Pos(0, 13));
    Command(ID_EDIT_UNDO);  // the edit control's own undo
    EXPECT_EQ(Text(), "-Петров");

    // The host gives it a mask, then takes it away: the limit is lifted.
    m_pEdit->SetMask("##.##");
    EXPECT_EQ(Text(), "  .  ");
    EXPECT_EQ(m_pEdit->GetLimitText(), 6u);
    m_pEdit->SetMask("");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(m_pEdit->GetLimitText(), 0x7FFFFFFEu);
}

// A host's rule: odd digits are refused.
class CEvenDigitsEdit : public CProbeEdit {
protected:
    bool IsCharValid(int nPos, char& ch) override { return CProbeEdit::IsCharValid(nPos, ch) && (ch - '0') % 2 == 0; }
};

TEST_F(EditExSession, TextDroppedOntoAMaskedField)
{
    ASSERT_TRUE(AfxOleInit());
    CProbeEdit unmade;
    unmade.EnableDragDrop();  // no window yet: nothing to register
    EXPECT_FALSE(unmade.IsDropTargetRegistered());
    CreateEdit(0, "##.##.####");
    m_pEdit->EnableDragDrop();
    m_pEdit->EnableDragDrop();  // once only: the window has its target
    EXPECT_TRUE(m_pEdit->IsDropTargetRegistered());
    COleDropTarget other;
    EXPECT_FALSE(other.Register(m_pEdit.get()));

    // What the system calls while text is dragged over the field: a date is
    // taken, as a copy or with Shift as a move; a word or no text is not.
    IDropTarget* pTarget = m_pEdit->GetDropTarget().GetDropTargetInterface();
    ASSERT_NE(pTarget, nullptr);
    POINT ptScreen = PointOfChar(Edit(), 0);
    ClientToScreen(Edit(), &ptScreen);
    const POINTL pt = {ptScreen.x, ptScreen.y};
    CTextData date("31122024"), word("31.дек"), nothing(NULL);
    const auto effect = [&](CTextData& data, DWORD dwKeys) {
        DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(pTarget->DragEnter(data.Interface(), dwKeys, pt, &dwEffect), S_OK);
        pTarget->DragLeave();
        return dwEffect;
    };
    EXPECT_EQ(effect(word, MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(effect(nothing, MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(effect(date, MK_LBUTTON | MK_SHIFT), static_cast<DWORD>(DROPEFFECT_MOVE));
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(pTarget->DragEnter(date.Interface(), MK_LBUTTON, pt, &dwEffect), S_OK);
    EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(pTarget->Drop(date.Interface(), MK_LBUTTON, pt, &dwEffect), S_OK);
    EXPECT_EQ(Text(), "31.12.2024");

    // Dropped later in the text it overwrites from there; at the end of the
    // mask nothing can land.
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, 3, "01"), 0);
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, 3, "01"), 1);
    EXPECT_EQ(Text(), "31.01.2024");
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, -1, "1"), 1);
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, -1, "1"), 0);
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, 1, NULL), 1);

    // The field's own text dragged back onto it is no drop, so a moving
    // source keeps its text; nor is anything dropped on a read-only field.
    CProbeDropTarget target;
    m_pEdit->SetDragging(true);
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, 3, "56"), 0);
    EXPECT_FALSE(target.OnDrop(m_pEdit.get(), date.Get(), DROPEFFECT_MOVE, PointOfChar(Edit(), 0)));
    EXPECT_TRUE(m_pEdit->IsDragging());
    m_pEdit->SetDragging(false);
    m_pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(target.OnDragEnter(m_pEdit.get(), date.Get(), MK_LBUTTON, CPoint(3, 3)), DROPEFFECT_NONE);
    EXPECT_FALSE(target.OnDrop(m_pEdit.get(), date.Get(), DROPEFFECT_COPY, CPoint(3, 3)));
    EXPECT_EQ(Text(), "31.01.2024");

    // A host's own rule decides what the keys and the drops take.
    CreateEdit(0, "###", new CEvenDigitsEdit);
    Type("123456");
    EXPECT_EQ(Text(), "246");
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, 0, "13"), 1);
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, 0, "80"), 0);
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

    // A CEditEx without a mask takes any text that fits its limit, where it falls.
    CreateEdit();
    m_pEdit->SetWindowText("Москва");
    m_pEdit->LimitText(16);
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, 2, "1234567890"), 0);
    EXPECT_EQ(Send(WM_EDITEX_VALIDDATA, 2, "12345678901"), 1);
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, -1, ", Тверская"), 1);
    EXPECT_EQ(Send(WM_EDITEX_SETDATA, 0, "г. "), 1);
    EXPECT_EQ(Text(), "г. Москва, Тверская");

    // A plain CEdit gets the text at the point, hears of the change once and
    // has the focus and the caret there; its parent passes nothing on.
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 200, 300, 40, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    ASSERT_NE(hParent, nullptr);
    {
        CCountingEdit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(5, 5, 290, 29),
                                CWnd::FromHandle(hParent), 7));
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
    HWND hEdit = CreateWindowExA(0, "EDIT", "ООО Ромашка", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 300, 24,
                                 m_pHost->m_hWnd, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(hEdit, nullptr);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hEdit));
    CTextData quote("«");
    EXPECT_TRUE(target.OnDrop(&wnd, quote.Get(), DROPEFFECT_COPY, PointOfChar(hEdit, 4)));
    EXPECT_EQ(support::GetWindowString(hEdit), "ООО «Ромашка");
    wnd.Detach();
    DestroyWindow(hEdit);

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
    CTextData unterminated("абв", 3);
    EXPECT_TRUE(target.ReadTextData(strText, unterminated.Get()));
    EXPECT_STREQ(strText, "абв");
    const char abEmbedded[] = {'1', '2', '\0', '3', '4', '\0'};
    CTextData embedded(abEmbedded, sizeof(abEmbedded));
    EXPECT_TRUE(target.ReadTextData(strText, embedded.Get()));
    EXPECT_STREQ(strText, "12");
    CTextData nothing(NULL);
    EXPECT_FALSE(target.ReadTextData(strText, nothing.Get()));
}

TEST_F(EditExSession, AHundredFieldsMadeUsedAndDestroyedLeaveNothingBehind)
{
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(support::SetClipboardText("34"));
    for (int i = 0; i < 100; ++i) {
        CreateEdit(0, "UU-####");
        m_pEdit->SetBkColor(RGB(i, 100, 200));
        m_pEdit->SetDisabledBkColor(RGB(200, 100, i));
        // New colours replace the brushes: two live, whatever was set before.
        EXPECT_EQ(m_pCounter->GetBalance()[support::GuiKind::Brush], 2);
        m_pEdit->EnableDragDrop();
        ASSERT_TRUE(m_pEdit->SetNewAccelerator(IDR_EDIT_KEYS));
        Type("ав12");
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(Text(), "АВ-1234");
        HDC hdc = CreateCompatibleDC(NULL);
        EXPECT_EQ(AskBrushColour(WM_CTLCOLOREDIT, hdc), RGB(i, 100, 200));
        m_pEdit->EnableWindow(FALSE);
        EXPECT_EQ(AskBrushColour(WM_CTLCOLORSTATIC, hdc), RGB(200, 100, i));
        DeleteDC(hdc);
        m_pEdit.reset();
    }
    EXPECT_EQ(m_pCounter->GetBalance()[support::GuiKind::Brush], 0);
    EXPECT_GE(m_pCounter->GetCreatedCount(), 400);
}

// --- Dialog data exchange in a modal dialog

class CMaskedCardDlg : public CDialog {
public:
    CMaskedCardDlg() : CDialog(IDD_MASKED_CARD) {}

    CEditEx m_editPhone;
    CEditEx m_editCount;
    CString m_strPhone, m_strPhoneRaw;
    CString m_strCount, m_strCountRaw;

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
        DDX_Control(pDX, IDC_PHONE, m_editPhone);
        DDX_Mask(pDX, m_editPhone, m_strPhone, m_strPhoneRaw);
        DDX_Control(pDX, IDC_COUNT, m_editCount);
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
        strCount = support::GetWindowString(GetDlgItem(hDlg, IDC_COUNT));
        // The user adds a digit to the count.
        HWND hCount = GetDlgItem(hDlg, IDC_COUNT);
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
