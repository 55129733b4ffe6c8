// Win32Dialog.cpp - the wizard dialog on template 102 (see Win32Dialog.h).
//
// The dialog procedure is a dispatch table: one line per message, each handing off to a handler of a
// few lines. Texts reach the controls through the W API, so the Japanese prompt and values render
// whatever the ANSI code page is; the numbers themselves go through app/DialogExchange.h, exactly as
// on the console.
#include "platform/win32/Win32Dialog.h"

#include "app/DialogExchange.h"
#include "app/DialogFields.h"
#include "platform/win32/InfoBox.h"  // the About box
#include "platform/win32/LevelsDialog.h"
#include "platform/win32/ResourceText.h"  // loadString, filledIn
#include "platform/win32/ScaledImages.h"
#include "text/WideText.h"
#include "platform/win32/WindowPlacement.h"
#include "platform/win32/res/resource.h"

#include <string>

namespace wizard::platform {

namespace {

// resource.h and app/DialogFields.h name the same thirteen controls.
constexpr bool resourceIdsMatchFields()
{
    constexpr int ids[] = {IDC_FOUNDATION_HEIGHT, IDC_FIRST_FLOOR_THICKNESS, IDC_OTHER_FLOOR_THICKNESS,
                           IDC_ROOM_HEIGHT1,      IDC_ROOM_HEIGHT2,          IDC_ROOM_HEIGHT3,
                           IDC_ROOM_HEIGHT4,      IDC_LEVEL_DIFFERENCE,      IDC_SITE_WIDTH,
                           IDC_SITE_DEPTH,        IDC_BUILDING_WIDTH,        IDC_BUILDING_DEPTH,
                           IDC_WALL_THICKNESS};
    for (std::size_t i = 0; i < kTabOrder.size(); ++i)
        if (kTabOrder[i].controlId != ids[i]) return false;
    return true;
}
static_assert(resourceIdsMatchFields(), "resource.h and kTabOrder must list the same edit controls in tab order");

std::wstring controlText(HWND control)
{
    int length = ::GetWindowTextLengthW(control);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(control, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

}  // namespace

Win32Dialog::Win32Dialog(HINSTANCE instance)
    : m_instance(instance),
      m_icon(::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_smallIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                  LR_SHARED)))
{
}

int Win32Dialog::doModal(WizardParams& params)
{
    m_params = &params;
    INT_PTR result = ::DialogBoxParamW(m_instance, MAKEINTRESOURCEW(IDD_WIZARD), nullptr, dialogProc,
                                       reinterpret_cast<LPARAM>(this));
    m_params = nullptr;
    // The control that showed the picture is gone, and a static control never deletes an image it
    // was given.
    m_picture.release();
    // -1 (the template could not be loaded) counts as not confirmed: nothing is built.
    static_assert(kDialogOk == IDOK && kDialogCancel == IDCANCEL, "the shell numbers the results as Windows does");
    return result == IDOK ? kDialogOk : kDialogCancel;
}

INT_PTR CALLBACK Win32Dialog::dialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) ::SetWindowLongPtrW(dlg, DWLP_USER, lParam);
    auto* self = reinterpret_cast<Win32Dialog*>(::GetWindowLongPtrW(dlg, DWLP_USER));
    if (!self) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT) take the defaults

    switch (msg) {
    case WM_INITDIALOG:    return self->onInitDialog(dlg);
    case WM_COMMAND:       return self->onCommand(dlg, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND:    return self->onSysCommand(dlg, wParam);
    case WM_HELP:          return self->onHelp(dlg);
    case WM_PAINT:         return self->onPaint(dlg);
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(self->m_icon);  // returned directly, not via DWLP_MSGRESULT
    }
    return FALSE;
}

// Fills the edit controls, adds the About item and the levels list to the system menu, sets the
// icons and the picture for the display's scale with the values. Returning TRUE lets the dialog
// manager focus the first tab stop (control 1000) with its text selected.
INT_PTR Win32Dialog::onInitDialog(HWND dlg)
{
    FieldTexts texts = formatFieldTexts(*m_params);
    for (std::size_t i = 0; i < kTabOrder.size(); ++i)
        ::SetDlgItemTextW(dlg, kTabOrder[i].controlId, wideFromUtf8(texts[i]).c_str());

    if (HMENU systemMenu = ::GetSystemMenu(dlg, FALSE)) {
        wchar_t about[128], levels[128];
        if (::LoadStringW(m_instance, IDS_ABOUTBOX, about, static_cast<int>(sizeof about / sizeof about[0])) > 0) {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
        if (::LoadStringW(m_instance, IDS_LEVELS, levels, static_cast<int>(sizeof levels / sizeof levels[0])) > 0)
            ::AppendMenuW(systemMenu, MF_STRING, IDM_LEVELS, levels);
    }

    ::SendMessageW(dlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    ::SendMessageW(dlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon ? m_smallIcon : m_icon));
    if (m_picture.attach(dlg, m_instance, systemDpi())) m_picture.show(texts);
    // A click on the picture opens the levels list, as F1 does: the static control tells its parent of
    // a click only with SS_NOTIFY, which the template leaves to the code.
    if (HWND picture = pictureControl(dlg))
        ::SetWindowLongPtrW(picture, GWL_STYLE, ::GetWindowLongPtrW(picture, GWL_STYLE) | SS_NOTIFY);

    // The template has no position of its own; without an owner it would open at the top left.
    centreOver(dlg, nullptr);
    return TRUE;
}

// A field's text changed: the picture shows the values as they stand (before the picture exists,
// while the fields are filled, nothing happens). A click on the picture opens the levels list. OK runs
// the exchange; Cancel, Esc and the close box (which the dialog manager turns into IDCANCEL) end the
// dialog without touching the parameters.
INT_PTR Win32Dialog::onCommand(HWND dlg, int id, int notification, HWND control)
{
    if (notification == EN_CHANGE) {
        m_picture.show(fieldTexts(dlg));
        return TRUE;
    }
    if (notification == STN_CLICKED && control != nullptr && control == pictureControl(dlg)) {
        showLevels(dlg);
        return TRUE;
    }
    switch (id) {
    case IDOK:
        onOk(dlg);
        return TRUE;
    case IDCANCEL:
        ::EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

// All thirteen texts are parsed in exchange order; only when every one is a number are the values
// stored and the dialog closed. Otherwise the first bad field is reported and gets the focus with its
// whole text selected, so the user can type over it at once.
void Win32Dialog::onOk(HWND dlg)
{
    ExchangeResult result = exchangeFieldTexts(fieldTexts(dlg), *m_params);
    if (result.ok) {
        ::EndDialog(dlg, IDOK);
        return;
    }
    ::MessageBoxW(dlg, wideFromUtf8(kNotANumberPrompt).c_str(), wideFromUtf8(kDialogTitle).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    HWND bad = ::GetDlgItem(dlg, result.badControlId);
    ::SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(bad), TRUE);
    ::SendMessageW(bad, EM_SETSEL, 0, -1);
}

// The thirteen edit texts as they stand, in tab order.
FieldTexts Win32Dialog::fieldTexts(HWND dlg) const
{
    FieldTexts texts;
    for (std::size_t i = 0; i < kTabOrder.size(); ++i)
        texts[i] = utf8FromWide(controlText(::GetDlgItem(dlg, kTabOrder[i].controlId)));
    return texts;
}

// The system-menu item 0x10 opens the About box, 0x20 the levels list for the texts as they stand;
// every other command (move, close, ...) goes to the default processing. The low four bits of the
// command are the system's own, hence the mask.
INT_PTR Win32Dialog::onSysCommand(HWND dlg, WPARAM command)
{
    switch (command & 0xFFF0) {
    case IDM_ABOUTBOX:
        showAboutBox(m_instance, dlg);
        return TRUE;
    case IDM_LEVELS:
        showLevels(dlg);
        return TRUE;
    }
    return FALSE;
}

// F1 (help) opens the levels list for the texts as they stand: the figures and the notes are the help
// this dialog has, and the mark on the picture names the key.
INT_PTR Win32Dialog::onHelp(HWND dlg)
{
    showLevels(dlg);
    return TRUE;
}

void Win32Dialog::showLevels(HWND dlg) const { showLevelsDialog(m_instance, dlg, fieldTexts(dlg), m_sameFileNote); }

void Win32Dialog::noteSameFile(const std::string& utf8Path)
{
    m_sameFileNote = filledIn(loadString(m_instance, IDS_NOTE_SAME_FILE), {wideFromUtf8(utf8Path)});
}

// Minimized, the window shows the application icon centred in its client area; otherwise the
// default painting applies.
INT_PTR Win32Dialog::onPaint(HWND dlg)
{
    if (!::IsIconic(dlg)) return FALSE;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(dlg, &paint);
    ::SendMessageW(dlg, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(dlg, &client);
    IconOrigin origin = iconOrigin(client.right - client.left, client.bottom - client.top,
                                   ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    ::DrawIcon(dc, origin.x, origin.y, m_icon);
    ::EndPaint(dlg, &paint);
    return TRUE;
}

IconOrigin iconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight)
{
    return IconOrigin{(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

}  // namespace wizard::platform
