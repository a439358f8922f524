#include "core/EngineStart.h"

#include "core/EngineRecovery.h"
#include "core/FullScreen.h"
#include "core/NewWindows.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

HRESULT StartEngineEnvironment(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder) {
    SetEngineSource(createEnvironment, userDataFolder);
    return RequestEnvironment(
        MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(OnEnvironmentCreated).Get());
}

HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment) {
    KeepEnvironment(result, environment);
    CreateNewTab(g_hMainWnd);
    return S_OK;
}

void CloseTabsForExit() {
    ForgetFullScreen();
    for (const BrowserTab& tab : g_tabs) tab.controller->Close();
    ClearTabs();
    DeclinePendingNewWindows();
}

void ReleaseEngineObjects() {
    ForgetEngineRecovery();
    ClearTabs();
    DeclinePendingNewWindows();
    ReleaseEnvironment();
}
