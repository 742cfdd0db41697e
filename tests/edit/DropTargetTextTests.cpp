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

LRESULT SendDrop(HWND hWnd, UINT nMsg, CPoint point, const char* pszText)
{
    return SendMessageA(hWnd, nMsg, MAKEWPARAM(point.x, point.y), reinterpret_cast<LPARAM>(pszText));
}

class EditExDrop : public EditExTest {
protected:
    void SetUp() override
    {
        EditExTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
    }

    LRESULT Valid(int nIndex, const char* pszText)
    {
        return SendDrop(Edit(), WM_EDITEX_VALIDDATA, PointOfChar(Edit(), nIndex), pszText);
    }
    LRESULT Place(int nIndex, const char* pszText)
    {
        return SendDrop(Edit(), WM_EDITEX_SETDATA, PointOfChar(Edit(), nIndex), pszText);
    }

    CProbeDropTarget m_target;
};

TEST_F(EditExDrop, ValidDataChecksTheTextAgainstTheMaskAtThePoint)
{
    CreateEdit(0, "##.##-UU");
    EXPECT_EQ(Valid(0, "12"), 0);
    EXPECT_EQ(Valid(0, "1234ая"), 0);
    EXPECT_EQ(Valid(0, "1234567"), 1);  // a digit where a letter belongs
    EXPECT_EQ(Valid(3, "9"), 0);
    EXPECT_EQ(Valid(2, "9"), 0);        // the literal is passed over
    EXPECT_EQ(Valid(3, "x"), 1);
    EXPECT_EQ(Valid(6, "бв"), 0);
    EXPECT_EQ(Valid(7, "бвгд"), 0);     // more than fits is no reason to refuse
    EXPECT_EQ(SendDrop(Edit(), WM_EDITEX_VALIDDATA, PointOfChar(Edit(), 1), NULL), 1);
    // Right of the text is the end of the mask, where nothing can land.
    const CPoint pastEnd(370, 8);
    EXPECT_EQ(SendDrop(Edit(), WM_EDITEX_VALIDDATA, pastEnd, "1"), 1);
    EXPECT_EQ(SendDrop(Edit(), WM_EDITEX_SETDATA, pastEnd, "1"), 0);
    EXPECT_EQ(Text(), "  .  -  ");
}

TEST_F(EditExDrop, WithoutAMaskValidDataWatchesTheTextLimit)
{
    CreateEdit();
    m_pEdit->SetWindowText("12345");
    m_pEdit->LimitText(10);
    EXPECT_EQ(Valid(2, "abcde"), 0);
    EXPECT_EQ(Valid(2, "abcdef"), 1);
}

TEST_F(EditExDrop, SetDataOverwritesFromThePointAndFromTheStartReplacesAll)
{
    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    EXPECT_EQ(Place(3, "56"), 1);
    EXPECT_EQ(Text(), "12.56");
    EXPECT_EQ(Place(2, "7x"), 1);  // from the literal on: the next data position
    EXPECT_EQ(Text(), "12.76");
    EXPECT_EQ(Place(0, "9"), 1);
    EXPECT_EQ(Text(), "9 .  ");
}

TEST_F(EditExDrop, SetDataWhileThisControlIsDraggingPlacesNothing)
{
    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    m_pEdit->SetDragging(true);
    EXPECT_EQ(Place(3, "56"), 0);
    EXPECT_EQ(Text(), "12.34");
    EXPECT_TRUE(m_pEdit->IsDragging());
    m_pEdit->SetDragging(false);
    EXPECT_EQ(SendDrop(Edit(), WM_EDITEX_SETDATA, PointOfChar(Edit(), 0), NULL), 0);
    EXPECT_EQ(Text(), "12.34");
}

TEST_F(EditExDrop, WithoutAMaskSetDataInsertsAtThePoint)
{
    CreateEdit();
    m_pEdit->SetWindowText("Москва");
    // Right of the text: the drop goes at its end.
    EXPECT_EQ(SendDrop(Edit(), WM_EDITEX_SETDATA, CPoint(370, 8), ", Тверская"), 1);
    EXPECT_EQ(Text(), "Москва, Тверская");
    EXPECT_EQ(Place(0, "г. "), 1);
    EXPECT_EQ(Text(), "г. Москва, Тверская");
}

TEST_F(EditExDrop, DragEnterAnswersCopyOrMoveForAcceptableText)
{
    CreateEdit(0, "##.##.####");
    CTextData good("15032024");
    CTextData bad("15.март");
    const CPoint point = PointOfChar(Edit(), 0);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), good.Get(), MK_LBUTTON, point), DROPEFFECT_COPY);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), good.Get(), MK_LBUTTON | MK_SHIFT, point), DROPEFFECT_MOVE);
    EXPECT_EQ(m_target.OnDragOver(m_pEdit.get(), good.Get(), MK_LBUTTON, point), DROPEFFECT_COPY);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), bad.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_EQ(m_target.OnDragOver(m_pEdit.get(), bad.Get(), MK_LBUTTON | MK_SHIFT, point), DROPEFFECT_NONE);
}

TEST_F(EditExDrop, DragEnterRefusesAReadOnlyWindowAndDataWithoutText)
{
    CreateEdit(ES_READONLY, "##.##");
    CTextData good("1234");
    CTextData nothing(NULL);
    const CPoint point = PointOfChar(Edit(), 0);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), good.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_FALSE(m_target.OnDrop(m_pEdit.get(), good.Get(), DROPEFFECT_COPY, point));
    EXPECT_EQ(Text(), "  .  ");

    m_pEdit->SetReadOnly(FALSE);
    EXPECT_EQ(m_target.OnDragEnter(m_pEdit.get(), nothing.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_EQ(m_target.OnDragOver(m_pEdit.get(), nothing.Get(), MK_LBUTTON, point), DROPEFFECT_NONE);
    EXPECT_FALSE(m_target.OnDrop(m_pEdit.get(), nothing.Get(), DROPEFFECT_COPY, point));
}

TEST_F(EditExDrop, DropOntoAMaskedControlPlacesTheText)
{
    CreateEdit(0, "##.##.####");
    CTextData data("01052025");
    EXPECT_TRUE(m_target.OnDrop(m_pEdit.get(), data.Get(), DROPEFFECT_COPY, PointOfChar(Edit(), 0)));
    EXPECT_EQ(Text(), "01.05.2025");
    CTextData year("1999");
    EXPECT_TRUE(m_target.OnDrop(m_pEdit.get(), year.Get(), DROPEFFECT_MOVE, PointOfChar(Edit(), 6)));
    EXPECT_EQ(Text(), "01.05.1999");
}

TEST_F(EditExDrop, DropOntoTheControlThatIsDraggingIsNoDrop)
{
    CreateEdit(0, "##.##");
    ASSERT_TRUE(m_pEdit->SetData("1234"));
    m_pEdit->SetDragging(true);
    CTextData data("34");
    // Not taken, so a moving source keeps its text.
    EXPECT_FALSE(m_target.OnDrop(m_pEdit.get(), data.Get(), DROPEFFECT_MOVE, PointOfChar(Edit(), 0)));
    EXPECT_EQ(Text(), "12.34");
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

TEST_F(EditExDrop, DropOntoAPlainEditInsertsAtThePointAndTellsIt)
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
        CTextData data("Пётр ");
        EXPECT_TRUE(m_target.OnDrop(&edit, data.Get(), DROPEFFECT_COPY, PointOfChar(edit.m_hWnd, 7)));
        EXPECT_EQ(WindowText(edit.m_hWnd), "Иванов Пётр Петрович");
        EXPECT_EQ(edit.m_nChanges, 1);
        EXPECT_EQ(Selection(edit.m_hWnd), Pos(7, 7));
        EXPECT_EQ(GetFocus(), edit.m_hWnd);

        // Past the end of the text it goes at the end.
        CTextData tail(" (зам.)");
        EXPECT_TRUE(m_target.OnDrop(&edit, tail.Get(), DROPEFFECT_COPY, CPoint(280, 10)));
        EXPECT_EQ(WindowText(edit.m_hWnd), "Иванов Пётр Петрович (зам.)");
    }
    DestroyWindow(hParent);
}

TEST_F(EditExDrop, AnEditControlWithoutACEditObjectIsStillAnEditControl)
{
    HWND hEdit = CreateWindowExA(0, "EDIT", "ООО Ромашка", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 300, 24,
                                 m_pHost->m_hWnd, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(hEdit, nullptr);
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hEdit));
        CTextData data("«");
        EXPECT_TRUE(m_target.OnDrop(&wnd, data.Get(), DROPEFFECT_COPY, PointOfChar(hEdit, 4)));
        EXPECT_EQ(WindowText(hEdit), "ООО «Ромашка");
        wnd.Detach();
    }
    DestroyWindow(hEdit);
}

TEST_F(EditExDrop, AnyOtherWindowTakesTheTextAsItsWindowText)
{
    CStatic label;
    ASSERT_TRUE(label.Create("Перетащите сюда", WS_CHILD | WS_VISIBLE, CRect(10, 50, 300, 70), m_pHost.get(), 9));
    CTextData data("Склад №2");
    EXPECT_EQ(m_target.OnDragEnter(&label, data.Get(), MK_LBUTTON, CPoint(3, 3)), DROPEFFECT_COPY);
    EXPECT_TRUE(m_target.OnDrop(&label, data.Get(), DROPEFFECT_COPY, CPoint(3, 3)));
    EXPECT_EQ(WindowText(label.m_hWnd), "Склад №2");
    label.DestroyWindow();
}

TEST_F(EditExDrop, TextIsReadUpToItsFirstZeroOrTheEndOfTheBlock)
{
    CString strText;
    CTextData unterminated("абв", 3);
    EXPECT_TRUE(m_target.ReadTextData(strText, unterminated.Get()));
    EXPECT_STREQ(strText, "абв");
    EXPECT_EQ(strText.GetLength(), 3);

    const char abEmbedded[] = {'1', '2', '\0', '3', '4', '\0'};
    CTextData embedded(abEmbedded, sizeof(abEmbedded));
    EXPECT_TRUE(m_target.ReadTextData(strText, embedded.Get()));
    EXPECT_STREQ(strText, "12");

    CTextData nothing(NULL);
    EXPECT_FALSE(m_target.ReadTextData(strText, nothing.Get()));
    EXPECT_TRUE(strText.IsEmpty());
}

TEST_F(EditExDrop, EnableDragDropRegistersTheWindowOnce)
{
    m_pEdit.reset(new CProbeEdit);
    m_pEdit->EnableDragDrop();  // no window yet
    EXPECT_FALSE(m_pEdit->IsDropTargetRegistered());
    CreateEdit(0, "##");
    m_pEdit->EnableDragDrop();
    EXPECT_TRUE(m_pEdit->IsDropTargetRegistered());
    m_pEdit->EnableDragDrop();
    EXPECT_TRUE(m_pEdit->IsDropTargetRegistered());
    // The window has its target: another one is refused.
    COleDropTarget other;
    EXPECT_FALSE(other.Register(m_pEdit.get()));
    m_pEdit.reset();
}

TEST_F(EditExDrop, ARegisteredControlTakesADropThroughOle)
{
    CreateEdit(0, "##.##.####");
    m_pEdit->EnableDragDrop();
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
