// The masked edit on the in-memory edit control: arbitrary masks, prompts,
// styles and sequences of keys, clicks, selections, data, clipboard commands,
// drops and drags. After every action the model must keep its invariants:
// the display as long as the mask with every literal in place, the control
// showing the display, the selection inside the text, the data one character
// per data position. Any broken property aborts.
//
// Input: flags[1] prompt[1] mask-length[1] mask... then actions, each an
// opcode byte and its arguments (see Act). Mask bytes below 0x80 pick from
// the placeholder and escape characters so that short inputs make real masks.
#include "edit/HeadlessEditSurface.h"
#include "edit/EditKeys.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
class CInput {
public:
    CInput(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nSize(nSize) {}
    bool More() const { return m_nPos < m_nSize; }
    uint8_t Byte() { return m_nPos < m_nSize ? m_pData[m_nPos++] : 0; }
    // A position from -2 to 21: around every mask this target makes.
    int Pos() { return (int)(Byte() % 24) - 2; }
    // Up to nMax bytes, none of them zero (the control's strings end there).
    std::string Text(size_t nMax)
    {
        const size_t nLength = Byte() % (nMax + 1);
        std::string str;
        for (size_t i = 0; i < nLength && More(); ++i) {
            const uint8_t b = Byte();
            str += b != 0 ? (char)b : '0';
        }
        return str;
    }
    std::string Mask()
    {
        static const char s_achPick[] = "#&?ALU\\-.() #9a";
        const size_t nLength = Byte() % 24;
        std::string str;
        for (size_t i = 0; i < nLength && More(); ++i) {
            const uint8_t b = Byte();
            if (b == 0)
                str += '#';
            else if (b < 0x80)
                str += s_achPick[b % (sizeof(s_achPick) - 1)];
            else
                str += (char)b;
        }
        return str;
    }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};

// Exposes the placeholder test the invariants need.
class CCheckedMask : public CEditMask {
public:
    bool IsPlaceholder(char ch) { return IsMaskChar(ch); }
};

void Fail(const char* pszWhat, CCheckedMask& mask)
{
    fprintf(stderr, "mask: %s (mask \"%s\", display \"%s\")\n", pszWhat, (LPCSTR)mask.GetMask(),
            (LPCSTR)mask.GetRawData());
    abort();
}

void Check(CCheckedMask& mask, CHeadlessEditSurface& surface)
{
    const CString strText = surface.GetEditText();
    int nStart = -1, nEnd = -1;
    surface.GetEditSel(nStart, nEnd);
    if (nStart < 0 || nStart > nEnd || nEnd > strText.GetLength())
        Fail("selection outside the text", mask);
    if (!mask.HasMask())
        return;
    const CString& strMask = mask.GetMask();
    const CString& strDisplay = mask.GetRawData();
    if (strDisplay.GetLength() != strMask.GetLength())
        Fail("display not as long as the mask", mask);
    int nData = 0;
    for (int i = 0; i < strMask.GetLength(); ++i) {
        if (mask.IsPlaceholder(strMask[i]))
            ++nData;
        else if (strDisplay[i] != strMask[i])
            Fail("literal out of place", mask);
    }
    if (strText != strDisplay)
        Fail("the control does not show the display", mask);
    CString strData;
    mask.GetData(strData, false);
    if (strData.GetLength() != nData)
        Fail("data not one character per data position", mask);
}

void Act(CHeadlessMaskedEdit& edit, CInput& in)
{
    static const UINT s_anKeys[] = {VK_BACK,  VK_DELETE, VK_HOME, VK_END,    VK_LEFT,
                                    VK_RIGHT, VK_UP,     VK_DOWN, VK_INSERT, 'A'};
    CEditMask& model = edit.Model();
    CHeadlessEditSurface& surface = edit.Surface();
    const uint8_t bOp = in.Byte();
    switch (bOp % 16) {
    case 0:
    case 1: {
        const uint8_t b = in.Byte();
        edit.TypeChar(b != 0 ? (char)b : '5');
        break;
    }
    case 2:
    case 3: {
        const uint8_t b = in.Byte();
        edit.PressKey(s_anKeys[(b & 0x7F) % 10], (b & 0x80) != 0);
        break;
    }
    case 4: {
        const int nStart = in.Pos();
        edit.Select(nStart, in.Pos());
        break;
    }
    case 5:
        edit.Click(in.Pos());
        break;
    case 6: {
        const int nPos = in.Pos();
        const uint8_t bFlags = in.Byte();
        model.SetData(in.Text(12).c_str(), nPos, (bFlags & 1) != 0, (bFlags & 2) != 0);
        break;
    }
    case 7:
        model.SetPromptChar((char)in.Byte());
        break;
    case 8:
        model.Undo();
        break;
    case 9:
        model.ClearData();
        break;
    case 10:
        surface.SetClipboardOpens((bOp & 0x10) == 0);
        if (bOp & 0x20)
            edit.Cut();
        else
            edit.Copy();
        surface.SetClipboardOpens(true);
        break;
    case 11:
        surface.PutClipboardText(in.Text(12).c_str());
        edit.Paste();
        break;
    case 12: {
        // A drop: the answer during the drag, then the drop itself.
        const int nIndex = in.Pos();
        const std::string strText = in.Text(12);
        model.ValidateDrop(strText.c_str(), nIndex);
        if (bOp & 0x10)
            model.DropText(strText.c_str(), nIndex);
        break;
    }
    case 13: {
        // A drag out of the selection, maybe with the move effect.
        int nStart, nEnd;
        surface.GetEditSel(nStart, nEnd);
        model.GetDragText(nStart, nEnd);
        if (bOp & 0x10)
            model.RemoveDraggedText(nStart, nEnd);
        break;
    }
    case 14: {
        // A character with Ctrl held, or a style change.
        if (bOp & 0x10) {
            surface.SetKeyDown(VK_CONTROL, true);
            model.HandleChar(in.Byte());
            surface.SetKeyDown(VK_CONTROL, false);
        } else {
            static const DWORD s_adwStyles[] = {0, ES_UPPERCASE, ES_LOWERCASE, ES_READONLY};
            surface.SetStyle(s_adwStyles[in.Byte() % 4]);
        }
        break;
    }
    case 15:
        model.SetMask(in.Mask().c_str());
        break;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CInput in(pData, nSize);
    CCheckedMask mask;
    CHeadlessMaskedEdit edit(&mask);
    const uint8_t bFlags = in.Byte();
    static const DWORD s_adwStyles[] = {0, ES_UPPERCASE, ES_LOWERCASE, ES_UPPERCASE | ES_LOWERCASE};
    edit.Surface().SetStyle(s_adwStyles[bFlags % 4] | ((bFlags & 4) ? ES_READONLY : 0));
    mask.SetPromptChar((char)in.Byte());
    mask.SetMask(in.Mask().c_str());
    Check(mask, edit.Surface());
    for (int nActions = 0; in.More() && nActions < 256; ++nActions) {
        Act(edit, in);
        Check(mask, edit.Surface());
    }
    return 0;
}
