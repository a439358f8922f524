// Engine processes that fail: a tab's render process exits or hangs, or the
// engine's browser process exits and takes every tab with it (the recovery
// that follows is core/EngineRecovery.h).
#pragma once

#include "engine/WebViewInterfaces.h"

// A render process that exits again this soon after its tab was reloaded for
// an exit leaves the tab as it is, so that a page that crashes at once cannot
// loop.
constexpr unsigned long kCrashReloadIntervalMs = 10000;

// Notes the failure on the sender's tab and posts the work to the main window
// (WM_APP_TAB_PROCESS_FAILED, WM_APP_RECOVER_ENGINE), so that nothing runs
// inside the engine's callback. Events from web views that are no longer tabs
// are ignored; so are the kinds the engine recovers from itself.
HRESULT OnProcessFailed(ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args);

// WM_APP_TAB_PROCESS_FAILED: reloads the tabs whose render process exited (at
// most once per interval each), then asks, in a Yes/No box owned by `owner`,
// whether to reload each tab that stopped responding; once per hang.
void HandleTabProcessFailures(HWND owner);

// Whether a tab has seen the engine's browser process exit, and so a
// recovery (WM_APP_RECOVER_ENGINE) is on its way.
bool IsRecoveryPosted();
