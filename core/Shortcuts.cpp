#include "core/Shortcuts.h"

#include "core/CommandIds.h"
#include "core/WindowHandles.h"

namespace {

// An ACCEL array rather than an ACCELERATORS resource: the in-process tests
// link the browser's libraries without velquin.rc, and they must run with the
// very table velquin.exe uses.
const ACCEL kShortcuts[] = {
    {FVIRTKEY | FCONTROL, 'T', ID_NEW_TAB},
    {FVIRTKEY | FCONTROL, 'L', ID_FOCUS_ADDRESS_BAR},
    {FVIRTKEY | FALT, 'D', ID_FOCUS_ADDRESS_BAR},
    {FVIRTKEY, VK_F6, ID_FOCUS_ADDRESS_BAR},
    {FVIRTKEY | FCONTROL, VK_TAB, ID_NEXT_TAB},
    {FVIRTKEY | FCONTROL, VK_NEXT, ID_NEXT_TAB},
    {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, ID_PREVIOUS_TAB},
    {FVIRTKEY | FCONTROL, VK_PRIOR, ID_PREVIOUS_TAB},
    {FVIRTKEY | FCONTROL | FSHIFT, VK_PRIOR, ID_MOVE_TAB_LEFT},
    {FVIRTKEY | FCONTROL | FSHIFT, VK_NEXT, ID_MOVE_TAB_RIGHT},
    {FVIRTKEY | FCONTROL, '1', ID_SELECT_TAB_1},
    {FVIRTKEY | FCONTROL, '2', ID_SELECT_TAB_1 + 1},
    {FVIRTKEY | FCONTROL, '3', ID_SELECT_TAB_1 + 2},
    {FVIRTKEY | FCONTROL, '4', ID_SELECT_TAB_1 + 3},
    {FVIRTKEY | FCONTROL, '5', ID_SELECT_TAB_1 + 4},
    {FVIRTKEY | FCONTROL, '6', ID_SELECT_TAB_1 + 5},
    {FVIRTKEY | FCONTROL, '7', ID_SELECT_TAB_1 + 6},
    {FVIRTKEY | FCONTROL, '8', ID_SELECT_TAB_8},
    {FVIRTKEY | FCONTROL, '9', ID_LAST_TAB},
    {FVIRTKEY, VK_F5, ID_RELOAD_PAGE},
    {FVIRTKEY | FCONTROL, 'R', ID_RELOAD_PAGE},
    {FVIRTKEY, VK_F11, ID_TOGGLE_FULL_SCREEN},
    {FVIRTKEY | FALT, VK_LEFT, ID_BACK},
    {FVIRTKEY | FALT, VK_RIGHT, ID_NEXT},
    {FVIRTKEY | FCONTROL | FSHIFT, 'T', ID_REOPEN_CLOSED_TAB},
    {FVIRTKEY | FCONTROL, 'W', ID_CLOSE_TAB},
    {FVIRTKEY | FCONTROL | FSHIFT, 'W', ID_CLOSE_TAB},
};

bool IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

WORD ShortcutCommand(UINT virtualKey, bool ctrl, bool shift, bool alt) {
    // Like TranslateAcceleratorW: the modifiers held must be exactly the entry's.
    const BYTE modifiers = static_cast<BYTE>((ctrl ? FCONTROL : 0) | (shift ? FSHIFT : 0) | (alt ? FALT : 0));
    for (const ACCEL& shortcut : kShortcuts) {
        if (shortcut.key == virtualKey && (shortcut.fVirt & (FCONTROL | FSHIFT | FALT)) == modifiers) {
            return shortcut.cmd;
        }
    }
    return 0;
}

HACCEL CreateShortcutTable() {
    const int count = static_cast<int>(sizeof(kShortcuts) / sizeof(kShortcuts[0]));
    return CreateAcceleratorTableW(const_cast<ACCEL*>(kShortcuts), count);
}

HRESULT OnAcceleratorKeyPressed(ICoreWebView2Controller* /*sender*/,
                                ICoreWebView2AcceleratorKeyPressedEventArgs* args) {
    COREWEBVIEW2_KEY_EVENT_KIND kind = COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP;
    UINT key = 0;
    if (FAILED(args->get_KeyEventKind(&kind)) || FAILED(args->get_VirtualKey(&key))) return S_OK;
    if (kind != COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN && kind != COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN) {
        return S_OK;
    }
    // Alt held counts whether the key event or the thread's keyboard state
    // says so: AltGr is Ctrl+Alt, and AltGr+W types a character on many
    // layouts rather than closing a tab. Ctrl and Shift come from the
    // thread's keyboard state.
    COREWEBVIEW2_PHYSICAL_KEY_STATUS status = {};
    const bool alt = (SUCCEEDED(args->get_PhysicalKeyStatus(&status)) && status.IsMenuKeyDown) || IsKeyDown(VK_MENU);
    const WORD command = ShortcutCommand(key, IsKeyDown(VK_CONTROL), IsKeyDown(VK_SHIFT), alt);
    if (command == 0) return S_OK;
    args->put_Handled(TRUE);
    // High word 1: a command from an accelerator, as TranslateAcceleratorW sends it.
    PostMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return S_OK;
}
