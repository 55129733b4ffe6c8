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
//
// The wizard and its message box share a title: the wizard is the window that has control 1000.
#include <windows.h>

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
    wchar_t buffer[1024] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(buffer),
                          SMTO_ABORTIFHUNG, 2000, nullptr);
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

void printRect(const RECT& rect)
{
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right), static_cast<long>(rect.bottom));
}

int usage()
{
    std::fputs("usage: dialog-probe DESKTOP wait|gone|prompt|active|menu TITLE MS | rect|text TITLE ID | focus TITLE\n",
               stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) return usage();
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
