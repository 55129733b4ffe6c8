// DialogProbe.cpp - dialog-probe.exe: looks at the wizard's windows from outside, for the Wine
// end-to-end suite (wizard-e2e.sh), which drives the wizard with real X input through xdotool.
//
// Test tool of the Win32 layer; never linked into the wizard. A console program: every answer is one
// line of UTF-8 on standard output, and the exit status is 0 when the window was found (or, for
// "gone", when it disappeared), 1 when not, 2 for a usage error. A Unicode program (wmain), so the
// Japanese titles arrive intact whatever the ANSI code page.
// DESKTOP is the name of the Wine virtual desktop the wizard runs in ("explorer /desktop=NAME,WxH"):
// the probe attaches to it first, since windows are only found on the caller's own desktop.
//
//   dialog-probe DESKTOP wait TITLE MS      wait up to MS ms for a visible window TITLE; print its rectangle
//   dialog-probe DESKTOP gone TITLE MS      wait up to MS ms until no visible window TITLE is left
//   dialog-probe DESKTOP rect TITLE ID      screen rectangle of control ID: left top right bottom
//   dialog-probe DESKTOP text TITLE ID      text of control ID
//   dialog-probe DESKTOP focus TITLE        focused control: id, selection start and end, text length
//   dialog-probe DESKTOP prompt TITLE MS    wait for a message box titled TITLE; print its message text
//   dialog-probe DESKTOP active TITLE MS    wait until window TITLE is the active (foreground) window
//   dialog-probe DESKTOP menu - MS          wait for an open popup menu (the system menu, say)
//   dialog-probe DESKTOP picture TITLE      the picture control's inside and the extent of the drawing
//                                           in it: frame width, height, drawing width, height
//   dialog-probe DESKTOP picture-rect TITLE   screen rectangle of the picture control: left top right bottom
//   dialog-probe DESKTOP picture-words TITLE  the picture control's window text: what it shows in words
//   dialog-probe DESKTOP list TITLE ID      the rows of list view ID, a line each: its columns' texts,
//                                           separated by tabs
//   dialog-probe DESKTOP list-page TITLE ID   list view ID's rows in all, and how many it shows at once
//   dialog-probe DESKTOP list-end TITLE ID    scrolls list view ID to its last row and says what shows: the
//                                           rows in all, the first row shown, how many show in full, and
//                                           whether a horizontal scroll bar is there (1) or not (0)
//
// The wizard and its message box share a title: the wizard is the window that has control 1000.
// The probe declares itself DPI-aware, so at any display scale it sees the wizard's windows, their
// rectangles and pixels as the X server has them, and xdotool can click where the probe says.
#include <windows.h>
#include <commctrl.h>  // the list view messages

#include <cstdint>
#include <cstdio>
#include <cwchar>   // wcstol
#include <string>
#include <vector>

namespace {

constexpr int kFirstEditId = 1000;   // the wizard's first edit control
constexpr int kMessageTextId = 0xFFFF;  // the static that holds a message box's text

std::string utf8(const std::wstring& text)
{
    int count = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(count > 0 ? static_cast<std::size_t>(count) : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], count, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::wstring windowText(HWND window)
{
    // WM_GETTEXT reaches controls of other processes, where GetWindowText would not.
    // The wizard may be slow to answer on a loaded machine: a message that timed out is sent again,
    // so that a slow answer is not taken for an empty text.
    wchar_t buffer[8192] = {};
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(buffer),
                                  SMTO_NORMAL, 5000, nullptr))
            return buffer;
    }
    std::fprintf(stderr, "dialog-probe: no answer to WM_GETTEXT\n");
    return buffer;
}

enum class Kind { Wizard, MessageBox, Any };

struct Search {
    std::wstring title;
    Kind kind;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!::IsWindowVisible(window) || windowText(window) != search->title) return TRUE;
    bool isWizard = ::GetDlgItem(window, kFirstEditId) != nullptr;
    bool isMessageBox = ::GetDlgItem(window, kMessageTextId) != nullptr && !isWizard;
    if (search->kind == Kind::Any || (search->kind == Kind::Wizard && isWizard) ||
        (search->kind == Kind::MessageBox && isMessageBox))
        search->found.push_back(window);
    return TRUE;
}

// The visible top-level window with this title and kind, or null.
HWND findWindow(const std::wstring& title, Kind kind)
{
    Search search{title, kind, {}};
    ::EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    if (search.found.empty()) return nullptr;
    // With the wizard and its message box both titled alike, "Any" prefers the wizard.
    for (HWND window : search.found)
        if (::GetDlgItem(window, kFirstEditId)) return window;
    return search.found.front();
}

// Polls every 100 ms until `want` holds or `ms` have passed.
template <class Predicate>
bool pollFor(int ms, Predicate want)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        if (want()) return true;
        if (static_cast<int>(::GetTickCount() - start) >= ms) return false;
        ::Sleep(100);
    }
}

// The picture control: the static control of `window` that shows a bitmap.
HWND pictureControl(HWND window)
{
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
    return nullptr;
}

// Width and height of the drawing in the picture control: the smallest rectangle that holds every
// pixel that is neither white (the drawing's background) nor the dialog's face colour (what
// SS_CENTERIMAGE paints around a picture smaller than its control). The section's earth band spans
// the drawing's whole width, so a drawing that fills its frame is as wide as the frame. The pixels
// are read from the screen, as a user sees them.
bool pictureExtent(HWND control, int* frameWidth, int* frameHeight, int* width, int* height)
{
    RECT client;
    ::GetClientRect(control, &client);
    POINT origin{0, 0};
    ::ClientToScreen(control, &origin);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy) return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, copy);
    BOOL copied = ::BitBlt(memory, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb =  // 0x00RRGGBB, as a 32-bit DIB pixel reads
        (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    int left = w, top = h, right = -1, bottom = -1;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; copied && y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = pixels[y * w + x] & 0xFFFFFF;
            if (rgb == faceRgb || rgb == 0xFFFFFF) continue;
            if (x < left) left = x;
            if (x > right) right = x;
            if (y < top) top = y;
            if (y > bottom) bottom = y;
        }
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(copy);
    if (!copied) return false;
    *frameWidth = w;
    *frameHeight = h;
    *width = right < 0 ? 0 : right - left + 1;
    *height = bottom < 0 ? 0 : bottom - top + 1;
    return true;
}

// The rows of a list view in another process, each as its columns' texts. The list view's messages
// carry pointers, which the list view reads in its own process: the structure and the text buffer
// live in memory allocated there.
bool printListRows(HWND list)
{
    constexpr int kTextMax = 256;
    struct Remote {
        LVITEMW item;
        wchar_t text[kTextMax];
    };
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    auto* remote = static_cast<Remote*>(::VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    if (!remote) {
        ::CloseHandle(process);
        return false;
    }
    auto send = [&](UINT msg, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(list, msg, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
        return static_cast<LRESULT>(result);
    };
    auto readText = [&] {
        wchar_t text[kTextMax] = {};
        ::ReadProcessMemory(process, remote->text, text, sizeof text - sizeof text[0], nullptr);
        return std::wstring(text);
    };
    const int rows = static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0));
    DWORD_PTR columns = 0;  // the header's item count: no pointer, so it can be asked directly
    ::SendMessageTimeoutW(reinterpret_cast<HWND>(send(LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0,
                          SMTO_ABORTIFHUNG, 2000, &columns);
    for (int row = 0; row < rows; ++row) {
        std::wstring line;
        for (int column = 0; column < static_cast<int>(columns); ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = remote->text;
            item.cchTextMax = kTextMax;
            const wchar_t nothing = 0;  // what an empty cell leaves, and not the cell before
            ::WriteProcessMemory(process, remote->text, &nothing, sizeof nothing, nullptr);
            ::WriteProcessMemory(process, &remote->item, &item, sizeof item, nullptr);
            send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&remote->item));
            line += (column ? L"\t" : L"") + readText();
        }
        std::printf("%s\n", utf8(line).c_str());
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return true;
}

void printRect(const RECT& rect)
{
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right), static_cast<long>(rect.bottom));
}

int usage()
{
    std::fputs("usage: dialog-probe DESKTOP wait|gone|prompt|active|menu TITLE MS | rect|text|list|list-page|list-end TITLE ID | "
               "focus|picture|picture-rect|picture-words TITLE\n",
               stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) return usage();
    // Physical pixels at every scale: a DPI-unaware probe would see the wizard's rectangles scaled.
    ::SetProcessDPIAware();
    std::wstring command = argv[2];
    std::wstring title = argv[3];
    int number = argc > 4 ? static_cast<int>(std::wcstol(argv[4], nullptr, 10)) : 0;

    // The desktop appears a moment after its explorer starts: "wait" and "prompt" wait for it too.
    bool waits = command == L"wait" || command == L"prompt" || command == L"active" || command == L"menu";
    HDESK desktop = nullptr;
    pollFor(waits ? number : 0, [&] { return (desktop = ::OpenDesktopW(argv[1], 0, FALSE, GENERIC_ALL)) != nullptr; });
    if (!desktop && command == L"gone") return 0;  // no desktop, no window
    if (!desktop || !::SetThreadDesktop(desktop)) {
        std::fprintf(stderr, "dialog-probe: no desktop %s\n", utf8(argv[1]).c_str());
        return 1;
    }

    if (command == L"wait") {
        HWND window = nullptr;
        if (!pollFor(number, [&] { return (window = findWindow(title, Kind::Any)) != nullptr; })) return 1;
        RECT rect;
        ::GetWindowRect(window, &rect);
        printRect(rect);
        return 0;
    }
    if (command == L"gone") return pollFor(number, [&] { return findWindow(title, Kind::Any) == nullptr; }) ? 0 : 1;
    if (command == L"prompt") {
        HWND box = nullptr;
        if (!pollFor(number, [&] { return (box = findWindow(title, Kind::MessageBox)) != nullptr; })) return 1;
        std::printf("%s\n", utf8(windowText(::GetDlgItem(box, kMessageTextId))).c_str());
        return 0;
    }

    if (command == L"active") {
        return pollFor(number, [&] {
            HWND window = findWindow(title, Kind::Any);
            return window && ::GetForegroundWindow() == window;
        }) ? 0 : 1;
    }
    if (command == L"menu") {
        // A popup menu is a window of the system class "#32768" (atom 32768).
        return pollFor(number, [] {
            HWND menu = ::FindWindowW(MAKEINTATOM(32768), nullptr);
            return menu && ::IsWindowVisible(menu);
        }) ? 0 : 1;
    }

    HWND window = findWindow(title, Kind::Any);
    if (!window) return 1;
    if (command == L"rect" || command == L"text") {
        if (argc < 5) return usage();
        HWND control = ::GetDlgItem(window, number);
        if (!control) return 1;
        if (command == L"text") {
            std::printf("%s\n", utf8(windowText(control)).c_str());
        } else {
            RECT rect;
            ::GetWindowRect(control, &rect);
            printRect(rect);
        }
        return 0;
    }
    if (command == L"list") {
        if (argc < 5) return usage();
        HWND list = ::GetDlgItem(window, number);
        return list && printListRows(list) ? 0 : 1;
    }
    if (command == L"list-page") {
        if (argc < 5) return usage();
        HWND list = ::GetDlgItem(window, number);
        if (!list) return 1;
        DWORD_PTR rows = 0, page = 0;
        ::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &rows);
        ::SendMessageTimeoutW(list, LVM_GETCOUNTPERPAGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &page);
        std::printf("%lu %lu\n", static_cast<unsigned long>(rows), static_cast<unsigned long>(page));
        return 0;
    }
    if (command == L"list-end") {
        if (argc < 5) return usage();
        HWND list = ::GetDlgItem(window, number);
        if (!list) return 1;
        DWORD_PTR rows = 0, page = 0, top = 0, ignored = 0;
        ::SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &rows);
        ::SendMessageTimeoutW(list, LVM_ENSUREVISIBLE, rows - 1, FALSE, SMTO_ABORTIFHUNG, 2000, &ignored);
        ::SendMessageTimeoutW(list, LVM_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 2000, &top);
        ::SendMessageTimeoutW(list, LVM_GETCOUNTPERPAGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &page);
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        const bool across = ::GetScrollBarInfo(list, OBJID_HSCROLL, &bar) && !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
        std::printf("%lu %lu %lu %d\n", static_cast<unsigned long>(rows), static_cast<unsigned long>(top),
                    static_cast<unsigned long>(page), across ? 1 : 0);
        return 0;
    }
    if (command == L"picture-words" || command == L"picture-rect") {
        HWND control = pictureControl(window);
        if (!control) return 1;
        if (command == L"picture-words") {
            std::printf("%s\n", utf8(windowText(control)).c_str());
        } else {
            RECT rect;
            ::GetWindowRect(control, &rect);
            printRect(rect);
        }
        return 0;
    }
    if (command == L"picture") {
        HWND control = pictureControl(window);
        int frameWidth = 0, frameHeight = 0, width = 0, height = 0;
        if (!control || !pictureExtent(control, &frameWidth, &frameHeight, &width, &height)) return 1;
        std::printf("%d %d %d %d\n", frameWidth, frameHeight, width, height);
        return 0;
    }
    if (command == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 1;
        // The selection comes back in the result (start low word, end high word): pointers in wParam
        // and lParam would point into this process, not the wizard's.
        DWORD_PTR selection = 0;
        ::SendMessageTimeoutW(info.hwndFocus, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
        std::printf("%d %u %u %u\n", ::GetDlgCtrlID(info.hwndFocus), static_cast<unsigned>(LOWORD(selection)),
                    static_cast<unsigned>(HIWORD(selection)), static_cast<unsigned>(windowText(info.hwndFocus).size()));
        return 0;
    }
    return usage();
}
