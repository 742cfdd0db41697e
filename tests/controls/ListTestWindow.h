// What the list tests share: a framework window that holds the list under
// test, hands the list its own notifications and records what the list tells
// its owner; the lists with their protected parts in reach; and the points
// a user would click.
#pragma once

#include "controls/CheckListCtrl.h"
#include "controls/DragDropListCtrl.h"

#include <string>
#include <vector>

class CListHost : public CWnd {
public:
    // A visible top-level window at the top left of the screen.
    CListHost();
    ~CListHost() override;

    // One line per WM_ITEMLISTCTRLCHNG: "OP ROW COLUMN", and for a check
    // change the row's check as it was when the message came, "(0)" or "(1)".
    std::vector<std::string> m_changes;
    // The list whose messages these are: a message about another window, or
    // whose wParam is not its row, is recorded as "wrong list or row".
    HWND m_hWndList = NULL;

protected:
    LRESULT OnItemListCtrlChng(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CCheckListProbe : public CCheckListCtrl {
public:
    int CurColumn() const { return m_nCurColumn; }
    int LastColumn() const { return m_nLastColumn; }
};

class CDragDropProbe : public CDragDropListCtrl {
public:
    int DropIndex() const { return m_nDropIndex; }
    CEditEx* Editor() const { return m_pEdit; }
    UINT_PTR ScrollTimer() const { return m_nScrollTimer; }
};

// The middle of a cell, in the list's client coordinates.
CPoint CellPoint(CListCtrl& list, int nRow, int nColumn);

// A drag with the mouse as the user makes it, the pointer itself going along:
// the button goes down on row nFrom, the pointer moves to height y with the
// button held, in steps of nStep pixels (one jump for 0), and unless bHold
// the button comes up there. nFrom -1: a held drag goes on to y in one jump.
void MouseDrag(CListCtrl& list, int nFrom, int y, bool bHold = false, int nStep = 8);
