// Looks into and drives the settings dialog of Revuro.scr from another process, as the tests
// under Wine need: Wine draws child controls into their top-level window, so X sees none of them.
//   controls TITLE            the DPI, the client size, then each child: id, class, place in
//                             the client area, visibility and text
//   rows TITLE                the rows of the first list box
//   row-point TITLE INDEX     the screen point in the middle of a list row
//   click TITLE CAPTION       clicks the child button with that caption
//   drop TITLE PATH...        drops the paths on the first list box, as the shell does
//   answer TITLE TEXT         types TEXT into an open-file dialog's name box and presses Open
//   close TITLE               asks the window to close
//   foreground                the title of the foreground window
//   setting APP SECTION KEY   a value under HKCU\Software\VB and VBA Program Settings
// Prints UTF-8; ends with 1 when the window or control is not there.

#include <windows.h>

#include <dlgs.h>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

HWND ChildOfClass(HWND parent, const wchar_t* kind) {
    for (const HWND child : Children(parent)) {
        if (lstrcmpiW(ClassOf(child).c_str(), kind) == 0) return child;
    }
    return nullptr;
}

int Controls(HWND dialog) {
    const HDC screen = GetDC(nullptr);
    Print(L"dpi " + std::to_wstring(GetDeviceCaps(screen, LOGPIXELSX)) + L" " +
          std::to_wstring(GetDeviceCaps(screen, LOGPIXELSY)));
    ReleaseDC(nullptr, screen);
    RECT client;
    GetClientRect(dialog, &client);
    Print(L"client " + std::to_wstring(client.right) + L" " + std::to_wstring(client.bottom));
    for (const HWND child : Children(dialog)) {
        if (GetParent(child) != dialog) continue;
        RECT at;
        GetWindowRect(child, &at);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
        Print(L"control " + std::to_wstring(GetDlgCtrlID(child)) + L" " + ClassOf(child) + L" " +
              std::to_wstring(at.left) + L" " + std::to_wstring(at.top) + L" " +
              std::to_wstring(at.right - at.left) + L" " + std::to_wstring(at.bottom - at.top) +
              L" " + (IsWindowVisible(child) ? L"visible" : L"hidden") + L"|" + TextOf(child));
    }
    return 0;
}

int Rows(HWND dialog) {
    const HWND list = ChildOfClass(dialog, L"ListBox");
    if (list == nullptr) return 1;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring row(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1,
                         L'\0');
        row.resize(static_cast<std::size_t>(
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()))));
        Print(row);
    }
    return 0;
}

int RowPoint(HWND dialog, int index) {
    const HWND list = ChildOfClass(dialog, L"ListBox");
    RECT item;
    if (list == nullptr ||
        SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return 1;
    POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &middle);
    Print(std::to_wstring(middle.x) + L" " + std::to_wstring(middle.y));
    return 0;
}

int Click(HWND dialog, const std::wstring& caption) {
    for (const HWND child : Children(dialog)) {
        if (TextOf(child) == caption) {
            PostMessageW(child, BM_CLICK, 0, 0);
            return 0;
        }
    }
    return 1;
}

// The drop as the shell hands it over: a DROPFILES block of fixed memory, which the window's
// process reads through DragQueryFile. A handle of this process means nothing in that one, so
// the block is written into the dialog's process.
int Drop(HWND dialog, const std::vector<std::wstring>& paths) {
    const HWND list = ChildOfClass(dialog, L"ListBox");
    if (list == nullptr) return 1;
    std::vector<wchar_t> names;
    for (const std::wstring& path : paths)
        names.insert(names.end(), path.c_str(), path.c_str() + path.size() + 1);
    names.push_back(L'\0');
    std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.pt = POINT{10, 10};
    header.fWide = TRUE;
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));

    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return 1;
    void* there =
        VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written =
        there != nullptr && WriteProcessMemory(process, there, block.data(), block.size(), nullptr);
    CloseHandle(process);
    if (!written) return 1;
    return PostMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(there), 0) ? 0 : 1;
}

int Answer(HWND dialog, const std::wstring& text) {
    // The name box of an Explorer-style open dialog: a combo box, or an edit box in older ones.
    HWND name = GetDlgItem(dialog, cmb13);
    if (name == nullptr) name = GetDlgItem(dialog, edt1);
    if (name == nullptr) return 1;
    SetWindowTextW(name, text.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return 0;
}

int Setting(const std::wstring& app, const std::wstring& section, const std::wstring& key) {
    const std::wstring path = L"Software\\VB and VBA Program Settings\\" + app + L"\\" + section;
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return 1;
    Print(value);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::wstring(argv[1]) == L"foreground") {
        Print(TextOf(GetForegroundWindow()));
        return 0;
    }
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    if (command == L"setting") return argc == 5 ? Setting(argv[2], argv[3], argv[4]) : 2;
    const HWND window = FindWindowW(nullptr, argv[2]);
    if (window == nullptr) return 1;
    if (command == L"controls") return Controls(window);
    if (command == L"rows") return Rows(window);
    if (command == L"row-point" && argc == 4) return RowPoint(window, _wtoi(argv[3]));
    if (command == L"click" && argc == 4) return Click(window, argv[3]);
    if (command == L"drop") return Drop(window, std::vector<std::wstring>(argv + 3, argv + argc));
    if (command == L"answer" && argc == 4) return Answer(window, argv[3]);
    if (command == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
