#include "engine/EngineLoader.h"

const wchar_t kEngineLoaderDll[] = L"WebView2Loader.dll";
const char kCreateEnvironmentExport[] = "CreateCoreWebView2EnvironmentWithOptions";

namespace {

HRESULT LastErrorAsHresult() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace

HRESULT LoadEngineLoader(const std::wstring& loaderPath, CreateEnvironmentWithOptionsFn* createEnvironment) {
    *createEnvironment = nullptr;
    // Never freed: the engine's objects live in it.
    HMODULE loader = LoadLibraryW(loaderPath.c_str());
    if (loader == nullptr) return LastErrorAsHresult();

    FARPROC exported = GetProcAddress(loader, kCreateEnvironmentExport);
    if (exported == nullptr) return LastErrorAsHresult();
    // Through void* because FARPROC's own type matches no real function.
    *createEnvironment = reinterpret_cast<CreateEnvironmentWithOptionsFn>(reinterpret_cast<void*>(exported));
    return S_OK;
}
