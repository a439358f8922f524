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

// Keeps the environment and asks for the first tab.
HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment);

// The main window is being destroyed (WM_DESTROY): every tab's controller is
// closed while its parent window still exists, and the tabs are dropped, so
// that nothing is asked of them afterwards (no focus move, no script, no
// size). Nothing is remembered among the closed tabs.
void CloseTabsForExit();

// Drops every engine reference the browser holds (the tab strip empties with
// the tab list); run before COM ends. A later start of the engine may report
// its failure again.
void ReleaseEngineObjects();
