// The engine's lifetime at the top: starting it with the first tab, and
// letting every engine object go when the window closes and before COM ends.
#pragma once

#include "core/EngineEnvironment.h"
#include "engine/WebViewInterfaces.h"

#include <string>

// Starts the engine: keeps where environments come from and requests one
// with OnEnvironmentCreated. Returns the request's result; a failure is
// reported.
HRESULT StartEngineEnvironment(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder);

// Loads the engine's loader from `loaderPath` (kept, to be loaded again by a
// later attempt when this one fails) and starts the engine with it. A loader
// that cannot be loaded is reported as such.
void StartEngineFromLoader(const std::wstring& loaderPath, const std::wstring& userDataFolder);

// What the user asked for that started the engine, done once it has.
enum class AfterEngineStart { NewTab, ReopenClosedTab };

// Keeps the environment; then every tab still waiting to come back from an
// earlier exit of the engine is asked for, and what started the engine is
// done: a new tab (the first one at start-up), or the most recently closed
// tab reopened (a new tab when there is none and no tab is waiting).
HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment);

// "+", Ctrl+T or Ctrl+Shift+T: while the engine is down (IsEngineDown), one
// new attempt to start it (loading its loader again if that had failed),
// doing `then` once it has started; otherwise `then` at once.
void NewTabOrRestart(HWND parent, AfterEngineStart then);

// The main window is being destroyed (WM_DESTROY): every tab's controller is
// closed while its parent window still exists, and the tabs are dropped, so
// that nothing is asked of them afterwards (no focus move, no script, no
// size). Nothing is remembered among the closed tabs.
void CloseTabsForExit();

// Drops every engine reference the browser holds (the tab strip empties with
// the tab list); run before COM ends. A later start of the engine may report
// its failure again.
void ReleaseEngineObjects();
