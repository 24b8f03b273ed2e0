#include "win32/config/FrmConfig.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/config/AddMovieFilter.h"
#include "core/config/FrmConfigLayout.h"
#include "core/trialplay/TrialWindow.h"
#include "platform/win32/WideText.h"
#include "win32/OwnedWindow.h"
#include "win32/Resources.h"
#include "win32/trialplay/TrialWindowSlot.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevuroFrmConfig";
constexpr const char* kConfigTitle = "DavodoR2.03设置";
constexpr const char* kDeleteCaption = "删除";

using Layout = FrmConfigLayout;

// cmdOK and cmdCancel carry the numbers the dialog manager gives Enter and Esc.
enum ControlId : int {
    kCmdOK = IDOK,
    kCmdCancel = IDCANCEL,
    kCmdHelp = 1001,
    kCmdAbout,
    kLstFiles,
    kCmdAdd,
    kCmdClear,
    kCmdPlay,
    kChkA,
    kChkRandom,
    kFrame1,
    kFrame2,
    kMnuDelete,
};

// The open-file dialog's name buffer, in characters: room for tens of thousands of names. Should
// a selection still not fit, the buffer grows and the dialog opens again.
constexpr DWORD kFirstNameBuffer = 1 << 20;
constexpr DWORD kLargestNameBuffer = 1 << 26;
// Room right of the widest row, so its last character is not cut by the list's edge.
constexpr int kRowMargin = 4;

std::wstring Wide(const std::string& text) {
    Result<std::wstring> wide = WideText(text);
    return wide ? std::move(wide).value() : std::wstring(1, L'\uFFFD');
}

bool RegisterOnce(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    SetProgramIcon(windowClass);
    windowClass.lpszClassName = kClassName;
    return RegisterWindowClass(windowClass);
}

GdiObject SongFont(double points, int dpiY) {
    const int height = -static_cast<int>(std::lround(points * dpiY / 72.0));
    return GdiObject(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 Layout::kFontCharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 Wide(Layout::kFontFace).c_str()));
}

GdiObject Brush(std::uint32_t bgr) {
    // COLORREF is 0x00BBGGRR as well.
    return GdiObject(CreateSolidBrush(static_cast<COLORREF>(bgr)));
}

// The open-file dialog's answer as the text the splitting routine reads (one full path, or the
// folder followed by NUL + name for each file) and the folder the names lie in.
struct Selection {
    std::wstring text;
    std::wstring folder;
};

Selection SelectionOf(const std::vector<wchar_t>& names, WORD fileOffset) {
    const std::wstring first(names.data());
    if (fileOffset > first.size()) {
        // Several files: the folder, then each name after its NUL, up to the empty name.
        Selection selection{first, first};
        for (const wchar_t* name = names.data() + first.size() + 1; *name != L'\0';) {
            const std::wstring one(name);
            selection.text.push_back(L'\0');
            selection.text += one;
            name += one.size() + 1;
        }
        return selection;
    }
    // One file: its folder keeps the separator only at a drive's root ("C:\").
    std::wstring folder = first.substr(0, fileOffset);
    if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':')
        folder.pop_back();
    return {first, folder};
}

}  // namespace

std::unique_ptr<FrmConfig> FrmConfig::Create(HWND owner, const PlaylistPlaces& places,
                                             SettingsStore& settings, const PlaylistFile& playlists,
                                             TrialWindowSlot& trial,
                                             std::function<void()> showAbout,
                                             std::function<void()> closed) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterOnce(&WindowProcOf<FrmConfig, &FrmConfig::window_, &FrmConfig::Handle>))
        return nullptr;
    std::unique_ptr<FrmConfig> form(
        new FrmConfig(places, settings, playlists, trial, std::move(showAbout), std::move(closed)));

    // Without WS_CLIPCHILDREN: the frames are group boxes, which leave their inside to the form.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, form->twips_.X(Layout::kClientWidth), form->twips_.Y(Layout::kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    // In the middle of the work area of the owner's monitor, or of the primary one.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                     : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT& work = monitor.rcWork;
    const int left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    const int top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);

    CreateWindowExW(0, kClassName, Wide(kConfigTitle).c_str(), kStyle, left, top, width, height,
                    owner, nullptr, instance, form.get());
    if (form->window_ == nullptr || !form->BuildControls()) return nullptr;
    return form;
}

FrmConfig::FrmConfig(const PlaylistPlaces& places, SettingsStore& settings,
                     const PlaylistFile& playlists, TrialWindowSlot& trial,
                     std::function<void()> showAbout, std::function<void()> closed)
    : trial_(trial),
      showAbout_(std::move(showAbout)),
      closed_(std::move(closed)),
      logic_(places, settings, playlists, *this) {}

FrmConfig::~FrmConfig() {
    if (window_ == nullptr) return;
    if (!unloaded_) logic_.Form_Unload();
    ReleaseWindow(window_);
    DestroyWindow(window_);
}

bool FrmConfig::BuildControls() {
    defaultFont_ = SongFont(Layout::kDefaultPoints, twips_.dpiY());
    frame1Font_ = SongFont(Layout::kFrame1Points, twips_.dpiY());
    listFont_ = SongFont(Layout::kListPoints, twips_.dpiY());
    frame2Font_ = SongFont(Layout::kFrame2Points, twips_.dpiY());
    formBrush_ = Brush(Layout::kFormBack);
    frame1Brush_ = Brush(Layout::kFrame1Back);
    listBrush_ = Brush(Layout::kListBack);
    frame2Brush_ = Brush(Layout::kFrame2Back);

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // `in` is the container's place in the form: the controls are all the form's windows.
    const auto make = [&](const wchar_t* kind, const char* caption, const TwipsBox& box,
                          const TwipsBox& in, DWORD style, int id, HFONT font, DWORD exStyle = 0) {
        const int left = in.left + box.left;
        const int top = in.top + box.top;
        const HWND control = CreateWindowExW(
            exStyle, kind, Wide(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
            twips_.X(left), twips_.Y(top), twips_.X(box.width), twips_.Y(box.height), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (control != nullptr)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        return control;
    };
    constexpr TwipsBox form{0, 0, 0, 0};
    constexpr DWORD kButton = WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
    constexpr DWORD kCheckBox = WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
    const HFONT font = defaultFont_.font();

    // Made in tab order.
    Frame1_ =
        make(L"BUTTON", "电影文件", Layout::Frame1, form, BS_GROUPBOX, kFrame1, frame1Font_.font());
    cmdOK_ = make(L"BUTTON", "确定(Enter)", Layout::cmdOK, form,
                  WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kCmdOK, font);
    cmdCancel_ = make(L"BUTTON", "取消(ESC)", Layout::cmdCancel, form, kButton, kCmdCancel, font);
    cmdhelp_ = make(L"BUTTON", "帮助(&H)", Layout::cmdhelp, form, kButton, kCmdHelp, font);
    cmdAbout_ = make(L"BUTTON", "关于(&B)", Layout::cmdAbout, form, kButton, kCmdAbout, font);
    lstFiles_ = make(L"LISTBOX", "", Layout::lstFiles, form,
                     WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                         LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                     kLstFiles, listFont_.font(), WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES);
    cmdAdd_ = make(L"BUTTON", "添加电影(&A)", Layout::cmdAdd, form, kButton, kCmdAdd, font);
    cmdClear_ =
        make(L"BUTTON", "全部清除(&C)", Layout::cmdClear, Layout::Frame1, kButton, kCmdClear, font);
    CmdPlay_ =
        make(L"BUTTON", "全部播放(&P)", Layout::CmdPlay, Layout::Frame1, kButton, kCmdPlay, font);
    Frame2_ =
        make(L"BUTTON", "选项设置", Layout::Frame2, form, BS_GROUPBOX, kFrame2, frame2Font_.font());
    chkA_ =
        make(L"BUTTON", "循环播放电影文件", Layout::chkA, Layout::Frame2, kCheckBox, kChkA, font);
    chkRandom_ = make(L"BUTTON", "随机播放电影文件", Layout::chkRandom, Layout::Frame2, kCheckBox,
                      kChkRandom, font);
    const HWND tabOrder[] = {cmdOK_,    cmdCancel_, cmdhelp_, cmdAbout_,  lstFiles_, cmdAdd_,
                             cmdClear_, CmdPlay_,   chkA_,    chkRandom_, Frame1_,   Frame2_};
    for (const HWND control : tabOrder) {
        if (control == nullptr) return false;
    }
    // The dialog manager tabs in the windows' stacking order; the frames go beneath everything
    // they hold, so they never paint over it.
    for (const HWND control : tabOrder)
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(chkA_, BM_SETCHECK, BST_CHECKED, 0);

    // Files dropped from the shell arrive at the list itself.
    SetWindowLongPtrW(lstFiles_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listDefault_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        lstFiles_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrmConfig::ListProc)));
    DragAcceptFiles(lstFiles_, TRUE);
    return true;
}

void FrmConfig::Load() { logic_.Form_Load(); }

void FrmConfig::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(cmdOK_);
}

bool FrmConfig::PreTranslateMessage(MSG& message) {
    return window_ != nullptr && IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK FrmConfig::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<FrmConfig*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(list, message, wParam, lParam);
    switch (message) {
        case WM_DROPFILES:
            form->lstFiles_DropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_DELETE) {
                form->logic_.mnuDelete_Click(form->CurrentRow(), form->SelectedRowCount());
                return 0;
            }
            break;
        default:
            break;
    }
    return CallWindowProcW(form->listDefault_, list, message, wParam, lParam);
}

LRESULT FrmConfig::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(kCmdOK, DC_HASDEFID);
        case WM_ERASEBKGND:
            PaintFrames(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            return Colours(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == lstFiles_) {
                lstFiles_ContextMenu(lParam);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            // Back from a message box or another window, the focus is where it was.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
            } else {
                SetFocus(lastFocus_ != nullptr ? lastFocus_ : cmdOK_);
            }
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_NCDESTROY: {
            const HWND window = std::exchange(window_, nullptr);
            ReleaseWindow(window);
            const std::function<void()> closed = std::move(closed_);
            if (closed) closed();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void FrmConfig::Command(int id, int notification) {
    switch (id) {
        case kCmdOK:
            logic_.cmdOK_Click();
            break;
        case kCmdCancel:
            logic_.cmdCancel_Click();
            break;
        case kCmdHelp:
            logic_.cmdhelp_Click();
            break;
        case kCmdAbout:
            showAbout_();
            break;
        case kCmdAdd:
            cmdAdd_Click();
            break;
        case kCmdClear:
            logic_.cmdClear_Click();
            break;
        case kCmdPlay:
            logic_.CmdPlay_Click();
            break;
        case kLstFiles:
            if (notification == LBN_DBLCLK)
                logic_.lstFiles_DblClick(CurrentRow(), SelectedRowCount());
            break;
        default:
            break;
    }
}

LRESULT FrmConfig::Colours(UINT message, HDC dc, HWND control) {
    if (control == lstFiles_) {
        SetTextColor(dc, Layout::kListFore);
        SetBkColor(dc, Layout::kListBack);
        return reinterpret_cast<LRESULT>(listBrush_.brush());
    }
    if (control == Frame1_) {
        SetTextColor(dc, Layout::kFrame1Fore);
        SetBkColor(dc, Layout::kFrame1Back);
        return reinterpret_cast<LRESULT>(frame1Brush_.brush());
    }
    if (control == Frame2_) {
        SetTextColor(dc, Layout::kFrame2Fore);
        SetBkColor(dc, Layout::kFrame2Back);
        return reinterpret_cast<LRESULT>(frame2Brush_.brush());
    }
    if (control == chkA_ || control == chkRandom_) {
        SetBkColor(dc, Layout::kFrame2Back);
        return reinterpret_cast<LRESULT>(frame2Brush_.brush());
    }
    return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

void FrmConfig::PaintFrames(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, formBrush_.brush());
    const auto fill = [&](HWND frame, HBRUSH brush) {
        RECT area;
        GetWindowRect(frame, &area);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
        FillRect(dc, &area, brush);
    };
    fill(Frame1_, frame1Brush_.brush());
    fill(Frame2_, frame2Brush_.brush());
}

void FrmConfig::Close() {
    // However the dialog closes, the same unload runs, and it never refuses.
    if (!unloaded_) {
        unloaded_ = true;
        logic_.Form_Unload();
    }
    DestroyWindow(window_);
}

void FrmConfig::cmdAdd_Click() {
    std::wstring filter = Wide(AddMovieFilterText());
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.push_back(L'\0');  // the list ends with two NULs
    const std::wstring title = Wide(kAddMovieDialogTitle);

    std::vector<wchar_t> names(kFirstNameBuffer, L'\0');
    OPENFILENAMEW dialog{};
    for (;;) {
        dialog = OPENFILENAMEW{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = window_;
        dialog.lpstrFilter = filter.c_str();
        dialog.lpstrFile = names.data();
        dialog.nMaxFile = static_cast<DWORD>(names.size());
        dialog.lpstrTitle = title.c_str();
        // No OFN_NOCHANGEDIR: the selection's folder becomes the current folder, as ever.
        dialog.Flags =
            OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_NODEREFERENCELINKS;
        names[0] = L'\0';
        if (GetOpenFileNameW(&dialog)) break;
        // A cancel ends the add silently, and so does a dialog that cannot open.
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL || names.size() >= kLargestNameBuffer)
            return;
        names.assign(names.size() * 2, L'\0');
    }
    const Selection selection = SelectionOf(names, dialog.nFileOffset);
    logic_.cmdAdd_FileSelected(Utf8Text(selection.text), Utf8Text(selection.folder));
}

void FrmConfig::lstFiles_DropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        if (DragQueryFileW(drop, i, path.data(), length + 1) != length) continue;
        path.resize(length);
        paths.push_back(Utf8Text(path));
    }
    DragFinish(drop);
    logic_.lstFiles_OLEDragDrop(paths);
}

void FrmConfig::lstFiles_ContextMenu(LPARAM at) {
    POINT screen{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {
        // From the keyboard: about the current row, shown below it.
        const int row = CurrentRow();
        RECT item;
        if (row < 0 || SendMessageW(lstFiles_, LB_GETITEMRECT, static_cast<WPARAM>(row),
                                    reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            return;
        screen = {item.left, item.bottom};
        ClientToScreen(lstFiles_, &screen);
    } else {
        // About the row under the mouse; empty space has none.
        POINT client = screen;
        ScreenToClient(lstFiles_, &client);
        const LRESULT hit =
            SendMessageW(lstFiles_, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        if (HIWORD(hit) != 0) return;
        SendMessageW(lstFiles_, LB_SETCURSEL, LOWORD(hit), 0);
    }
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    AppendMenuW(menu, MF_STRING, kMnuDelete, Wide(kDeleteCaption).c_str());
    const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                       window_, nullptr);
    DestroyMenu(menu);
    if (chosen == kMnuDelete) logic_.mnuDelete_Click(CurrentRow(), SelectedRowCount());
}

int FrmConfig::CurrentRow() const {
    const LRESULT row = SendMessageW(lstFiles_, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

int FrmConfig::SelectedRowCount() const { return CurrentRow() < 0 ? 0 : 1; }

void FrmConfig::AddRows(const std::vector<std::string>& rows, std::size_t first) {
    SendMessageW(lstFiles_, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = first; i < rows.size(); ++i) {
        const std::wstring row = Wide(rows[i]);
        SendMessageW(lstFiles_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    SendMessageW(lstFiles_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lstFiles_, nullptr, TRUE);
    FitHorizontalExtent(rows, first);
}

void FrmConfig::FitHorizontalExtent(const std::vector<std::string>& rows, std::size_t first) {
    const HDC dc = GetDC(lstFiles_);
    const HGDIOBJ previous = SelectObject(dc, listFont_.font());
    for (std::size_t i = first; i < rows.size(); ++i) {
        const std::wstring row = Wide(rows[i]);
        SIZE size{};
        if (GetTextExtentPoint32W(dc, row.c_str(), static_cast<int>(row.size()), &size))
            widestRow_ = std::max(widestRow_, static_cast<int>(size.cx));
    }
    SelectObject(dc, previous);
    ReleaseDC(lstFiles_, dc);
    SendMessageW(lstFiles_, LB_SETHORIZONTALEXTENT,
                 static_cast<WPARAM>(widestRow_ > 0 ? widestRow_ + kRowMargin : 0), 0);
}

void FrmConfig::RowsReset(const std::vector<std::string>& rows) {
    SendMessageW(lstFiles_, LB_RESETCONTENT, 0, 0);
    widestRow_ = 0;
    AddRows(rows, 0);
}

void FrmConfig::RowsAppended(const std::vector<std::string>& rows, std::size_t first) {
    AddRows(rows, first);
}

void FrmConfig::RowRemoved(std::size_t index) {
    SendMessageW(lstFiles_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    widestRow_ = 0;
    FitHorizontalExtent(logic_.lstFiles(), 0);
}

void FrmConfig::SelectRow(std::size_t index) {
    SendMessageW(lstFiles_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool FrmConfig::IsChecked(CheckBox box) const {
    const HWND check = box == CheckBox::chkA ? chkA_ : chkRandom_;
    return SendMessageW(check, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
}

void FrmConfig::SetChecked(CheckBox box, bool checked) {
    const HWND check = box == CheckBox::chkA ? chkA_ : chkRandom_;
    SendMessageW(check, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void FrmConfig::MsgBoxInformation(const std::string& text, const std::string& title) {
    MessageBoxW(window_, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

FrmConfigView::Answer FrmConfig::MsgBoxOkCancel(const std::string& text, const std::string& title) {
    const int answer = MessageBoxW(window_, Wide(text).c_str(), Wide(title).c_str(),
                                   MB_OKCANCEL | MB_ICONINFORMATION);
    return answer == IDOK ? Answer::Ok : Answer::Cancel;
}

void FrmConfig::MsgBoxCritical(const std::string& text, const std::string& title) {
    MessageBoxW(window_, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONERROR);
}

void FrmConfig::Beep() { MessageBeep(MB_OK); }

void FrmConfig::Unload() { Close(); }

void FrmConfig::PlayInTrialWindow(const std::string& url) {
    if (Outcome playing = trial_.Play(url); !playing)
        MsgBoxCritical(PlayFailedText(playing.error()), kPlayFailedTitle);
}

}  // namespace revuro
