#include "core/EngineEnvironment.h"

#include "core/AppMessages.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

using Microsoft::WRL::ComPtr;

ComPtr<ICoreWebView2Environment> g_environment;

namespace {

CreateEnvironmentWithOptionsFn g_createEnvironment = nullptr;
std::wstring g_userDataFolder;
bool g_engineFailureReported = false;

}  // namespace

void SetEngineSource(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder) {
    g_createEnvironment = createEnvironment;
    g_userDataFolder = userDataFolder;
}

bool HasEngineSource() { return g_createEnvironment != nullptr; }

void BeginEngineAttempt() { g_engineFailureReported = false; }

HRESULT RequestEnvironment(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* completed) {
    // A new attempt: its failure is a new one, worth telling.
    BeginEngineAttempt();
    const HRESULT result = g_createEnvironment != nullptr
                               ? g_createEnvironment(nullptr, g_userDataFolder.c_str(), nullptr, completed)
                               : E_UNEXPECTED;
    if (FAILED(result)) ReportEngineFailure(result);
    return result;
}

bool KeepEnvironment(HRESULT result, ICoreWebView2Environment* environment) {
    g_environment = environment;
    if (SUCCEEDED(result) && environment != nullptr) return true;
    ReportEngineFailure(FAILED(result) ? result : E_POINTER);
    return false;
}

void ReportEngineFailure(HRESULT failure, EngineFailureSource source) {
    if (g_engineFailureReported) return;
    g_engineFailureReported = true;
    PostMessageW(g_hMainWnd, WM_APP_ENGINE_START_FAILED, static_cast<WPARAM>(static_cast<ULONG>(failure)),
                 static_cast<LPARAM>(source));
}

void ReportIfNoTabs(HRESULT result) {
    if (g_tabs.empty()) ReportEngineFailure(FAILED(result) ? result : E_NOINTERFACE);
}

bool IsEngineUnavailable() {
    return g_engineFailureReported && g_tabs.empty();
}

bool IsEngineDown() {
    return g_engineFailureReported && !g_environment;
}

void ReleaseEnvironment() {
    g_environment.Reset();
    g_engineFailureReported = false;
}
