// Starts the engine: loads its loader library at run time and asks it for
// an environment.
#pragma once

#include "engine/WebViewInterfaces.h"

#include <string>

extern const wchar_t kEngineLoaderDll[];
extern const char kCreateEnvironmentExport[];

// Loads the loader library from `loaderPath` (a full path, so that no other
// folder is searched) and requests the environment for `userDataFolder`;
// `completed` runs later on this thread. Returns the failure when the library
// or its export is missing or the request itself fails, in which case
// `completed` never runs.
HRESULT RequestEngineEnvironment(const std::wstring& loaderPath, const std::wstring& userDataFolder,
                                 ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* completed);
