// A real CEditEx in a real top-level window as a target for mask scripts: the
// keys arrive as the key-down, character and key-up messages a keyboard
// produces, through this thread's message loop and the pre-translation chain;
// clicks arrive as button messages at the character's place; copy, cut and
// paste go through the real clipboard; beeps are counted where the control
// makes them. The window is made once and the control anew for each script.
#pragma once

#include "edit/MaskScript.h"

#include <memory>

class CWnd;
class CCountingEditEx;

class CWindowMaskTarget : public CMaskScriptTarget {
public:
    CWindowMaskTarget();
    ~CWindowMaskTarget() override;

    // False when the window could not be made.
    bool IsReady() const;

    bool Reset(LPCSTR pszMask, char chPrompt, DWORD dwStyle) override;
    CEditMask& Model() override;
    void TypeChar(char ch) override;
    void PressKey(UINT nVirtKey, bool bShift) override;
    void Select(int nStart, int nEnd) override;
    void Click(int nPos) override;
    void Copy() override;
    void Cut() override;
    void Paste(LPCSTR pszText) override;
    void GetSelection(int& nStart, int& nEnd) override;
    int GetBeepCount() override;
    bool GetClipboardText(std::string& strText) override;

private:
    // Posts a key's messages and lets the message loop deliver them.
    void Key(UINT nVirtKey, UINT nChar, bool bShift);
    void Command(UINT nID);
    // Delivers what is in this thread's queue as the message loop would.
    void Pump();

    std::unique_ptr<CWnd> m_pHost;
    std::unique_ptr<CCountingEditEx> m_pEdit;
};
