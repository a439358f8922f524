// Creating tabs: the engine environment, a controller per tab, and wiring
// each new tab's web view to the browser's event handlers.
#pragma once

#include "core/EngineFailure.h"
#include "engine/WebViewInterfaces.h"

#include <wrl/client.h>

#include <string>

struct BrowserTab;

extern Microsoft::WRL::ComPtr<ICoreWebView2Environment> g_environment;

// Starts the engine: keeps where environments come from (the loader's export
// and the user data folder, needed again after the engine's browser process
// exits) and requests one with OnEnvironmentCreated. Returns the request's
// result; a failure is reported.
HRESULT StartEngineEnvironment(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder);

// Requests a new environment as start-up did; `completed` runs later. Returns
// the request's result: on a failure (reported) `completed` never runs.
HRESULT RequestEnvironment(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* completed);

// Tells the main window, by a posted message, that the engine could not give
// the browser a working tab. Once per failure: after one report, the next
// comes only for a later environment request. `source` tells whether loading
// the engine's loader failed or the engine itself.
void ReportEngineFailure(HRESULT failure, EngineFailureSource source = EngineFailureSource::Engine);

// Keeps `environment` in g_environment. A failure, or success without an
// environment, is reported; then it returns false.
bool KeepEnvironment(HRESULT result, ICoreWebView2Environment* environment);

// Keeps the environment and asks for the first tab.
HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment);

// Asks the engine for a new tab hosted in `parent`; does nothing before the
// environment exists.
void CreateNewTab(HWND parent);

// Adds `controller` as a tab: wires its handlers, inserts it at `position` in
// the list and the strip (captioned "New Tab") and makes it current when
// `makeCurrent` is set or no tab is current; otherwise hides it. What the tab
// shows is the caller's business. Returns its index, or -1, adding nothing,
// when the controller is null or brings no web view.
int AddTab(ICoreWebView2Controller* controller, size_t position, bool makeCurrent);

// Takes a tab back to an address it showed: the New Tab page where it showed
// it (or had shown nothing yet), otherwise the address itself.
void ShowAddress(BrowserTab& tab, const std::wstring& address);

// Whether a controller completion comes from an environment let go since the
// request (a failed engine's): then it is ignored, and its controller, if it
// brought one, closed.
bool IsStaleCompletion(ICoreWebView2Environment* requestedFrom, ICoreWebView2Controller* controller);

// A controller request that brought no tab: reported when the window is left
// without any tab (the first tab, or every tab of a recovery).
void ReportIfNoTabs(HRESULT result);

// Adds the tab at the end, makes it current and shows the New Tab page.
HRESULT OnControllerCreated(HRESULT result, ICoreWebView2Controller* controller);

// Drops every engine reference the browser holds (the tab strip empties with
// the tab list); run before COM ends. A later start of the engine may report
// its failure again.
void ReleaseEngineObjects();
