// The loader library's export. WebView2Loader.def exports it under its plain
// name for mingw and MSVC alike.
#include "devengine/Internal.h"

STDAPI CreateCoreWebView2EnvironmentWithOptions(PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
                                                ICoreWebView2EnvironmentOptions* environmentOptions,
                                                ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
    static bool started = false;
    if (!started) {
        started = true;
        // The engine's windows live as long as the process: keep their window
        // procedures loaded even if the browser frees the library.
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&CreateCoreWebView2EnvironmentWithOptions), &self);
        devengine::LoadKnobsFromEnvironment();
        devengine::StartControlChannel();
    }
    return devengine::CreateEnvironment(browserExecutableFolder, userDataFolder, environmentOptions, handler);
}
