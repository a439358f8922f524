// What a failure to start the web engine means to a person: which part is
// missing or wrong, so that the message can say what to do about it.
#pragma once

#include <windows.h>

// Where the failure came from: loading WebView2Loader.dll beside velquin.exe,
// or the engine that the loaded loader was asked to start.
enum class EngineFailureSource { Loader, Engine };

enum class EngineFailureKind {
    LoaderMissing,   // no WebView2Loader.dll beside velquin.exe
    NotALoader,      // a WebView2Loader.dll that cannot be used as the loader
    RuntimeMissing,  // the loader found no WebView2 Runtime installed
    Other,
};

EngineFailureKind ClassifyEngineFailure(EngineFailureSource source, HRESULT failure);
