// The keyboard shortcuts: one table and one matcher, used both by the message
// loop (keys for the browser's own controls) and by the page's
// AcceleratorKeyPressed handler, with the same reading of the modifier keys,
// so that a key does the same wherever the keyboard focus is. Each shortcut is
// the WM_COMMAND of a button or of a command of its own (core/CommandIds.h).
#pragma once

#include "engine/WebViewInterfaces.h"

// The command of the shortcut for `virtualKey` pressed with exactly these
// modifiers, or 0 when there is none.
WORD ShortcutCommand(UINT virtualKey, bool ctrl, bool shift, bool alt);

// The command for a key-down of `virtualKey`, or 0. Ctrl, Shift and Alt are
// read from the thread's keyboard state; Alt also counts when the key event
// itself says it was held (`altHeld`). AltGr is Ctrl+Alt, so it matches no
// Ctrl shortcut: AltGr+W types a character on many layouts. A key-down that
// repeats a held key (`repeat`) acts only for the shortcuts that repeat
// (F11 toggles once per press).
WORD ShortcutForKeyDown(UINT virtualKey, bool altHeld, bool repeat);

// A key message the message loop is about to dispatch: when it is a
// shortcut's key-down for the main window or one of its controls, sends the
// command to the main window and returns true.
bool TranslateShortcut(const MSG& msg);

// Keys offered by the engine while the page has the keyboard focus: a key-down
// (system key-downs included, for Alt combinations) that is a shortcut is
// marked handled, so the engine does not act on it as well, and its command is
// posted, so that it runs outside the engine's callback.
HRESULT OnAcceleratorKeyPressed(ICoreWebView2Controller* sender, ICoreWebView2AcceleratorKeyPressedEventArgs* args);
