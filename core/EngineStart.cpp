#include "core/EngineStart.h"

#include "core/EngineRecovery.h"
#include "core/FullScreen.h"
#include "core/NewWindows.h"
#include "core/TabActions.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/EngineLoader.h"
#include "engine/Handler.h"

HRESULT StartEngineEnvironment(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder) {
    SetEngineSource(createEnvironment, userDataFolder);
    return RequestEnvironment(
        MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(OnEnvironmentCreated).Get());
}

namespace {

AfterEngineStart g_afterStart = AfterEngineStart::NewTab;
std::wstring g_loaderPath;       // where the loader is loaded from
std::wstring g_userDataFolder;   // the engine's profile

}  // namespace

HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment) {
    const AfterEngineStart then = g_afterStart;
    g_afterStart = AfterEngineStart::NewTab;
    if (!KeepEnvironment(result, environment)) return S_OK;
    const bool waiting = ReopenWaitingTabs();
    if (then == AfterEngineStart::NewTab || (!ReopenClosedTab(g_hMainWnd) && !waiting)) CreateNewTab(g_hMainWnd);
    return S_OK;
}

void StartEngineFromLoader(const std::wstring& loaderPath, const std::wstring& userDataFolder) {
    g_loaderPath = loaderPath;
    g_userDataFolder = userDataFolder;
    BeginEngineAttempt();
    CreateEnvironmentWithOptionsFn createEnvironment = nullptr;
    const HRESULT loaded = LoadEngineLoader(loaderPath, &createEnvironment);
    if (FAILED(loaded)) {
        ReportEngineFailure(loaded, EngineFailureSource::Loader);
        return;
    }
    StartEngineEnvironment(createEnvironment, userDataFolder);
}

void NewTabOrRestart(HWND parent, AfterEngineStart then) {
    if (!IsEngineDown()) {
        if (then == AfterEngineStart::NewTab) {
            CreateNewTab(parent);
        } else {
            ReopenClosedTab(parent);
        }
        return;
    }
    g_afterStart = then;
    if (HasEngineSource()) {
        RequestEnvironment(
            MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(OnEnvironmentCreated).Get());
    } else {
        StartEngineFromLoader(g_loaderPath, g_userDataFolder);
    }
}

void CloseTabsForExit() {
    ForgetFullScreen();
    for (const BrowserTab& tab : TakeAllTabs()) tab.controller->Close();
    DeclinePendingNewWindows();
}

void ReleaseEngineObjects() {
    ForgetEngineRecovery();
    ClearTabs();
    DeclinePendingNewWindows();
    ReleaseEnvironment();
}
