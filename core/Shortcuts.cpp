#include "core/Shortcuts.h"

#include "core/CommandIds.h"
#include "core/WindowHandles.h"

namespace {

enum Modifier : BYTE { kCtrl = 1, kShift = 2, kAlt = 4 };

struct Shortcut {
    BYTE modifiers;  // exactly these are held
    WORD key;        // virtual key
    WORD command;
    bool repeats;    // a held key acts again on every repeat
};

const Shortcut kShortcuts[] = {
    {kCtrl, 'T', ID_NEW_TAB, true},
    {kCtrl, 'L', ID_FOCUS_ADDRESS_BAR, true},
    {kAlt, 'D', ID_FOCUS_ADDRESS_BAR, true},
    {0, VK_F6, ID_FOCUS_ADDRESS_BAR, true},
    {kCtrl, VK_TAB, ID_NEXT_TAB, true},
    {kCtrl, VK_NEXT, ID_NEXT_TAB, true},
    {kCtrl | kShift, VK_TAB, ID_PREVIOUS_TAB, true},
    {kCtrl, VK_PRIOR, ID_PREVIOUS_TAB, true},
    {kCtrl | kShift, VK_PRIOR, ID_MOVE_TAB_LEFT, true},
    {kCtrl | kShift, VK_NEXT, ID_MOVE_TAB_RIGHT, true},
    {kCtrl, '1', ID_SELECT_TAB_1, true},
    {kCtrl, '2', ID_SELECT_TAB_1 + 1, true},
    {kCtrl, '3', ID_SELECT_TAB_1 + 2, true},
    {kCtrl, '4', ID_SELECT_TAB_1 + 3, true},
    {kCtrl, '5', ID_SELECT_TAB_1 + 4, true},
    {kCtrl, '6', ID_SELECT_TAB_1 + 5, true},
    {kCtrl, '7', ID_SELECT_TAB_1 + 6, true},
    {kCtrl, '8', ID_SELECT_TAB_8, true},
    {kCtrl, '9', ID_LAST_TAB, true},
    {0, VK_F5, ID_RELOAD_PAGE, true},
    {kCtrl, 'R', ID_RELOAD_PAGE, true},
    {0, VK_F11, ID_TOGGLE_FULL_SCREEN, false},
    // The "=" key is "+" with Shift on US layouts, and "+" itself on others;
    // either way Ctrl with it zooms in. The keypad has its own keys.
    {kCtrl, VK_OEM_PLUS, ID_ZOOM_IN, true},
    {kCtrl | kShift, VK_OEM_PLUS, ID_ZOOM_IN, true},
    {kCtrl, VK_ADD, ID_ZOOM_IN, true},
    {kCtrl, VK_OEM_MINUS, ID_ZOOM_OUT, true},
    {kCtrl, VK_SUBTRACT, ID_ZOOM_OUT, true},
    {kCtrl, '0', ID_ZOOM_RESET, true},
    {kCtrl, VK_NUMPAD0, ID_ZOOM_RESET, true},
    {0, VK_F12, ID_DEV_TOOLS, false},
    {kCtrl | kShift, 'I', ID_DEV_TOOLS, false},
    {kAlt, VK_LEFT, ID_BACK, true},
    {kAlt, VK_RIGHT, ID_NEXT, true},
    {kCtrl | kShift, 'T', ID_REOPEN_CLOSED_TAB, true},
    {kCtrl, 'W', ID_CLOSE_TAB_SHORTCUT, true},
    {kCtrl | kShift, 'W', ID_CLOSE_TAB_SHORTCUT, true},
    {kCtrl, 'F', ID_FIND_IN_PAGE, false},
    {0, VK_F3, ID_FIND_NEXT, true},
    {kShift, VK_F3, ID_FIND_PREVIOUS, true},
    {kCtrl, 'P', ID_PRINT_PAGE, false},
};

bool IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

const Shortcut* FindShortcut(UINT virtualKey, BYTE modifiers) {
    for (const Shortcut& shortcut : kShortcuts) {
        if (shortcut.key == virtualKey && shortcut.modifiers == modifiers) return &shortcut;
    }
    return nullptr;
}

BYTE Modifiers(bool ctrl, bool shift, bool alt) {
    return static_cast<BYTE>((ctrl ? kCtrl : 0) | (shift ? kShift : 0) | (alt ? kAlt : 0));
}

}  // namespace

WORD ShortcutCommand(UINT virtualKey, bool ctrl, bool shift, bool alt) {
    const Shortcut* shortcut = FindShortcut(virtualKey, Modifiers(ctrl, shift, alt));
    return shortcut != nullptr ? shortcut->command : 0;
}

WORD ShortcutForKeyDown(UINT virtualKey, bool altHeld, bool repeat) {
    const bool alt = altHeld || IsKeyDown(VK_MENU);
    const Shortcut* shortcut = FindShortcut(virtualKey, Modifiers(IsKeyDown(VK_CONTROL), IsKeyDown(VK_SHIFT), alt));
    if (shortcut == nullptr || (repeat && !shortcut->repeats)) return 0;
    return shortcut->command;
}

bool TranslateShortcut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (msg.hwnd != g_hMainWnd && !IsChild(g_hMainWnd, msg.hwnd)) return false;
    // Bit 29 of a key message: Alt was held; bit 30: the key was down
    // already, so this repeats it.
    const bool altHeld = (msg.lParam & (1L << 29)) != 0;
    const bool repeat = (msg.lParam & (1L << 30)) != 0;
    const WORD command = ShortcutForKeyDown(static_cast<UINT>(msg.wParam), altHeld, repeat);
    if (command == 0) return false;
    SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    // An Alt shortcut's key-down still goes to the default window handling
    // (never to the control): there the platform notes that Alt was used with
    // another key, so that releasing Alt does not open the window menu. Wine
    // relies on this; Windows notes it earlier as well.
    if (msg.message == WM_SYSKEYDOWN) DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return true;
}

HRESULT OnAcceleratorKeyPressed(ICoreWebView2Controller* /*sender*/,
                                ICoreWebView2AcceleratorKeyPressedEventArgs* args) {
    COREWEBVIEW2_KEY_EVENT_KIND kind = COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP;
    UINT key = 0;
    if (FAILED(args->get_KeyEventKind(&kind)) || FAILED(args->get_VirtualKey(&key))) return S_OK;
    if (kind != COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN && kind != COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN) {
        return S_OK;
    }
    COREWEBVIEW2_PHYSICAL_KEY_STATUS status = {};
    const bool known = SUCCEEDED(args->get_PhysicalKeyStatus(&status));
    const WORD command = ShortcutForKeyDown(key, known && status.IsMenuKeyDown, known && status.WasKeyDown);
    if (command == 0) return S_OK;
    args->put_Handled(TRUE);
    PostMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return S_OK;
}
