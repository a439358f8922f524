// The keyboard shortcuts: one table, read both by the message loop (turned
// into an accelerator table for TranslateAcceleratorW) and by the page's
// AcceleratorKeyPressed handler, so that a key does the same wherever the
// keyboard focus is. Each shortcut is the WM_COMMAND of a button or of a
// command of its own (core/WindowHandles.h).
#pragma once

#include "engine/WebViewInterfaces.h"

// The command of the shortcut for `virtualKey` pressed with exactly these
// modifiers, or 0 when there is none.
WORD ShortcutCommand(UINT virtualKey, bool ctrl, bool shift, bool alt);

// The table for TranslateAcceleratorW; the caller destroys it with
// DestroyAcceleratorTable. Null if it cannot be created.
HACCEL CreateShortcutTable();

// Keys offered by the engine while the page has the keyboard focus: a key-down
// (system key-downs included, for Alt combinations) that is a shortcut is
// marked handled, so the engine does not act on it as well, and its command is
// posted, so that it runs outside the engine's callback.
HRESULT OnAcceleratorKeyPressed(ICoreWebView2Controller* sender, ICoreWebView2AcceleratorKeyPressedEventArgs* args);
