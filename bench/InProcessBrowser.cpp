#include "bench/InProcessBrowser.h"

#include "bench/BenchSupport.h"
#include "core/CommandIds.h"
#include "core/EngineStart.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "devengine/DevEngine.h"
#include "engine/Handler.h"
#include "shell/Startup.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

const wchar_t kBenchUserDataFolder[] = L"C:\\velquin-bench\\Browser_Data";

namespace {

// Opening or closing many tabs, the engine's queue is drained this often.
const size_t kTabsPerSettle = 50;

}  // namespace

void PrepareUiThread() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    InitCommonControls();
}

void OpenBrowserWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (RegisterMainWindowClass(instance) == 0 || (g_hMainWnd = CreateMainWindow(instance)) == nullptr) {
        Note("cannot create the browser's main window");
        exit(1);
    }
    ShowWindow(g_hMainWnd, SW_SHOWNORMAL);
    Settle();
}

void StartBrowserEngine() {
    if (FAILED(RequestBrowserEnvironment(kBenchUserDataFolder))) {
        Note("the engine environment request failed");
        exit(1);
    }
    Settle();
    if (g_tabs.size() != 1) {
        Note("the first tab did not arrive");
        exit(1);
    }
}

Microsoft::WRL::ComPtr<ICoreWebView2Environment> RequestEnvironment() {
    Microsoft::WRL::ComPtr<ICoreWebView2Environment> environment;
    const auto keep = [&environment](HRESULT, ICoreWebView2Environment* created) {
        environment = created;
        return S_OK;
    };
    devengine::CreateEnvironment(nullptr, kBenchUserDataFolder, nullptr,
                                 MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(keep).Get());
    Settle();
    return environment;
}

void Settle() {
    if (!devengine::RunPending(60000)) {
        Note("the engine still had work queued after a minute");
        exit(1);
    }
}

void SetTabCount(size_t count) {
    while (g_tabs.size() != count) {
        const size_t before = g_tabs.size();
        const int command = before < count ? ID_NEW_TAB : ID_CLOSE_TAB;
        const size_t steps = before < count ? count - before : before - count;
        for (size_t i = 0; i < steps && i < kTabsPerSettle; ++i) ClickButton(command);
        Settle();
        if (g_tabs.size() == before) {
            Note("the tab count stays at %zu", before);
            exit(1);
        }
    }
}

void CloseBrowser() {
    ReleaseEngineObjects();
    DestroyWindow(g_hMainWnd);
    devengine::Reset();
    CoUninitialize();
}
