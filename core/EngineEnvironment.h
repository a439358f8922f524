// The engine environment every tab comes from, how one is requested (at
// start-up and again after the engine's browser process exits), and telling
// the user when the engine cannot give the browser a working tab.
#pragma once

#include "core/EngineFailure.h"
#include "engine/WebViewInterfaces.h"

#include <wrl/client.h>

#include <string>

extern Microsoft::WRL::ComPtr<ICoreWebView2Environment> g_environment;

// Keeps where environments come from: the loader's export and the user data
// folder, needed again after the engine's browser process exits.
void SetEngineSource(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder);

// Whether a loader was loaded, so that environments can be requested.
bool HasEngineSource();

// A new attempt to start the engine begins: its failure is reported again,
// even when the previous attempt's was.
void BeginEngineAttempt();

// Requests a new environment from the engine's source; `completed` runs later.
// Returns the request's result: on a failure (reported) `completed` never runs.
HRESULT RequestEnvironment(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* completed);

// Keeps `environment` in g_environment. A failure, or success without an
// environment, is reported; then it returns false.
bool KeepEnvironment(HRESULT result, ICoreWebView2Environment* environment);

// Tells the main window, by a posted message, that the engine could not give
// the browser a working tab. Once per failure: after one report, the next
// comes only for a later environment request. `source` tells whether loading
// the engine's loader failed or the engine itself.
void ReportEngineFailure(HRESULT failure, EngineFailureSource source = EngineFailureSource::Engine);

// A tab request that brought no tab: reported when the window is left without
// any tab (the first tab, or every tab of a recovery).
void ReportIfNoTabs(HRESULT result);

// Whether the engine failed and was reported, and the window has no tab.
bool IsEngineUnavailable();

// Whether the engine is down: its failure was reported and no environment
// came, nor is one on its way. Only a new attempt (the user's) can start it.
bool IsEngineDown();

// Lets the environment go; whatever starts the engine after this is a new
// attempt, whose failure is reported again.
void ReleaseEnvironment();
