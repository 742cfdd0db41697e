// Dropping text: the control's valid-data and set-data answers, and the text
// drop target's answers for a masked control, a plain edit control and any
// other window, fed with real OLE data objects.
#include "EditExTestUtil.h"

#include <cstring>

namespace edittest {
namespace {

using Pos = std::pair<int, int>;

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

private:
    COleDataSource m_source;
    COleDataObject m_object;
};

class CProbeDropTarget : public COleDropTargetText {
public:
    using COleDropTargetText::ReadTextData;
};

class EditExDrop : public EditExTest {
protected:
    void SetUp() override
    {
        EditExTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
    }

    // The two messages at character nIndex, or right of the text for -1.
    LRESULT Send(UINT nMsg, int nIndex, const char* pszText)
    {
        const CPoint point = nIndex < 0 ? CPoint(370, 8) : PointOfChar(Edit(), nIndex);
        return SendMessageA(Edit(), nMsg, MAKEWPARAM(point.x, point.y), reinterpret_cast<LPARAM>(pszText));
    }
    LRESULT Valid(int nIndex, const char* pszText) { return Send(WM_EDITEX_VALIDDATA, nIndex, pszText); }
    LRESULT Place(int nIndex, const char* pszText) { return Send(WM_EDITEX_SETDATA, nIndex, pszText); }
    BOOL Drop(CWnd* pWnd, const char* pszText, CPoint point)
    {
        CTextData data(pszText);
        return m_target.OnDrop(pWnd, data.Get(), DROPEFFECT_COPY, point);
    }

    CProbeDropTarget m_target;
};

TEST_F(EditExDrop, ValidDataChecksTheTextAgainstTheMaskAtThePoint)
{
    CreateEdit(0, "##.##-UU");
    EXPECT_EQ(Valid(0, "1234ая"), 0);
    EXPECT_EQ(Valid(0, "1234567"), 1);  // a digit where a letter belongs
    EXPECT_EQ(Valid(1, NULL), 1);
    EXPECT_EQ(Valid(-1, "1"), 1);  // the end of the mask, where nothing can land
    EXPECT_EQ(Place(-1, "1"), 0);
    EXPECT_EQ(Text(), "  .  -  ");

    // Without a mask the text limit decides.
    CreateEdit();
    m_pEdit->SetWindowText("12345");
    m_pEdit->LimitText(10);
    EXPECT_EQ(Valid(2, "abcde"), 0);
    EXPECT_EQ(Valid(2, "abcdef"), 1);
}

TEST_F(EditExDrop, SetDataPlacesTheTextAtThePoint)
{
    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    EXPECT_EQ(Place(3, "56"), 1);
    EXPECT_EQ(Text(), "12.56");
    EXPECT_EQ(Place(0, "9"), 1);  // from the start: replaces all
    EXPECT_EQ(Text(), "9 .  ");
    EXPECT_EQ(Place(0, NULL), 0);

    // Without a mask it is inserted; right of the text, at its end.
    CreateEdit();
    m_pEdit->SetWindowText("Москва");
    EXPECT_EQ(Place(-1, ", Тверская"), 1);
    EXPECT_EQ(Place(0, "г. "), 1);
    EXPECT_EQ(Text(), "г. Москва, Тверская");
}

TEST_F(EditExDrop, ADropOntoTheControlThatIsDraggingIsNoDrop)
{
    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    m_pEdit->SetDragging(true);
    EXPECT_EQ(Place(3, "56"), 0);
    // Not taken, so a moving source keeps its text.
    CTextData data("34");
    EXPECT_FALSE(m_target.OnDrop(m_pEdit.get(), data.Get(), DROPEFFECT_MOVE, PointOfChar(Edit(), 0)));
    EXPECT_EQ(Text(), "12.34");
    EXPECT_TRUE(m_pEdit->IsDragging());
}

TEST_F(EditExDrop, DragAnswersCopyOrMoveForAcceptableTextOnly)
{
    CreateEdit(0, "##.##.####");
    CTextData good("15032024");
    CTextData bad("15.март");
    CTextData nothing(NULL);
    const CPoint point = PointOfChar(Edit(), 0);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), good.Get(), MK_LBUTTON, point), DROPEFFECT_COPY);
    EXPECT_EQ(m_target.OnDragOver(m_pEdit.get(), good.Get(), MK_LBUTTON | MK_SHIFT, point), DROPEFFECT_MOVE);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), bad.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_EQ(m_target.OnDragOver(m_pEdit.get(), bad.Get(), MK_LBUTTON | MK_SHIFT, point), DROPEFFECT_NONE);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), nothing.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_EQ(m_target.OnDragOver(m_pEdit.get(), nothing.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_FALSE(m_target.OnDrop(m_pEdit.get(), nothing.Get(), DROPEFFECT_COPY, point));

    // A read-only window takes nothing.
    m_pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), good.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_FALSE(m_target.OnDrop(m_pEdit.get(), good.Get(), DROPEFFECT_COPY, point));
    EXPECT_EQ(Text(), "  .  .    ");
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

TEST_F(EditExDrop, AnEditControlGetsTheTextAtThePointAnyOtherWindowAsItsText)
{
    // A parent that passes nothing on, so only the drop's own notice counts.
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 200, 300, 40, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    ASSERT_NE(hParent, nullptr);
    {
        CCountingEdit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(5, 5, 290, 29),
                                CWnd::FromHandle(hParent), 7));
        edit.SetWindowText("Иванов Петрович");
        EXPECT_TRUE(Drop(&edit, "Пётр ", PointOfChar(edit.m_hWnd, 7)));
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
    EXPECT_TRUE(Drop(&wnd, "«", PointOfChar(hEdit, 4)));
    EXPECT_EQ(support::GetWindowString(hEdit), "ООО «Ромашка");
    wnd.Detach();
    DestroyWindow(hEdit);

    // Any other window takes the text as its window text.
    CStatic label;
    ASSERT_TRUE(label.Create("Перетащите сюда", WS_CHILD | WS_VISIBLE, CRect(10, 50, 300, 70), m_pHost.get(), 9));
    CTextData data("Склад №2");
    EXPECT_EQ(m_target.OnDragEnter(&label, data.Get(), MK_LBUTTON, CPoint(3, 3)), DROPEFFECT_COPY);
    EXPECT_TRUE(m_target.OnDrop(&label, data.Get(), DROPEFFECT_COPY, CPoint(3, 3)));
    EXPECT_EQ(support::GetWindowString(label.m_hWnd), "Склад №2");
    label.DestroyWindow();
}

TEST_F(EditExDrop, TextIsReadUpToItsFirstZeroOrTheEndOfTheBlock)
{
    CString strText;
    CTextData unterminated("абв", 3);
    EXPECT_TRUE(m_target.ReadTextData(strText, unterminated.Get()));
    EXPECT_STREQ(strText, "абв");
    const char abEmbedded[] = {'1', '2', '\0', '3', '4', '\0'};
    CTextData embedded(abEmbedded, sizeof(abEmbedded));
    EXPECT_TRUE(m_target.ReadTextData(strText, embedded.Get()));
    EXPECT_STREQ(strText, "12");
    CTextData nothing(NULL);
    EXPECT_FALSE(m_target.ReadTextData(strText, nothing.Get()));
    EXPECT_TRUE(strText.IsEmpty());
}

TEST_F(EditExDrop, ARegisteredControlTakesADropThroughOle)
{
    m_pEdit.reset(new CProbeEdit);
    m_pEdit->EnableDragDrop();  // no window yet: nothing to register
    EXPECT_FALSE(m_pEdit->IsDropTargetRegistered());
    CreateEdit(0, "##.##.####");
    m_pEdit->EnableDragDrop();
    m_pEdit->EnableDragDrop();  // once only: the window has its target
    EXPECT_TRUE(m_pEdit->IsDropTargetRegistered());
    COleDropTarget other;
    EXPECT_FALSE(other.Register(m_pEdit.get()));

    // What the system calls on a drag and drop over the window.
    CTextData data("31122024");
    IDataObject* pData = data.Get()->GetIDataObject(FALSE);
    ASSERT_NE(pData, nullptr);
    POINT ptScreen = PointOfChar(Edit(), 0);
    ClientToScreen(Edit(), &ptScreen);
    const POINTL pt = {ptScreen.x, ptScreen.y};
    IDropTarget* pTarget = m_pEdit->GetDropTarget().GetDropTargetInterface();
    ASSERT_NE(pTarget, nullptr);
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(pTarget->DragEnter(pData, MK_LBUTTON, pt, &dwEffect), S_OK);
    EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_COPY));
    dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(pTarget->Drop(pData, MK_LBUTTON, pt, &dwEffect), S_OK);
    EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(Text(), "31.12.2024");
}

}  // namespace
}  // namespace edittest
