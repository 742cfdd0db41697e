// Mask scripts: the action language, the player and the in-memory target.
#include "edit/MaskScript.h"

#include "edit/EditKeys.h"
#include "edit/EditMask.h"
#include "edit/HeadlessEditSurface.h"

#include <climits>
#include <cstdlib>

namespace {

const struct {
    const char* m_pszName;
    UINT m_nKey;
} g_aKeys[] = {{"BACK", VK_BACK},   {"DELETE", VK_DELETE}, {"HOME", VK_HOME}, {"END", VK_END},      {"LEFT", VK_LEFT},
               {"RIGHT", VK_RIGHT}, {"UP", VK_UP},         {"DOWN", VK_DOWN}, {"INSERT", VK_INSERT}};

// A whole decimal number that fits an int.
bool ParseNumber(const std::string& str, int& nValue)
{
    if (str.empty() || str.size() > 12)
        return false;
    size_t i = str[0] == '-' ? 1 : 0;
    if (i == str.size())
        return false;
    long long nResult = 0;
    for (; i < str.size(); ++i) {
        if (str[i] < '0' || str[i] > '9')
            return false;
        nResult = nResult * 10 + (str[i] - '0');
    }
    if (str[0] == '-')
        nResult = -nResult;
    if (nResult < INT_MIN || nResult > INT_MAX)
        return false;
    nValue = static_cast<int>(nResult);
    return true;
}

bool ParseFlag(const std::string& str, bool& bValue)
{
    if (str != "0" && str != "1")
        return false;
    bValue = str == "1";
    return true;
}

std::vector<std::string> SplitTabs(const std::string& strLine)
{
    std::vector<std::string> fields(1);
    for (char ch : strLine) {
        if (ch == '\t')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    return fields;
}

}  // namespace

// ---------------------------------------------------------------- state

const char* const CMaskState::s_apszNames[CMaskState::nValues] = {"display", "data",  "start",  "end",
                                                                  "canundo", "beeps", "insert", "clipboard"};

std::vector<std::string> CMaskState::Values() const
{
    return {CMaskScript::EncodeField(m_strDisplay),
            CMaskScript::EncodeField(m_strData),
            std::to_string(m_nSelStart),
            std::to_string(m_nSelEnd),
            m_bCanUndo ? "1" : "0",
            std::to_string(m_nBeeps),
            m_bInsertMode ? "1" : "0",
            CMaskScript::EncodeField(m_strClipboard)};
}

std::string CMaskState::Line() const
{
    const std::vector<std::string> values = Values();
    std::string strLine;
    for (size_t i = 0; i < values.size(); ++i)
        strLine += (i ? "\t" : "") + values[i];
    return strLine;
}

// ---------------------------------------------------------------- in-memory target

CHeadlessMaskTarget::CHeadlessMaskTarget() : m_pEdit(new CHeadlessMaskedEdit) {}

CHeadlessMaskTarget::~CHeadlessMaskTarget() {}

bool CHeadlessMaskTarget::Reset(LPCSTR pszMask, char chPrompt, DWORD dwStyle)
{
    m_pEdit.reset(new CHeadlessMaskedEdit);
    m_pEdit->Surface().SetStyle(dwStyle);
    m_pEdit->Model().SetPromptChar(chPrompt);
    m_pEdit->Model().SetMask(pszMask);
    return m_pEdit->Model().HasMask();
}

CEditMask& CHeadlessMaskTarget::Model()
{
    return m_pEdit->Model();
}

void CHeadlessMaskTarget::TypeChar(char ch)
{
    m_pEdit->TypeChar(ch);
}

void CHeadlessMaskTarget::PressKey(UINT nVirtKey, bool bShift)
{
    m_pEdit->PressKey(nVirtKey, bShift);
}

void CHeadlessMaskTarget::Select(int nStart, int nEnd)
{
    m_pEdit->Select(nStart, nEnd);
}

void CHeadlessMaskTarget::Click(int nPos)
{
    m_pEdit->Click(nPos);
}

void CHeadlessMaskTarget::Copy()
{
    m_pEdit->Copy();
}

void CHeadlessMaskTarget::Cut()
{
    m_pEdit->Cut();
}

void CHeadlessMaskTarget::Paste(LPCSTR pszText)
{
    m_pEdit->Surface().PutClipboardText(pszText);
    m_pEdit->Paste();
}

void CHeadlessMaskTarget::GetSelection(int& nStart, int& nEnd)
{
    m_pEdit->Surface().GetEditSel(nStart, nEnd);
}

int CHeadlessMaskTarget::GetBeepCount()
{
    return m_pEdit->Surface().GetBeepCount();
}

bool CHeadlessMaskTarget::GetClipboardText(std::string& strText)
{
    CString str;
    const bool bHas = m_pEdit->Surface().PeekClipboard(str);
    strText.assign(str, str.GetLength());
    return bHas;
}

// ---------------------------------------------------------------- script

bool CMaskScript::DecodeField(const std::string& strField, std::string& strText, std::string& strProblem)
{
    strText.clear();
    for (size_t i = 0; i < strField.size(); ++i) {
        if (strField[i] == '\0') {
            strProblem = "нулевой байт в тексте";
            return false;
        }
        if (strField[i] != '\\') {
            strText += strField[i];
            continue;
        }
        const char chNext = i + 1 < strField.size() ? strField[i + 1] : 0;
        if (chNext == 't') {
            strText += '\t';
        } else if (chNext == 'n') {
            strText += '\n';
        } else if (chNext == '\\') {
            strText += '\\';
        } else {
            strProblem = "неизвестное сочетание с \\ (есть \\t, \\n, \\\\): " + strField;
            return false;
        }
        ++i;
    }
    return true;
}

std::string CMaskScript::EncodeField(const std::string& strText)
{
    std::string strOut;
    for (char ch : strText) {
        if (ch == '\t')
            strOut += "\\t";
        else if (ch == '\n')
            strOut += "\\n";
        else if (ch == '\\')
            strOut += "\\\\";
        else
            strOut += ch;
    }
    return strOut;
}

bool CMaskScript::ParseAction(const std::string& strField, CMaskAction& action, std::string& strProblem)
{
    action = CMaskAction();
    const size_t nColon = strField.find(':');
    const std::string strName = strField.substr(0, nColon);
    const bool bHasArg = nColon != std::string::npos;
    const std::string strArg = bHasArg ? strField.substr(nColon + 1) : std::string();
    strProblem = "неверное действие: " + strField;

    static const struct {
        const char* m_pszName;
        CMaskAction::EKind m_eKind;
    } s_aPlain[] = {{"undo", CMaskAction::kUndo},
                    {"clear", CMaskAction::kClear},
                    {"copy", CMaskAction::kCopy},
                    {"cut", CMaskAction::kCut}};
    for (const auto& plain : s_aPlain) {
        if (strName == plain.m_pszName) {
            action.m_eKind = plain.m_eKind;
            return !bHasArg;
        }
    }
    if (!bHasArg)
        return false;
    if (strName == "type" || strName == "paste") {
        action.m_eKind = strName == "type" ? CMaskAction::kType : CMaskAction::kPaste;
        return DecodeField(strArg, action.m_strText, strProblem);
    }
    if (strName == "prompt") {
        action.m_eKind = CMaskAction::kPrompt;
        if (!DecodeField(strArg, action.m_strText, strProblem))
            return false;
        if (action.m_strText.size() != 1) {
            strProblem = "знак-заполнитель должен быть одним знаком: " + strField;
            return false;
        }
        return true;
    }
    if (strName == "key") {
        action.m_eKind = CMaskAction::kKey;
        std::string strKey = strArg;
        action.m_bShift = strKey.compare(0, 2, "S-") == 0;
        if (action.m_bShift)
            strKey.erase(0, 2);
        for (const auto& key : g_aKeys) {
            if (strKey == key.m_pszName) {
                action.m_nKey = key.m_nKey;
                return true;
            }
        }
        strProblem = "неизвестная клавиша: " + strField;
        return false;
    }
    if (strName == "click") {
        action.m_eKind = CMaskAction::kClick;
        return ParseNumber(strArg, action.m_nA);
    }
    if (strName == "sel") {
        action.m_eKind = CMaskAction::kSel;
        const size_t nSep = strArg.find(':');
        return nSep != std::string::npos && ParseNumber(strArg.substr(0, nSep), action.m_nA) &&
               ParseNumber(strArg.substr(nSep + 1), action.m_nB);
    }
    if (strName == "setdata") {
        // P:I:K:TEXT; the text itself may hold colons.
        action.m_eKind = CMaskAction::kSetData;
        size_t aSep[3];
        size_t nFrom = 0;
        for (size_t& nSep : aSep) {
            nSep = strArg.find(':', nFrom);
            if (nSep == std::string::npos)
                return false;
            nFrom = nSep + 1;
        }
        return ParseNumber(strArg.substr(0, aSep[0]), action.m_nA) &&
               ParseFlag(strArg.substr(aSep[0] + 1, aSep[1] - aSep[0] - 1), action.m_bInsert) &&
               ParseFlag(strArg.substr(aSep[1] + 1, aSep[2] - aSep[1] - 1), action.m_bKeepPrompt) &&
               DecodeField(strArg.substr(aSep[2] + 1), action.m_strText, strProblem);
    }
    return false;
}

bool CMaskScript::ParseLine(const std::string& strLine, std::string& strProblem)
{
    const std::vector<std::string> fields = SplitTabs(strLine);
    if (fields.size() < 4) {
        strProblem = "нужно не меньше четырёх полей через TAB: маска, заполнитель, стиль, только чтение";
        return false;
    }
    std::string strPrompt;
    if (!DecodeField(fields[0], m_strMask, strProblem) || !DecodeField(fields[1], strPrompt, strProblem))
        return false;
    if (strPrompt.size() != 1) {
        strProblem = "заполнитель должен быть одним знаком";
        return false;
    }
    m_chPrompt = strPrompt[0];
    if (fields[2] == "u") {
        m_dwStyle = ES_UPPERCASE;
    } else if (fields[2] == "l") {
        m_dwStyle = ES_LOWERCASE;
    } else if (fields[2] == "n") {
        m_dwStyle = 0;
    } else {
        strProblem = "стиль должен быть n, u или l";
        return false;
    }
    bool bReadOnly = false;
    if (!ParseFlag(fields[3], bReadOnly)) {
        strProblem = "только чтение должно быть 0 или 1";
        return false;
    }
    if (bReadOnly)
        m_dwStyle |= ES_READONLY;
    m_actions.assign(fields.size() - 4, CMaskAction());
    for (size_t i = 4; i < fields.size(); ++i) {
        if (!ParseAction(fields[i], m_actions[i - 4], strProblem))
            return false;
    }
    return true;
}

CMaskScript::EResult CMaskScript::Play(CMaskScriptTarget& target, CMaskState& state) const
{
    state = CMaskState();
    if (!target.Reset(m_strMask.c_str(), m_chPrompt, m_dwStyle))
        return plainEdit;
    CEditMask& model = target.Model();
    for (const CMaskAction& action : m_actions) {
        switch (action.m_eKind) {
        case CMaskAction::kType:
            for (char ch : action.m_strText)
                target.TypeChar(ch);
            break;
        case CMaskAction::kKey:
            target.PressKey(action.m_nKey, action.m_bShift);
            break;
        case CMaskAction::kSel:
            target.Select(action.m_nA, action.m_nB);
            break;
        case CMaskAction::kClick:
            target.Click(action.m_nA);
            break;
        case CMaskAction::kSetData:
            model.SetData(action.m_strText.c_str(), action.m_nA, action.m_bInsert, action.m_bKeepPrompt);
            break;
        case CMaskAction::kPrompt:
            model.SetPromptChar(action.m_strText[0]);
            break;
        case CMaskAction::kUndo:
            model.Undo();
            break;
        case CMaskAction::kClear:
            model.ClearData();
            break;
        case CMaskAction::kCopy:
            target.Copy();
            break;
        case CMaskAction::kCut:
            target.Cut();
            break;
        case CMaskAction::kPaste:
            target.Paste(action.m_strText.c_str());
            break;
        }
    }
    CString strData;
    model.GetData(strData, false);
    const CString& strDisplay = model.GetRawData();
    state.m_strDisplay.assign(strDisplay, strDisplay.GetLength());
    state.m_strData.assign(strData, strData.GetLength());
    target.GetSelection(state.m_nSelStart, state.m_nSelEnd);
    state.m_bCanUndo = model.CanUndo();
    state.m_nBeeps = target.GetBeepCount();
    state.m_bInsertMode = model.InsertMode();
    if (!target.GetClipboardText(state.m_strClipboard))
        state.m_strClipboard.clear();
    return played;
}
