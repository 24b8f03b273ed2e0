#include "win32/about/frmAbout.h"

#include <shellapi.h>

#include <utility>

#include "core/about/AboutTexts.h"
#include "platform/PlainFile.h"
#include "platform/win32/WideText.h"
#include "win32/OwnedWindow.h"
#include "win32/Resources.h"

namespace revuro {

namespace {

constexpr wchar_t kClassName[] = L"RevurofrmAbout";
constexpr int kSysInfoId = 1001;
constexpr COLORREF kLinkColour = RGB(0, 0, 0xC0);  // dark blue
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kShadowColour = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kLightColour = RGB(0xFF, 0xFF, 0xFF);
// The box's client area, in twips.
constexpr int kWidth = 4560;
constexpr int kHeight = 4290;

std::wstring Wide(const std::string& text) {
    const Result<std::wstring> wide = WideText(text);
    return wide ? wide.value() : std::wstring();
}

// 宋体 9 pt, the box's own face; the layout's wrapping and heights were made for it.
HFONT SongFont(int dpi, bool underline) {
    return CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE,
                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

Outcome StartProgram(const std::string& path) {
    const std::wstring wide = Wide(path);
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (started <= 32) return Error{"the program could not be started", path};
    return Ok();
}

}  // namespace

std::unique_ptr<frmAbout> frmAbout::Create(std::function<void()> closed) {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &WindowProcOf<frmAbout, &frmAbout::window_, &frmAbout::Handle>;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterWindowClass(windowClass)) return nullptr;
    std::unique_ptr<frmAbout> form(new frmAbout(std::move(closed)));
    if (form->window_ == nullptr) return nullptr;
    form->logic_.Form_Load();
    ShowWindow(form->window_, SW_SHOWNORMAL);
    SetFocus(form->cmdOK_);
    return form;
}

frmAbout::frmAbout(std::function<void()> closed)
    : closed_(std::move(closed)),
      codec_(NarrowCodec::ForLocale()),
      logic_(*this, registry_, codec_, &IsPlainFile, &StartProgram) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    hiddenOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   instance, nullptr);
    // A fixed box: title bar and close box only, no resizing, no minimize or maximize.
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    constexpr DWORD kExtended = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT outer{0, 0, twips_.X(kWidth), twips_.Y(kHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExtended);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    CreateWindowExW(kExtended, kClassName, L"", kStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, hiddenOwner_,
                    nullptr, instance, this);
    if (window_ != nullptr) MakeControls();
}

frmAbout::~frmAbout() {
    if (window_ != nullptr) {
        ReleaseWindow(window_);
        DestroyWindow(window_);
    }
    if (hiddenOwner_ != nullptr) DestroyWindow(hiddenOwner_);
    if (homePagePointer_ != nullptr) DestroyIcon(homePagePointer_);
    if (mailPointer_ != nullptr) DestroyIcon(mailPointer_);
}

void frmAbout::MakeControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    font_ = GdiObject(SongFont(twips_.dpiY(), false));
    linkFont_ = GdiObject(SongFont(twips_.dpiY(), true));
    const auto make = [&](const wchar_t* type, const std::wstring& text, DWORD style, int left,
                          int top, int width, int height, int id = 0, DWORD extended = 0) {
        const HWND control = CreateWindowExW(
            extended, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, twips_.X(left),
            twips_.Y(top), twips_.X(width), twips_.Y(height), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.font()), FALSE);
        return control;
    };
    // Made in the tab order: the two buttons first, then the banner.
    cmdOK_ = make(L"BUTTON", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 3000, 3345, 1500,
                  345, IDOK);
    cmdSysInfo_ = make(L"BUTTON", L"系统信息(&S)...", BS_PUSHBUTTON | WS_TABSTOP, 3000, 3795, 1485,
                       345, kSysInfoId);
    Picture1_ = make(L"STATIC", L"", SS_BITMAP, 0, 0, kWidth, 1650, 0, WS_EX_CLIENTEDGE);
    banner_ = GdiObject(LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0,
                                   LR_CREATEDIBSECTION));
    SendMessageW(Picture1_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_.bitmap()));
    // A bitmap control takes the picture's size; the panel keeps the layout's.
    MoveWindow(Picture1_, 0, 0, twips_.X(kWidth), twips_.Y(1650), FALSE);

    const std::array<std::string, 4> lines = {AuthorCaption(), HomePageCaption(), MailCaption(),
                                              "免费软件，祝您使用的愉快！"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Label1_[i] = make(L"STATIC", Wide(lines[i]), SS_CENTER | SS_NOTIFY, 0,
                          2160 + 240 * static_cast<int>(i), 4485, 225);
    }
    for (HWND link : {Label1_[1], Label1_[2]})
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.font()), FALSE);
    const int pointer = GetSystemMetrics(SM_CXCURSOR);
    homePagePointer_ = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_NETWORK), IMAGE_ICON, pointer, pointer, 0));
    mailPointer_ = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIL), IMAGE_ICON, pointer, pointer, 0));

    // Grey over a wider white stroke: an etched rule above the buttons.
    const int lineTop = twips_.Y(3240);
    Line1_[0] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, lineTop,
                                twips_.X(5549), 2, window_, nullptr, instance, nullptr);
    Line1_[1] = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, lineTop,
                                twips_.X(5564), 1, window_, nullptr, instance, nullptr);
    SetWindowPos(Line1_[1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    lblTitle_ = make(L"STATIC", L"应用程序标题", SS_CENTER, 0, 1680, 4485, 240);
    lblVersion_ = make(L"STATIC", L"版本", SS_CENTER, 0, 1920, 4485, 225);
    lblDisclaimer_ = make(L"STATIC",
                          L"欢迎您提出改进的意见和建议！如果您在使用中遇到任何问题，您可以发邮件"
                          L"给我，或者到我的主页留言！",
                          SS_LEFT, 135, 3345, 2670, 825);
}

int frmAbout::LabelIndex(HWND control) const {
    for (std::size_t i = 0; i < Label1_.size(); ++i)
        if (Label1_[i] == control) return static_cast<int>(i);
    return -1;
}

LRESULT frmAbout::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const auto control = reinterpret_cast<HWND>(lParam);
            const int id = LOWORD(wParam);
            // cmdOK is the cancel button as well: Esc presses it wherever the focus is.
            if (id == IDOK || id == IDCANCEL) {
                logic_.cmdOK_Click();
            } else if (id == kSysInfoId) {
                logic_.cmdSysInfo_Click();
            } else if (HIWORD(wParam) == STN_CLICKED && LabelIndex(control) >= 0) {
                logic_.Label1_Click(static_cast<std::int16_t>(LabelIndex(control)));
            }
            return 0;
        }
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_CTLCOLORSTATIC: {
            const auto target = reinterpret_cast<HDC>(wParam);
            const auto control = reinterpret_cast<HWND>(lParam);
            if (control == Line1_[0] || control == Line1_[1]) {
                SetDCBrushColor(target, control == Line1_[0] ? kLightColour : kShadowColour);
                return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
            }
            const int index = LabelIndex(control);
            SetTextColor(target, index == 1 || index == 2 ? kLinkColour : kTextColour);
            SetBkMode(target, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR: {
            const int index = LabelIndex(reinterpret_cast<HWND>(wParam));
            const HICON pointer = index == 1   ? homePagePointer_
                                  : index == 2 ? mailPointer_
                                               : nullptr;
            if (pointer == nullptr) break;
            SetCursor(pointer);
            return TRUE;
        }
        case WM_CLOSE:
            logic_.cmdOK_Click();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool frmAbout::PreTranslateMessage(MSG& message) {
    return window_ != nullptr && IsDialogMessageW(window_, &message);
}

void frmAbout::SetCaption(const std::string& text) { SetWindowTextW(window_, Wide(text).c_str()); }

void frmAbout::SetTitleText(const std::string& text) {
    SetWindowTextW(lblTitle_, Wide(text).c_str());
}

void frmAbout::SetVersionText(const std::string& text) {
    SetWindowTextW(lblVersion_, Wide(text).c_str());
}

void frmAbout::Unload() {
    ShowWindow(window_, SW_HIDE);
    if (closed_) std::exchange(closed_, nullptr)();
}

void frmAbout::ShowMessage(const std::string& text, const std::string& title) {
    MessageBoxW(window_, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

void frmAbout::OpenAddress(const std::string& address) {
    // A link that cannot be opened is ignored: there is nothing the user could do about it.
    ShellExecuteW(window_, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace revuro
