// Finds the engine: loads its loader library at run time and looks up the
// export that creates environments.
#pragma once

#include "engine/WebViewInterfaces.h"

#include <string>

extern const wchar_t kEngineLoaderDll[];
extern const char kCreateEnvironmentExport[];

// Loads the loader library from `loaderPath` (a full path, so that no other
// folder is searched) and puts its environment-creating export into
// *createEnvironment. Returns the failure when the library or its export is
// missing. The library stays loaded for the life of the process.
HRESULT LoadEngineLoader(const std::wstring& loaderPath, CreateEnvironmentWithOptionsFn* createEnvironment);
