// Command maps and command-user-interface updates.
#include <afxwin.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum { ID_FIRST = 100, ID_SECOND = 101, ID_ONLY_BASE = 102, ID_RANGE_LO = 200, ID_RANGE_HI = 209, ID_NONE = 300 };

class CBaseTarget : public CCmdTarget {
public:
    std::vector<std::string> m_calls;
    std::vector<UINT> m_rangeIDs;

protected:
    void OnFirst() { m_calls.push_back("base first"); }
    void OnOnlyBase() { m_calls.push_back("base only"); }
    void OnRange(UINT nID) { m_rangeIDs.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
    ON_COMMAND(ID_FIRST, OnFirst)
    ON_COMMAND(ID_ONLY_BASE, OnOnlyBase)
    ON_COMMAND_RANGE(ID_RANGE_LO, ID_RANGE_HI, OnRange)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
public:
    int m_nUpdates = 0;
    BOOL m_bUpdateEnables = TRUE;
    BOOL m_bUpdateContinues = FALSE;
    NMHDR* m_pLastNotify = nullptr;

protected:
    void OnFirst() { m_calls.push_back("derived first"); }
    void OnSecond() { m_calls.push_back("derived second"); }
    void OnUpdateSecond(CCmdUI* pCmdUI)
    {
        ++m_nUpdates;
        pCmdUI->Enable(m_bUpdateEnables);
        pCmdUI->SetCheck(1);
        pCmdUI->SetText("Готово");
        if (m_bUpdateContinues)
            pCmdUI->ContinueRouting();
    }
    void OnClickFirst(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_pLastNotify = pNMHDR;
        *pResult = 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
    ON_COMMAND(ID_FIRST, OnFirst)
    ON_COMMAND(ID_SECOND, OnSecond)
    ON_UPDATE_COMMAND_UI(ID_SECOND, OnUpdateSecond)
    ON_NOTIFY(NM_CLICK, ID_FIRST, OnClickFirst)
END_MESSAGE_MAP()

typedef std::vector<std::string> CLog;

}  // namespace

TEST(CmdTarget, CommandsAndNotificationsFindTheMostDerivedEntryThenTheBaseMapsAndRanges)
{
    CDerivedTarget target;
    const struct {
        UINT nID;
        int nCode;
        BOOL bHandled;
    } rows[] = {
        {ID_FIRST, CN_COMMAND, TRUE},         {ID_ONLY_BASE, CN_COMMAND, TRUE},     {ID_SECOND, CN_COMMAND, TRUE},
        {ID_NONE, CN_COMMAND, FALSE},         {ID_FIRST, EN_CHANGE, FALSE},  // a control code is no command
        {ID_RANGE_LO, CN_COMMAND, TRUE},      {ID_RANGE_LO + 4, CN_COMMAND, TRUE},  {ID_RANGE_HI, CN_COMMAND, TRUE},
        {ID_RANGE_LO - 1, CN_COMMAND, FALSE}, {ID_RANGE_HI + 1, CN_COMMAND, FALSE},
    };
    for (const auto& row : rows)
        EXPECT_EQ(target.OnCmdMsg(row.nID, row.nCode, NULL, NULL), row.bHandled) << row.nID << " " << row.nCode;
    EXPECT_EQ(target.m_calls, (CLog{"derived first", "base only", "derived second"}));
    EXPECT_EQ(target.m_rangeIDs, (std::vector<UINT>{ID_RANGE_LO, ID_RANGE_LO + 4, ID_RANGE_HI}));
    CBaseTarget base;
    EXPECT_TRUE(base.OnCmdMsg(ID_FIRST, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(base.OnCmdMsg(ID_SECOND, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(base.m_calls, CLog{"base first"});

    // Asked for the handler only: it is named, not called.
    target.m_calls.clear();
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    EXPECT_TRUE(target.OnCmdMsg(ID_ONLY_BASE, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_NE(info.pmf, nullptr);
    EXPECT_TRUE(target.m_calls.empty());
    info.pTarget = NULL;
    EXPECT_FALSE(target.OnCmdMsg(ID_NONE, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, nullptr);

    // A notification entry gets the header and sets the result; another code
    // or another control is not its.
    NMHDR hdr = {NULL, ID_FIRST, static_cast<UINT>(NM_CLICK)};
    LRESULT lResult = 0;
    AFX_NOTIFY notify = {&lResult, &hdr};
    EXPECT_TRUE(target.OnCmdMsg(ID_FIRST, MAKELONG(NM_CLICK, WM_NOTIFY), &notify, NULL));
    EXPECT_EQ(target.m_pLastNotify, &hdr);
    EXPECT_EQ(lResult, 77);
    EXPECT_FALSE(target.OnCmdMsg(ID_FIRST, MAKELONG(NM_DBLCLK, WM_NOTIFY), &notify, NULL));
    EXPECT_FALSE(target.OnCmdMsg(ID_SECOND, MAKELONG(NM_CLICK, WM_NOTIFY), &notify, NULL));
}

TEST(CmdTarget, UpdateHandlersDriveTheControlStandingForTheItemUntilRoutingContinues)
{
    // The update handler drives the control standing for the item, and does
    // not run the command.
    CWnd button;
    ASSERT_TRUE(button.Attach(CreateWindowExA(0, "BUTTON", "x", WS_POPUP | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 100, 30,
                                              NULL, NULL, GetModuleHandle(NULL), NULL)));
    CDerivedTarget target;
    target.m_bUpdateEnables = FALSE;
    CCmdUI state;
    state.m_nID = ID_SECOND;
    state.m_pOther = &button;
    EXPECT_TRUE(state.DoUpdate(&target, TRUE));
    EXPECT_EQ(target.m_nUpdates, 1);
    EXPECT_TRUE(state.m_bEnableChanged);
    EXPECT_FALSE(button.IsWindowEnabled());
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_CHECKED);
    CString strText;
    button.GetWindowText(strText);
    EXPECT_STREQ(strText, "Готово");
    EXPECT_TRUE(target.m_calls.empty());
    target.m_bUpdateEnables = TRUE;
    state.DoUpdate(&target, TRUE);
    EXPECT_TRUE(button.IsWindowEnabled());
    // A command handler but no update handler: stays enabled. Neither:
    // enabled unless the caller wants it disabled.
    const struct {
        UINT nID;
        BOOL bDisableIfNoHandler, bEnabled;
    } rows[] = {{ID_ONLY_BASE, TRUE, TRUE}, {ID_NONE, FALSE, TRUE}, {ID_NONE, TRUE, FALSE}};
    for (const auto& row : rows) {
        state.m_nID = row.nID;
        EXPECT_FALSE(state.DoUpdate(&target, row.bDisableIfNoHandler));
        EXPECT_EQ(button.IsWindowEnabled(), row.bEnabled) << row.nID << " " << row.bDisableIfNoHandler;
    }
    // ContinueRouting lets the next target update too.
    target.m_bUpdateContinues = TRUE;
    state.m_nID = ID_SECOND;
    EXPECT_FALSE(target.OnCmdMsg(ID_SECOND, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL));
    EXPECT_EQ(target.m_nUpdates, 3);
    target.m_bUpdateContinues = FALSE;
    EXPECT_TRUE(target.OnCmdMsg(ID_SECOND, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, NULL));
}
