// Scripts of a user's session with a masked edit, in the action language of
// the extkit tool: a mask, a prompt, a style, and the keys, clicks and
// commands in order. A script is parsed once and played on any control that
// can take it (the in-memory one here, a real window in the Windows tool),
// and what the control then shows comes back as one state record.
//
// Texts are Windows-1251. In a script's fields \t, \n and \\ stand for a
// tab, a line feed and a backslash; the state's values are written the same
// way.
#pragma once

#include <afx.h>

#include <memory>
#include <string>
#include <vector>

class CEditMask;
class CHeadlessMaskedEdit;

struct CMaskAction {
    enum EKind { kType, kKey, kSel, kClick, kSetData, kPrompt, kUndo, kClear, kCopy, kCut, kPaste };
    EKind m_eKind = kType;
    std::string m_strText;       // type, paste, setdata: the text; prompt: one character
    UINT m_nKey = 0;             // key: the virtual key
    bool m_bShift = false;       // key: held with Shift
    int m_nA = 0;                // sel: start; click: position; setdata: start position
    int m_nB = 0;                // sel: end
    bool m_bInsert = false;      // setdata
    bool m_bKeepPrompt = false;  // setdata
};

// What the control shows after a script.
struct CMaskState {
    std::string m_strDisplay;  // the field's text
    std::string m_strData;     // the data without literals, empty positions as blanks
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    bool m_bCanUndo = false;
    int m_nBeeps = 0;
    bool m_bInsertMode = false;
    std::string m_strClipboard;  // empty when the clipboard holds no text

    enum { nValues = 8 };
    // The names of the values, in the order of the line format.
    static const char* const s_apszNames[nValues];
    // The values in that order, texts escaped.
    std::vector<std::string> Values() const;
    // The values joined by tabs: one line of the batch output.
    std::string Line() const;
};

// A masked edit a script is played on.
class CMaskScriptTarget {
public:
    virtual ~CMaskScriptTarget() {}

    // A fresh control with the style (ES_UPPERCASE, ES_LOWERCASE, ES_READONLY),
    // the prompt and then the mask; false when the mask has no input
    // positions (the control is then a plain edit, which scripts leave alone).
    virtual bool Reset(LPCSTR pszMask, char chPrompt, DWORD dwStyle) = 0;
    // The model, for what a host calls directly (SetData, the prompt, Undo...).
    virtual CEditMask& Model() = 0;

    // A character key: its key-down and its character.
    virtual void TypeChar(char ch) = 0;
    // A key press (Backspace also sends its character), with Shift held when asked.
    virtual void PressKey(UINT nVirtKey, bool bShift) = 0;
    // EM_SETSEL.
    virtual void Select(int nStart, int nEnd) = 0;
    // A left click that the edit control places at nPos.
    virtual void Click(int nPos) = 0;
    // The control's copy, cut and paste commands; Paste first puts the text on
    // the clipboard.
    virtual void Copy() = 0;
    virtual void Cut() = 0;
    virtual void Paste(LPCSTR pszText) = 0;

    virtual void GetSelection(int& nStart, int& nEnd) = 0;
    virtual int GetBeepCount() = 0;
    // The clipboard's text; false when it holds none.
    virtual bool GetClipboardText(std::string& strText) = 0;
};

// The in-memory edit control as a target.
class CHeadlessMaskTarget : public CMaskScriptTarget {
public:
    CHeadlessMaskTarget();
    ~CHeadlessMaskTarget() override;

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
    std::unique_ptr<CHeadlessMaskedEdit> m_pEdit;
};

class CMaskScript {
public:
    std::string m_strMask;
    char m_chPrompt = ' ';
    DWORD m_dwStyle = 0;
    std::vector<CMaskAction> m_actions;

    // A field with its escapes resolved; false with the reason for an
    // unknown escape or a zero byte (the control's strings end at one).
    static bool DecodeField(const std::string& strField, std::string& strText, std::string& strProblem);
    static std::string EncodeField(const std::string& strText);

    // One action (type:TEXT, key:NAME, key:S-NAME, sel:S:E, click:P,
    // setdata:P:I:K:TEXT, prompt:C, undo, clear, copy, cut, paste:TEXT).
    static bool ParseAction(const std::string& strField, CMaskAction& action, std::string& strProblem);
    // A batch line: MASK, PROMPT, STYLE (n, u or l), READONLY (0 or 1) and the
    // actions, separated by tabs.
    bool ParseLine(const std::string& strLine, std::string& strProblem);

    enum EResult { played, plainEdit };
    // Resets the target to the script's mask and plays the actions.
    EResult Play(CMaskScriptTarget& target, CMaskState& state) const;
};
