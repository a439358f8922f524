// The browser in this process, on its real main window, with the stand-in
// engine linked in: what the in-process benchmarks drive. Every step goes
// through the main window's own message handling, as a user's click would
// (the drivers of tests/support: ClickButton, SelectTab, ...).
#pragma once

#include "engine/WebViewInterfaces.h"
#include "tests/support/BrowserDriver.h"

#include <wrl/client.h>

#include <cstddef>

// Where the engine is told to keep its profile (the stand-in writes nothing).
extern const wchar_t kBenchUserDataFolder[];

// Prepares the thread (COM apartment, common controls) as start-up does.
void PrepareUiThread();
// Creates and shows the browser's main window.
void OpenBrowserWindow();
// Requests the engine environment as start-up does and waits for the first tab.
void StartBrowserEngine();
// An environment of its own, straight from the stand-in engine, for tabs wired
// by hand rather than by the browser; null if the engine made none.
Microsoft::WRL::ComPtr<ICoreWebView2Environment> RequestEnvironment();
// Delivers everything queued: engine completions and events, window messages
// and paints. Ends the process if the engine is still busy after a minute.
void Settle();
// Presses "+" or "X" until `count` tabs are open (at least one).
void SetTabCount(size_t count);
// Releases the engine objects, destroys the window and leaves COM.
void CloseBrowser();
