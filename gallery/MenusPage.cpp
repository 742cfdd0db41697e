// The menus page: a trade program's toolbars in true colour (one bitmap, and
// three image lists with disabled and hot pictures), the user's own toolbar
// rebuilt from the menu-customisation dialog, the colour menu, icons read
// from .ico files, the hot keys as a stored table, and the icon button. Its
// extra snapshots show the customisation dialog open on the page's menu and
// the colour menu dropped down.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>

#include "GalleryPage.h"
#include "MenusPageRes.h"
#include "WindowCapture.h"
#include "frame/Frame.h"
#include "images/BitmapEx.h"
#include "menus/ButtonIco.h"
#include "menus/ColorMenu.h"
#include "menus/CustomizeMenuTreeDlg.h"
#include "menus/HotKeyArray.h"
#include "menus/ToolBarTrueColor.h"

namespace {

enum {
    IDC_CUSTOMIZE = 1701,
    IDC_MENU_BUTTON,
    IDC_COLOR_BUTTON,
    IDC_SAMPLE,
    IDC_COLOR_NAME,
    IDC_HOTKEYS,
    IDC_HOTKEYS_NOTE,
    IDC_ICON_BUTTON,
    IDC_ICON_ENABLED,
    IDC_ICON_COUNT,
    IDC_LAST_COMMAND,
};

const int c_nIconFiles = 7;
const char* const c_apszIconCaptions[c_nIconFiles] = {"1 бит",   "4 бита", "8 бит", "24 бита",
                                                      "32 бита", "набор",  "с PNG"};

// The page's modal steps: what a snapshot does while a dialog or menu runs.
struct CSnapshotJob {
    std::string m_strPath;
    HWND m_hMain = nullptr;
    int m_nTicks = 0;
    bool m_bWritten = false;
};
CSnapshotJob* g_pJob = nullptr;

// The window of this thread of that class that is up now, if any.
HWND FindThreadWindow(const char* pszClass)
{
    struct CSearch {
        const char* m_pszClass;
        HWND m_hFound;
    } search = {pszClass, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<CSearch*>(lParam);
            char szClass[16] = "";
            GetClassNameA(hWnd, szClass, sizeof(szClass));
            if (strcmp(szClass, pSearch->m_pszClass) == 0 && IsWindowVisible(hWnd)) {
                pSearch->m_hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.m_hFound;
}

// Takes the picture of the main window with hOver on it.
void CaptureOver(CSnapshotJob& job, HWND hOver)
{
    RedrawWindow(hOver, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    support::PumpPendingMessages(nullptr);
    RECT rcMain, rcOver, rcBoth;
    GetWindowRect(job.m_hMain, &rcMain);
    GetWindowRect(hOver, &rcOver);
    UnionRect(&rcBoth, &rcMain, &rcOver);
    job.m_bWritten = support::CaptureScreenToPng(rcBoth, job.m_strPath.c_str()) != FALSE;
}

class CMenusPage : public CGalleryPage {
public:
    ~CMenusPage() override
    {
        for (HICON hIcon : m_icons)
            DestroyIcon(hIcon);
        if (m_hSampleFont != nullptr)
            DeleteObject(m_hSampleFont);
    }

    const char* GetTitle() const override { return "Меню и панели"; }
    const char* GetSnapshotName() const override { return "menus"; }

    int WriteExtraSnapshots(const char* pszStem) override
    {
        int nFailed = Snapshot(std::string(pszStem) + "-customize.png", CustomizeStep, [this] { Customize(); });
        nFailed += Snapshot(std::string(pszStem) + "-colors.png", ColorMenuStep, [this] { ChooseColor(); });
        return nFailed;
    }

protected:
    void OnCreate() override
    {
        CWnd* pPage = CWnd::FromHandle(m_hWnd);
        LoadMenuWithPictures();

        AddGroup("Панели инструментов в 24 бита на точку", 8, 6, 764, 150);
        AddLabel("Стандартная — один рисунок, фон стал цветом кнопок:", 18, 27, 340);
        CreateToolBar(m_standard, pPage, 360, 22, 400);
        m_standard.LoadToolBar(IDR_GALLERY_STANDARD, IDR_GALLERY_STANDARD);
        AddLabel("Документы — три списка изображений:", 18, 59, 340);
        CreateToolBar(m_documents, pPage, 360, 54, 400);
        m_documents.LoadToolBar(IDR_GALLERY_DOCS, IDR_GALLERY_DOCS, IDB_GALLERY_DOCS_DISABLED, IDB_GALLERY_DOCS_HOT);
        m_documents.GetToolBarCtrl().EnableButton(ID_DOC_ACT, FALSE);
        m_documents.GetToolBarCtrl().EnableButton(ID_DOC_CASH_OUT, FALSE);
        AddLabel("Моя панель — команды, отмеченные в настройке меню:", 18, 91, 340);
        CreateToolBar(m_mine, pPage, 360, 86, 400);
        m_mine.LoadToolBar(IDR_GALLERY_MINE, IDR_GALLERY_MINE, IDR_GALLERY_MINE, 0, RGB(192, 192, 192));
        for (const char* pszCommand : {"Новый документ", "Открыть...", "Сохранить", "Счёт на оплату",
                                       "Товарная накладная", "Платёжное поручение", "Калькулятор"})
            m_chosen.Add(pszCommand);
        CCustomizeMenuTreeDlg::BuildToolbar(m_menu, &m_chosen, m_mine, 0, false);
        AddControl("BUTTON", "Настроить панель…", WS_TABSTOP | BS_PUSHBUTTON, 18, 118, 170, 26, IDC_CUSTOMIZE);
        AddControl("BUTTON", "Меню программы…", WS_TABSTOP | BS_PUSHBUTTON, 196, 118, 170, 26, IDC_MENU_BUTTON);
        m_hLastCommand = AddLabel("Нажмите кнопку на любой панели.", 380, 124, 380);

        AddGroup("Меню цветов", 8, 162, 380, 140);
        AddControl("BUTTON", "Цвет текста…", WS_TABSTOP | BS_PUSHBUTTON, 18, 186, 150, 26, IDC_COLOR_BUTTON);
        m_hColorName = AddLabel("", 180, 192, 200);
        m_hSample = AddLabel("Итого к оплате: 48 250,00 руб.", 18, 228, 360, 24);
        m_hSampleFont = CreateFontA(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
        SendMessageA(m_hSample, WM_SETFONT, reinterpret_cast<WPARAM>(m_hSampleFont), FALSE);
        ApplyColor(ID_COLOR_BLACK + 4);
        AddLabel("Образцы рисует само меню, названия — из строк extkit.dll.", 18, 266, 360);
        m_menuOwner.CreateEx(0, NULL, "", WS_CHILD, CRect(0, 0, 0, 0), pPage, 0);

        AddGroup("Значки из файлов .ico", 396, 162, 376, 140);
        LoadIcons();

        AddGroup("Горячие клавиши: таблица сохранена и загружена обратно", 8, 308, 440, 196);
        m_hHotKeys = AddReportList(18, 330, 420, 140, IDC_HOTKEYS);
        AddColumn(m_hHotKeys, 0, "Клавиши", 130);
        AddColumn(m_hHotKeys, 1, "Команда", 190);
        AddColumn(m_hHotKeys, 2, "Код", 70);
        m_hHotKeysNote = AddLabel("", 18, 476, 420);
        FillHotKeys();

        AddGroup("Кнопка-значок", 456, 308, 316, 196);
        m_button.CreateIco(WS_TABSTOP, 0, CRect(470, 334, 518, 382), pPage, IDC_ICON_BUTTON);
        m_button.SetIconMemo();
        AddControl("BUTTON", "Кнопка доступна", WS_TABSTOP | BS_AUTOCHECKBOX, 530, 334, 200, 22, IDC_ICON_ENABLED);
        CheckDlgButton(m_hWnd, IDC_ICON_ENABLED, BST_CHECKED);
        m_hClicks = AddLabel("Заметок к заказу: 0", 530, 362, 230);
        AddLabel("Недоступная кнопка скрывается; нажатая шлёт окну сообщение 0x7FFF.", 470, 398, 290, 40);
    }

    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_BUTTONICO_CLICKED) {
            char szText[64];
            snprintf(szText, sizeof(szText), "Заметок к заказу: %d", ++m_nClicks);
            SetWindowTextA(m_hClicks, szText);
            return 0;
        }
        if (nMsg == WM_COMMAND) {
            // The icon button answers its own click, as a framework parent lets it.
            LRESULT lResult = 0;
            if (lParam != 0 && CWnd::ReflectLastMsg(reinterpret_cast<HWND>(lParam), nMsg, wParam, lParam, &lResult))
                return lResult;
            switch (LOWORD(wParam)) {
            case IDC_CUSTOMIZE:
                Customize();
                return 0;
            case IDC_MENU_BUTTON:
                ShowProgramMenu();
                return 0;
            case IDC_COLOR_BUTTON:
                ChooseColor();
                return 0;
            case IDC_ICON_ENABLED:
                m_button.EnableWindow(IsDlgButtonChecked(m_hWnd, IDC_ICON_ENABLED) == BST_CHECKED);
                return 0;
            default:
                ShowCommand(LOWORD(wParam));
                return 0;
            }
        }
        if (nMsg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(m_hWnd, &ps);
            FillRect(hdc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
            for (size_t i = 0; i < m_icons.size(); ++i) {
                const CIconPlace& place = m_iconPlaces[i];
                DrawIconEx(hdc, place.m_x, place.m_y, m_icons[i], place.m_nSize, place.m_nSize, 0, NULL, DI_NORMAL);
            }
            EndPaint(m_hWnd, &ps);
            return 0;
        }
        if (nMsg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == m_hSample) {
            LRESULT lBrush = CGalleryPage::OnMessage(nMsg, wParam, lParam);
            SetTextColor(reinterpret_cast<HDC>(wParam), m_crSample);
            return lBrush;
        }
        return CGalleryPage::OnMessage(nMsg, wParam, lParam);
    }

private:
    void CreateToolBar(CToolBarTrueColor& toolbar, CWnd* pPage, int x, int y, int cx)
    {
        toolbar.CreateEx(pPage, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS);
        toolbar.MoveWindow(x, y, cx, 28);
    }

    // The program's menu, each command with its picture from the strip the
    // build drew (in the order of the commands' numbers).
    void LoadMenuWithPictures()
    {
        m_menu.LoadMenu(IDR_GALLERY_MENU);
        CBitmap strip;
        strip.LoadBitmap(IDR_GALLERY_MINE);
        CClientDC dcScreen(NULL);
        CDC dcStrip, dcPicture;
        dcStrip.CreateCompatibleDC(&dcScreen);
        dcPicture.CreateCompatibleDC(&dcScreen);
        CBitmap* pOldStrip = dcStrip.SelectObject(&strip);
        for (UINT nID = ID_DOC_NEW; nID <= ID_DOC_EXIT; ++nID) {
            auto pPicture = std::make_unique<CBitmap>();
            pPicture->CreateCompatibleBitmap(&dcScreen, 16, 16);
            CBitmap* pOld = dcPicture.SelectObject(pPicture.get());
            dcPicture.BitBlt(0, 0, 16, 16, &dcStrip, 16 * static_cast<int>(nID - ID_DOC_NEW), 0, SRCCOPY);
            dcPicture.SelectObject(pOld);
            UINT nPos = 0;
            if (CMenu* pMenu = FindMenu(&m_menu, nID, &nPos))
                pMenu->SetMenuItemBitmaps(nPos, MF_BYPOSITION, pPicture.get(), pPicture.get());
            m_pictures.push_back(std::move(pPicture));
        }
        dcStrip.SelectObject(pOldStrip);
    }

    // The command's menu text, without its shortcut and ampersand.
    CString CommandName(UINT nID)
    {
        UINT nPos = 0;
        CString strName;
        if (CMenu* pMenu = FindMenu(&m_menu, nID, &nPos))
            pMenu->GetMenuString(nPos, strName, MF_BYPOSITION);
        CCustomizeMenuTreeDlg::ConvertString(strName);
        return strName;
    }

    void ShowCommand(UINT nID)
    {
        const CString strName = CommandName(nID);
        if (!strName.IsEmpty())
            SetWindowTextA(m_hLastCommand, "Команда: " + strName);
    }

    void Customize()
    {
        CCustomizeMenuTreeDlg dlg(CWnd::FromHandle(m_hWnd), m_menu, m_chosen, 0);
        if (dlg.DoModal() == IDOK)
            CCustomizeMenuTreeDlg::BuildToolbar(m_menu, &m_chosen, m_mine, 0, false);
    }

    // The menu as a pop-up: a deep copy of the menu resource's items.
    void ShowProgramMenu()
    {
        CMenu popup;
        popup.CreatePopupMenu();
        InsertMenuA(&popup, &m_menu, 0);
        RECT rc;
        GetWindowRect(GetDlgItem(m_hWnd, IDC_MENU_BUTTON), &rc);
        const UINT nID = popup.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, rc.left, rc.bottom, &m_menuOwner);
        ShowCommand(nID);
    }

    void ChooseColor()
    {
        RECT rc;
        GetWindowRect(GetDlgItem(m_hWnd, IDC_COLOR_BUTTON), &rc);
        const UINT nID = m_colorMenu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, rc.left, rc.bottom, &m_menuOwner);
        if (nID != 0)
            ApplyColor(nID);
    }

    void ApplyColor(UINT nID)
    {
        m_crSample = CColorMenu::GetColor(nID);
        CString strName;
        {
            CSetResourceHandle resource(GetExtkitInstance());
            strName.LoadString(nID);
        }
        strName.TrimRight();
        char szText[96];
        snprintf(szText, sizeof(szText), "Выбран: %s (%d, %d, %d)", static_cast<LPCSTR>(strName), GetRValue(m_crSample),
                 GetGValue(m_crSample), GetBValue(m_crSample));
        SetWindowTextA(m_hColorName, szText);
        InvalidateRect(m_hSample, nullptr, TRUE);
    }

    // The sample icon files are written out and read back as a host reads
    // its own: from the file, by LoadBMPFromFile (the image that fits the
    // system icon size best), and from the file's bytes by LoadICOFromArray
    // (its first image).
    void LoadIcons()
    {
        char szDir[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, szDir);
        for (int i = 0; i < c_nIconFiles; ++i) {
            HINSTANCE hInst = GetModuleHandleA(nullptr);
            HRSRC hFound = FindResourceA(hInst, MAKEINTRESOURCEA(IDR_GALLERY_ICON_FIRST + i), RT_RCDATA);
            HGLOBAL hData = hFound != nullptr ? LoadResource(hInst, hFound) : nullptr;
            if (hData == nullptr)
                continue;
            CByteArray data;
            data.SetSize(SizeofResource(hInst, hFound));
            memcpy(data.GetData(), LockResource(hData), static_cast<size_t>(data.GetSize()));
            char szPath[MAX_PATH];
            snprintf(szPath, sizeof(szPath), "%sextkit-gallery-%d.ico", szDir, i);
            CFile file;
            if (file.Open(szPath, CFile::modeCreate | CFile::modeWrite)) {
                file.Write(data.GetData(), static_cast<UINT>(data.GetSize()));
                file.Close();
            }
            CBitmapEx icon;
            HICON hIcon = NULL;
            if (icon.LoadBMPFromFile(szPath))
                hIcon = icon.MakeIcon();
            DeleteFileA(szPath);
            AddIcon(hIcon, 406 + 52 * i, 186, 32, c_apszIconCaptions[i]);
            if (i == 5) {
                // The several-image file's first image, from its bytes.
                AddIcon(LoadICOFromArray(data), 406 + 8, 246, 16, nullptr);
            }
        }
        AddLabel("— первое изображение набора (16 x 16),", 444, 246, 320);
        AddLabel("выше — ближайшее к размеру значка (32 x 32).", 444, 266, 320);
    }

    // The page paints the icons itself (see OnMessage).
    void AddIcon(HICON hIcon, int x, int y, int nSize, const char* pszCaption)
    {
        if (hIcon == NULL)
            return;
        m_icons.push_back(hIcon);
        m_iconPlaces.push_back({x + (48 - nSize) / 2 - 8, y, nSize});
        if (pszCaption != nullptr)
            AddControl("STATIC", pszCaption, SS_CENTER, x - 8, y + 36, 50, 18);
    }

    // The program's hot keys, stored as a host stores them and read back.
    void FillHotKeys()
    {
        CHotKeyArray keys;
        keys.AddKey('N', HOTKEY_CONTROL, ID_DOC_NEW);
        keys.AddKey('O', HOTKEY_CONTROL, ID_DOC_OPEN);
        keys.AddKey('S', HOTKEY_CONTROL, ID_DOC_SAVE);
        keys.AddKey('P', HOTKEY_CONTROL, ID_DOC_PRINT);
        keys.AddKey(VK_F5, 0, ID_DOC_WAYBILL);
        keys.AddKey('F', HOTKEY_CONTROL | HOTKEY_SHIFT, ID_EDIT_FIND_ROW);
        keys.AddKey(VK_F4, HOTKEY_ALT, ID_DOC_EXIT);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            keys.Serialize(ar);
        }
        const ULONGLONG nBytes = file.GetLength();
        file.SeekToBegin();
        CHotKeyArray loaded;
        {
            CArchive ar(&file, CArchive::load);
            loaded.Serialize(ar);
        }
        for (INT_PTR i = 0; i < loaded.GetSize(); ++i) {
            const ACCEL_DW_CMD& entry = loaded[i];
            char szKey[32] = "";
            UINT nScan = MapVirtualKeyA(entry.wKey, MAPVK_VK_TO_VSC);
            GetKeyNameTextA(static_cast<LONG>(nScan << 16), szKey, sizeof(szKey));
            std::string strKeys = std::string(entry.fVirt & HOTKEY_CONTROL ? "Ctrl+" : "") +
                                  (entry.fVirt & HOTKEY_ALT ? "Alt+" : "") +
                                  (entry.fVirt & HOTKEY_SHIFT ? "Shift+" : "") + szKey;
            char szCode[16];
            snprintf(szCode, sizeof(szCode), "%lu", entry.dwCmd);
            SetCell(m_hHotKeys, static_cast<int>(i), 0, strKeys.c_str());
            SetCell(m_hHotKeys, static_cast<int>(i), 1, CommandName(entry.dwCmd));
            SetCell(m_hHotKeys, static_cast<int>(i), 2, szCode);
        }
        char szNote[128];
        snprintf(szNote, sizeof(szNote), "%d записей — %llu байт; Ctrl+Shift+F ищет команду %lu, Ctrl+F — %lu.",
                 static_cast<int>(loaded.GetSize()), nBytes, loaded.FindCommand('F', HOTKEY_CONTROL | HOTKEY_SHIFT),
                 loaded.FindCommand('F', HOTKEY_CONTROL));
        SetWindowTextA(m_hHotKeysNote, szNote);
    }

    // The snapshot steps, run by a timer inside the modal loops.
    static void CALLBACK CustomizeStep(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        HWND hDlg = FindThreadWindow("#32770");
        if (g_pJob == nullptr || hDlg == nullptr || ++g_pJob->m_nTicks < 4)
            return;
        KillTimer(nullptr, nTimer);
        CaptureOver(*g_pJob, hDlg);
        PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    }

    static void CALLBACK ColorMenuStep(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        HWND hPopup = FindThreadWindow("#32768");
        if (g_pJob == nullptr || hPopup == nullptr)
            return;
        // Down to the seventh colour, as the arrow keys go, then the picture.
        if (++g_pJob->m_nTicks == 2) {
            for (int i = 0; i < 7; ++i)
                PostMessageA(hPopup, WM_KEYDOWN, VK_DOWN, 0);
        } else if (g_pJob->m_nTicks == 5) {
            KillTimer(nullptr, nTimer);
            CaptureOver(*g_pJob, hPopup);
            PostMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }

    template <typename TOpen>
    int Snapshot(const std::string& strPath, TIMERPROC pfnStep, TOpen open)
    {
        CSnapshotJob job;
        job.m_strPath = strPath;
        job.m_hMain = GetAncestor(m_hWnd, GA_ROOT);
        g_pJob = &job;
        const UINT_PTR nTimer = SetTimer(nullptr, 0, 60, pfnStep);
        open();
        KillTimer(nullptr, nTimer);
        g_pJob = nullptr;
        if (job.m_bWritten) {
            printf("%s\n", strPath.c_str());
            return 0;
        }
        fprintf(stderr, "gallery: could not write %s\n", strPath.c_str());
        return 1;
    }

    CMenu m_menu;
    std::vector<std::unique_ptr<CBitmap>> m_pictures;
    CStringArray m_chosen;
    CToolBarTrueColor m_standard, m_documents, m_mine;
    CColorMenu m_colorMenu;
    CWnd m_menuOwner;  // a framework window: its default handlers measure and draw the colour menu
    CButtonIco m_button;
    struct CIconPlace {
        int m_x, m_y, m_nSize;
    };
    std::vector<HICON> m_icons;
    std::vector<CIconPlace> m_iconPlaces;
    HWND m_hLastCommand = nullptr, m_hColorName = nullptr, m_hSample = nullptr, m_hHotKeys = nullptr;
    HWND m_hHotKeysNote = nullptr, m_hClicks = nullptr;
    HFONT m_hSampleFont = nullptr;
    COLORREF m_crSample = RGB(0, 0, 0);
    int m_nClicks = 0;
};

}  // namespace

GALLERY_PAGE(70, CMenusPage);
