#include "config_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "application_window.h"
#include "dialog_actions.h"
#include "picture_buttons.h"
#include "presets.h"
#include "resource.h"
#include "settings_file.h"
#include "win32_profile.h"

namespace vireska {

namespace {

// SpinEdit1 to SpinEdit10 and the keys they edit; field k of a preset record
// belongs to SpinEdit<k>.
constexpr SettingId kSpinSetting[10] = {kDelay,      kLinZahl, kEckenZahl, kLinLaenge, kSpinit,
                                        kErase,      kAutoLength, kMsDelay, kZoom,     kContinueAt};

struct Hint { int id; const char* text; };
constexpr Hint kHints[] = {
    {IDC_BUTTON1, "really COOL !"},
    {IDC_BUTTON2, "exits the animated wallpaper, see your desktop icons again"},
    {IDOK, "exit, save changes"},
    {IDCANCEL, "exit, do nothing"},
    {IDC_SPINEDIT1, "0 = fast, >10000 = slow"},
    {IDC_SPINEDIT10, "set some hundreds steps back to recreate the last viewed pattern"},
    {IDC_BITBTN1, "see the preview fullscreen"},
    {IDC_CHECKBOX1, "continues where Vireska last exited"},
    {IDC_BUTTON4, "reads ini-file and updates displayed value"},
    {IDC_BTNDELETE, "Delete current Preset from List"},
    {IDC_BTNSAVE, "Overwrites current Preset !"},
    {IDC_BTNRESTORE, "Restore Factory Presets 1 - 37"},
    {IDC_EDIT1, "Enter a new name for a new preset"},
    {IDC_BTNADD, "Add new Preset to List"},
    {IDC_BUTTON3, "Check for updates and other software"},
};

constexpr const char* kMailAddresses[] = {"vireska@example.org", "author@example.org", "support@example.org"};
constexpr const char* kWebPage = "https://www.example.org/vireska/";

constexpr char kSecondSentence[] =
    "This is the first screen saver, which introduces the Murmura(TM) technology, which enables the screen saver "
    "to run as animated wallpaper at the windows desktop.";

struct Dialog {
    HWND Hwnd = nullptr;
    HWND Caller = nullptr;
    HWND Tooltip = nullptr;
    HBRUSH Strip = nullptr;
    HFONT SmallFont = nullptr, TabFont = nullptr, CourierFont = nullptr;
    std::string ProgramFile;
    std::string IniPath;  // computed by the last load; every handler uses it
    PresetList Presets;
    bool Loaded = false;
};
Dialog TheDialog;

HWND Item(int id) { return GetDlgItem(TheDialog.Hwnd, id); }
int SpinId(int k) { return IDC_SPINEDIT1 + k - 1; }
const SettingKey& SpinKey(int k) { return kSettingKeys[kSpinSetting[k - 1]]; }
bool HasLimits(int k) { return SpinKey(k).Min != SpinKey(k).Max; }

// The top-level error handler: the message with a full stop, the stop icon,
// the application title; the handler that raised it has stopped.
void ShowError(const std::string& message) {
    MessageBoxA(TheDialog.Hwnd, (message + ".").c_str(), ApplicationTitle(TheDialog.ProgramFile).c_str(),
                MB_OK | MB_ICONSTOP);
}

// A field's value: its text as a 32-bit integer, the lower limit when it is none.
int32_t SpinValue(int k) {
    char text[64] = {};
    GetDlgItemTextA(TheDialog.Hwnd, SpinId(k), text, sizeof text);
    const std::string s = text;
    const bool digitsOnly = !s.empty() && s.find_first_not_of("+-0123456789") == std::string::npos;
    const auto v = digitsOnly ? ParseIniInteger(s) : std::nullopt;
    return v.value_or(SpinKey(k).Min);
}

int32_t LimitedToRange(int k, int32_t value) {
    if (!HasLimits(k)) return value;
    if (value < SpinKey(k).Min) return SpinKey(k).Min;
    if (value > SpinKey(k).Max) return SpinKey(k).Max;
    return value;
}

// Every value set is limited to the field's range.
void SetSpin(int k, int32_t value) {
    SetDlgItemTextA(TheDialog.Hwnd, SpinId(k), std::to_string(LimitedToRange(k, value)).c_str());
}

// A spin field and its arrows are enabled and disabled together.
void EnableSpin(int k, bool on) {
    EnableWindow(Item(SpinId(k)), on);
    EnableWindow(Item(IDC_UPDOWN1 + k - 1), on);
}

void UpdateDelayEnabled() { EnableSpin(1, SpinValue(8) == 0); }

void UpdateContinueEnabled() {
    const bool on = IsDlgButtonChecked(TheDialog.Hwnd, IDC_CHECKBOX1) == BST_CHECKED;
    EnableSpin(10, on);
    EnableWindow(Item(IDC_BUTTON4), on);
}

DialogValues ValuesOfControls() {
    DialogValues v;
    const LRESULT sel = SendDlgItemMessageA(TheDialog.Hwnd, IDC_COMBOBOX1, CB_GETCURSEL, 0, 0);
    v.BoxIndex = sel == CB_ERR ? -1 : static_cast<int32_t>(sel);
    v.Delay = SpinValue(1), v.LinZahl = SpinValue(2), v.EckenZahl = SpinValue(3), v.LinLaenge = SpinValue(4);
    v.Spinit = SpinValue(5), v.Erase = SpinValue(6), v.AutoLength = SpinValue(7), v.msDelay = SpinValue(8);
    v.Zoom = SpinValue(9), v.continueat = SpinValue(10);
    v.Continue = IsDlgButtonChecked(TheDialog.Hwnd, IDC_CHECKBOX1) == BST_CHECKED;
    return v;
}

PresetValues PresetFields() {
    PresetValues values{};
    for (int k = 1; k <= kPresetFields; ++k) values[static_cast<size_t>(k - 1)] = SpinValue(k);
    return values;
}

// Runs `use` with the settings file opened for this routine alone: no other
// process of the program reads or writes it meanwhile. Errors are shown by
// the caller once the file is free again.
template <typename Use>
auto WithSettingsFile(Use use) {
    SettingsFileLock lock;
    SettingsProfile profile;
    return use(static_cast<Profile&>(profile));
}

// Confirming takes each field as the focus leaving it would: limited to its
// range, so what is stored is what the field shows and what the next load
// accepts, however the confirmation came (Enter, a click, a key).
void CommitFields() {
    for (int k = 1; k <= 10; ++k) {
        char text[64] = {};
        GetDlgItemTextA(TheDialog.Hwnd, SpinId(k), text, sizeof text);
        const int32_t value = LimitedToRange(k, SpinValue(k));
        if (std::to_string(value) != text) SetSpin(k, value);
    }
}

bool WriteSettings() {
    CommitFields();
    const auto error = WithSettingsFile([](Profile& p) { return WriteIniSet(p, TheDialog.IniPath, ValuesOfControls()); });
    if (error) {
        ShowError(*error);
        return false;
    }
    return true;
}

constexpr int kPageCount = 2;

void ShowPage(int page) {
    for (int id = IDC_SPINEDIT1; id <= IDC_BTNADD; ++id)
        if (HWND w = Item(id)) ShowWindow(w, page == 0 ? SW_SHOW : SW_HIDE);
    for (int id = IDC_BTNEMAIL; id <= IDC_COMBOBOX3; ++id)
        if (HWND w = Item(id)) ShowWindow(w, page == 1 ? SW_SHOW : SW_HIDE);
    TabCtrl_SetCurSel(Item(IDC_NOTEBOOK), page);
}

// A page chosen from the keyboard: shown, with the focus on its tab, as a click on the tab does.
void SelectPage(int page) {
    ShowPage(page);
    SendMessageA(TheDialog.Hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_NOTEBOOK)), TRUE);
}

// The notebook's keys, which the dialog manager does not know: Alt and the
// underlined letter of a tab shows that page; Ctrl+Tab and Ctrl+Shift+Tab
// show the next and the previous page. True when the message was one of them.
bool NotebookKey(const MSG& msg) {
    if (msg.message == WM_SYSCHAR) {
        const char letter = static_cast<char>(msg.wParam);
        const int page = (letter == 'S' || letter == 's') ? 0 : (letter == 'A' || letter == 'a') ? 1 : -1;
        if (page < 0) return false;
        SelectPage(page);
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        const int step = GetKeyState(VK_SHIFT) < 0 ? kPageCount - 1 : 1;
        SelectPage((TabCtrl_GetCurSel(Item(IDC_NOTEBOOK)) + step) % kPageCount);
        return true;
    }
    return false;
}

void FillPresetBox() {
    SendDlgItemMessageA(TheDialog.Hwnd, IDC_COMBOBOX1, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : TheDialog.Presets.Entries())
        SendDlgItemMessageA(TheDialog.Hwnd, IDC_COMBOBOX1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const auto sel = TheDialog.Presets.Selected();
    SendDlgItemMessageA(TheDialog.Hwnd, IDC_COMBOBOX1, CB_SETCURSEL, sel ? *sel : -1, 0);
}

// The file's part of the load: fields, the check box, the factory presets of
// a file not yet brought to this version, the checksum, the preset list.
// Returns the error of writing the factory presets.
std::optional<std::string> LoadFromFile(Profile& profile) {
    Dialog& d = TheDialog;
    std::optional<std::string> error;
    auto read = [&](SettingId id) { return ReadInteger(profile, d.IniPath, kSettingsSection, kSettingKeys[id].Name, kSettingKeys[id].Default); };
    for (int k = 1; k <= 10; ++k) SetSpin(k, read(kSpinSetting[k - 1]));
    UpdateDelayEnabled();
    CheckDlgButton(d.Hwnd, IDC_CHECKBOX1, read(kContinue) == 1 ? BST_CHECKED : BST_UNCHECKED);
    UpdateContinueEnabled();
    const int32_t indikator = read(kIndikator);
    if (ReadInteger(profile, d.IniPath, kRegistrationSection, kVersionKey, kVersionDefault) < 330) {
        error = PrepareNewIni(profile, d.IniPath);
    }
    if (GeometryChecksum(SpinValue(2), SpinValue(3), SpinValue(4), SpinValue(5), SpinValue(6), SpinValue(7)) != indikator) {
        const int32_t geometry[] = {200, 7, 25, 2, 1, 1};
        for (int k = 2; k <= 7; ++k) SetSpin(k, geometry[k - 2]);
    }
    d.Presets.Load(profile, d.IniPath);
    d.Presets.Select(read(kBoxIndex));
    FillPresetBox();
    return error;
}

// Loads every control from the settings file.
void FormActivate() {
    Dialog& d = TheDialog;
    d.IniPath = SettingsPath(WindowsDirectory(), d.ProgramFile, ".ini");
    if (const auto error = WithSettingsFile(LoadFromFile)) ShowError(*error);
    SendDlgItemMessageA(d.Hwnd, IDC_COMBOBOX2, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(d.Hwnd, IDC_COMBOBOX3, CB_SETCURSEL, 0, 0);
    ShowPage(0);
    BringWindowToTop(d.Hwnd);
    SetForegroundWindow(d.Hwnd);
    if (d.Caller) EnableWindow(d.Caller, FALSE);
}

void CloseDialog() {
    if (TheDialog.Caller) {
        EnableWindow(TheDialog.Caller, TRUE);
        SetForegroundWindow(TheDialog.Caller);
    }
    DestroyWindow(TheDialog.Hwnd);
}

void PickPreset() {
    const LRESULT sel = SendDlgItemMessageA(TheDialog.Hwnd, IDC_COMBOBOX1, CB_GETCURSEL, 0, 0);
    TheDialog.Presets.Select(sel == CB_ERR ? std::nullopt : std::optional<int>(static_cast<int>(sel)));
    if (sel == CB_ERR) return;
    const PresetPick pick = ParsePresetRecord(TheDialog.Presets.Record(static_cast<int>(sel)));
    for (const auto& [k, value] : pick.Fields) SetSpin(k, value);
    UpdateDelayEnabled();
    if (pick.Error) ShowError(*pick.Error);
}

void PresetResult(const std::optional<std::string>& error) {
    FillPresetBox();
    if (error) ShowError(*error);
}

void OpenLink(const char* key, const std::string& target) {
    const LinkCommand link = BuildLinkCommand(key, target);
    if (link.Error) {
        ShowError(*link.Error);
        return;
    }
    WinExec(link.CommandLine.c_str(), SW_SHOW);
}

std::string SelectedText(int id) {
    const LRESULT sel = SendDlgItemMessageA(TheDialog.Hwnd, id, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR) return std::string();
    char text[256] = {};
    SendDlgItemMessageA(TheDialog.Hwnd, id, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
    return text;
}

void OnCommand(int id, int code) {
    Dialog& d = TheDialog;
    switch (id) {
    case IDOK:
        if (WriteSettings()) CloseDialog();
        break;
    case IDCANCEL:
        CloseDialog();
        break;
    case IDC_HELPBTN:
        if (TabCtrl_GetCurSel(Item(IDC_NOTEBOOK)) == 1)
            MessageBoxA(d.Hwnd, (std::string("You can contact the author by e-mail, or check the web-page for updates.\r\r") + kSecondSentence).c_str(), "Vireska Author", MB_OK | MB_ICONINFORMATION);
        else
            MessageBoxA(d.Hwnd, (std::string("Here you can adjust the speed and geometrical parameters as you like it. \r\r") + kSecondSentence).c_str(), "Vireska Settings", MB_OK | MB_ICONINFORMATION);
        break;
    case IDC_BITBTN1:
        if (WriteSettings()) StartExecutableCopy(d.ProgramFile, "/s");
        break;
    case IDC_BUTTON1:
        if (!WriteSettings()) break;
        TerminateWallpaper();
        StartExecutableCopy(d.ProgramFile, "-r");
        CloseDialog();
        break;
    case IDC_BUTTON2:
        TerminateWallpaper();
        break;
    case IDC_BUTTON4:
        SetSpin(10, WithSettingsFile([&](Profile& profile) {
                    return ReadInteger(profile, d.IniPath, kSettingsSection, kSettingKeys[kContinueAt].Name, 0);
                }));
        break;
    case IDC_CHECKBOX1:
        if (code == BN_CLICKED) UpdateContinueEnabled();
        break;
    case IDC_COMBOBOX1:
        if (code == CBN_SELCHANGE) PickPreset();
        break;
    case IDC_BTNADD: {
        char name[64] = {};
        GetDlgItemTextA(d.Hwnd, IDC_EDIT1, name, sizeof name);
        if (!name[0]) break;
        SetDlgItemTextA(d.Hwnd, IDC_EDIT1, "");
        CommitFields();
        PresetResult(WithSettingsFile([&](Profile& p) { return d.Presets.Add(p, d.IniPath, name, PresetFields()); }));
        break;
    }
    case IDC_BTNSAVE:
        CommitFields();
        PresetResult(WithSettingsFile([&](Profile& p) { return d.Presets.Save(p, d.IniPath, PresetFields()); }));
        break;
    case IDC_BTNDELETE:
        PresetResult(WithSettingsFile([&](Profile& p) { return d.Presets.Delete(p, d.IniPath); }));
        break;
    case IDC_BTNRESTORE:
        if (const auto error = WithSettingsFile([&](Profile& p) { return PrepareNewIni(p, d.IniPath); })) {
            ShowError(*error);
            break;
        }
        d.Presets.Clear();
        FormActivate();
        break;
    case IDC_EDIT1:
        if (code == EN_CHANGE) EnableWindow(Item(IDC_BTNADD), GetWindowTextLengthA(Item(IDC_EDIT1)) > 0);
        break;
    case IDC_BTNEMAIL:
        OpenLink("mailto\\shell\\open\\command", "mailto:" + SelectedText(IDC_COMBOBOX2));
        break;
    case IDC_BUTTON3:
        OpenLink("HtmlDefBrowser\\shell\\open\\command", SelectedText(IDC_COMBOBOX3));
        break;
    default:
        if (id == SpinId(8) && code == EN_CHANGE) UpdateDelayEnabled();
        // Leaving a field after typing limits its value.
        if (id >= SpinId(1) && id <= SpinId(10) && code == EN_KILLFOCUS) SetSpin(id - IDC_SPINEDIT1 + 1, SpinValue(id - IDC_SPINEDIT1 + 1));
        break;
    }
}

// One step of field k's arrows, up (+1) or down (-1).
void StepSpin(int k, int direction) {
    const int64_t next = static_cast<int64_t>(SpinValue(k)) + static_cast<int64_t>(direction) * SpinKey(k).Step;
    SetSpin(k, static_cast<int32_t>(next < INT32_MIN ? INT32_MIN : next > INT32_MAX ? INT32_MAX : next));
}

// The arrow buttons step at once, then again after 400 ms and every 100 ms
// while the button is held.
constexpr UINT_PTR kRepeatTimer = 1;
LRESULT CALLBACK ArrowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR field) {
    const int k = static_cast<int>(field);
    static int direction = 0;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        direction = GET_Y_LPARAM(lp) < (rc.bottom - rc.top) / 2 ? 1 : -1;
        SetFocus(Item(SpinId(k)));
        SetCapture(hwnd);
        StepSpin(k, direction);
        SetTimer(hwnd, kRepeatTimer, 400, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (wp != kRepeatTimer) break;
        StepSpin(k, direction);
        SetTimer(hwnd, kRepeatTimer, 100, nullptr);
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        KillTimer(hwnd, kRepeatTimer);
        if (msg == WM_LBUTTONUP && GetCapture() == hwnd) ReleaseCapture();
        return 0;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// Only "+", "-", digits and the decimal separator can be typed into a spin
// field, and no comma into a preset name (it would end the name).
LRESULT CALLBACK FilterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR isSpin) {
    if (msg == WM_CHAR && wp >= ' ') {
        char separator[4] = {'.', 0};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
        const char c = static_cast<char>(wp);
        const bool allowed = isSpin ? (c == '+' || c == '-' || (c >= '0' && c <= '9') || c == separator[0]) : c != ',';
        if (!allowed) {
            MessageBeep(MB_OK);
            return 0;
        }
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// A font whose character cells are `pixels` high at 96 dpi, scaled to the
// screen's resolution. Where the face has no such size (the bitmap fonts "MS
// Sans Serif" and "Courier" start at 13 pixels), a scalable face of the same
// kind takes its place.
HFONT PixelFont(int pixels, const char* face, const char* scalableFace) {
    HDC screen = GetDC(nullptr);
    const int height = MulDiv(pixels, GetDeviceCaps(screen, LOGPIXELSY), 96);
    auto create = [&](const char* name) {
        return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
    };
    HFONT font = create(face);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    if (metrics.tmHeight == height) return font;
    DeleteObject(font);
    return create(scalableFace);
}

// Paints the notebook beneath a page control into the control's DC, so that
// a control with a transparent background shows the page as the notebook
// draws it, in any visual style.
void PaintNotebookBeneath(HWND control, HDC dc) {
    POINT origin{0, 0};
    MapWindowPoints(Item(IDC_NOTEBOOK), control, &origin, 1);
    POINT before;
    OffsetViewportOrgEx(dc, origin.x, origin.y, &before);
    SendMessageA(Item(IDC_NOTEBOOK), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

void InitControls(HWND hwnd) {
    Dialog& d = TheDialog;
    d.Hwnd = hwnd;
    d.Strip = CreateSolidBrush(8422144);
    // The notebook lies under the page's controls, so its painting never covers them.
    SetWindowPos(Item(IDC_NOTEBOOK), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("&Settings");
    TabCtrl_InsertItem(Item(IDC_NOTEBOOK), 0, &tab);
    tab.pszText = const_cast<char*>("&Aboutbox");
    TabCtrl_InsertItem(Item(IDC_NOTEBOOK), 1, &tab);
    for (int k = 1; k <= 10; ++k) {
        SendDlgItemMessageA(hwnd, IDC_UPDOWN1 + k - 1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(SpinId(k))), 0);
        SendDlgItemMessageA(hwnd, IDC_UPDOWN1 + k - 1, UDM_SETRANGE32, 0, 0x7FFFFFFF);  // the field itself keeps the value
        SetWindowSubclass(Item(SpinId(k)), FilterProc, 1, 1);
        SetWindowSubclass(Item(IDC_UPDOWN1 + k - 1), ArrowProc, 2, static_cast<DWORD_PTR>(k));
        // The arrows sit on the field's right edge and overlap it.
        SetWindowPos(Item(IDC_UPDOWN1 + k - 1), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    SendDlgItemMessageA(hwnd, IDC_EDIT1, EM_LIMITTEXT, 32, 0);
    // The preset list's rows are 16 pixels high at 96 dpi.
    HDC screen = GetDC(nullptr);
    const int rowHeight = MulDiv(16, GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    COMBOBOXINFO box{};
    box.cbSize = sizeof box;
    if (GetComboBoxInfo(Item(IDC_COMBOBOX1), &box)) SendMessageA(box.hwndList, LB_SETITEMHEIGHT, 0, rowHeight);
    SetWindowSubclass(Item(IDC_EDIT1), FilterProc, 1, 0);
    MakePictureButton(Item(IDOK), IDB_OK, PictureLayout::Centred, true);
    MakePictureButton(Item(IDCANCEL), IDB_CANCEL, PictureLayout::Centred, false);
    MakePictureButton(Item(IDC_HELPBTN), IDB_HELP, PictureLayout::Centred, false);
    MakePictureButton(Item(IDC_BITBTN1), IDB_TEST, PictureLayout::AtMargin, false);
    // Character cells 11 pixels high on the strip's controls, "update" and the web page;
    // 12 on the tabs; the mail addresses in Courier 13 (pixels at 96 dpi).
    d.SmallFont = PixelFont(11, "MS Sans Serif", "Tahoma");
    d.TabFont = PixelFont(12, "MS Sans Serif", "Tahoma");
    d.CourierFont = PixelFont(13, "Courier", "Courier New");
    for (int id : {IDC_LABEL15, IDC_BUTTON1, IDC_BUTTON2, IDC_BUTTON4, IDC_COMBOBOX3})
        SendDlgItemMessageA(hwnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(d.SmallFont), FALSE);
    SendDlgItemMessageA(hwnd, IDC_NOTEBOOK, WM_SETFONT, reinterpret_cast<WPARAM>(d.TabFont), FALSE);
    SendDlgItemMessageA(hwnd, IDC_COMBOBOX2, WM_SETFONT, reinterpret_cast<WPARAM>(d.CourierFont), FALSE);
    for (const char* address : kMailAddresses)
        SendDlgItemMessageA(hwnd, IDC_COMBOBOX2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(address));
    SendDlgItemMessageA(hwnd, IDC_COMBOBOX3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kWebPage));

    d.Tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    for (const Hint& h : kHints) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = hwnd;
        ti.uId = reinterpret_cast<UINT_PTR>(Item(h.id));
        ti.lpszText = const_cast<char*>(h.text);
        SendMessageA(d.Tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        InitControls(hwnd);
        // The notebook comes first in the tab order; it lies under every other
        // control, so the focus starts there explicitly.
        SetFocus(Item(IDC_NOTEBOOK));
        return FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return TRUE;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->idFrom == IDC_NOTEBOOK && hdr->code == TCN_SELCHANGE) ShowPage(TabCtrl_GetCurSel(hdr->hwndFrom));
        if (hdr->code == UDN_DELTAPOS && hdr->idFrom >= IDC_UPDOWN1 && hdr->idFrom < IDC_UPDOWN1 + 10) {
            // The Up and Down keys in the field.
            const int k = static_cast<int>(hdr->idFrom - IDC_UPDOWN1) + 1;
            StepSpin(k, reinterpret_cast<const NMUPDOWN*>(lp)->iDelta > 0 ? 1 : -1);
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);  // the field keeps the value, not the arrows
            return TRUE;
        }
        return FALSE;
    }
    case WM_DRAWITEM: {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (DrawPictureButton(*di)) return TRUE;
        if (di->CtlID != IDC_SHAPE1) return FALSE;
        FillRect(di->hDC, &di->rcItem, TheDialog.Strip);
        FrameRect(di->hDC, &di->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == Item(IDC_LABEL15)) {
            SetTextColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(TheDialog.Strip);
        }
        if (const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
            (id >= IDC_LABEL1 && id <= IDC_LABEL8) || id == IDC_CHECKBOX1) {
            // The page's labels and the check box show the page beneath them.
            PaintNotebookBeneath(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp));
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        }
        return FALSE;
    case WM_CLOSE:
        CloseDialog();
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void RunSettingsDialog(HWND applicationWindow, HWND callerWindow) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    Dialog& d = TheDialog;
    d.Caller = callerWindow;
    d.ProgramFile = ProgramFilePath();
    // Owned either way, so the dialog has no taskbar button of its own.
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS),
                                   callerWindow ? callerWindow : applicationWindow, DialogProc, 0);
    if (!hwnd) return;
    SetMainForm(applicationWindow, hwnd);
    if (d.Caller) EnableWindow(d.Caller, FALSE);
    ShowWindow(hwnd, SW_SHOW);
    FormActivate();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if ((msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd)) && NotebookKey(msg)) continue;
        if (!IsDialogMessageA(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(d.Strip), static_cast<HGDIOBJ>(d.SmallFont),
                           static_cast<HGDIOBJ>(d.TabFont), static_cast<HGDIOBJ>(d.CourierFont)})
        if (object) DeleteObject(object);
}

}  // namespace vireska
