#include "core/PageTools.h"

#include "core/EngineEnvironment.h"
#include "core/Tabs.h"
#include "engine/Handler.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// The current tab's find, or null when there is no tab or the engine has none.
ComPtr<ICoreWebView2Find> CurrentFind() {
    ComPtr<ICoreWebView2_28> webview;
    ComPtr<ICoreWebView2Find> find;
    if (CurrentWebView() == nullptr || FAILED(CurrentWebView()->QueryInterface(IID_PPV_ARGS(&webview)))) return nullptr;
    if (FAILED(webview->get_Find(&find))) return nullptr;
    return find;
}

}  // namespace

void StartFindInPage() {
    ComPtr<ICoreWebView2Environment15> environment;
    ComPtr<ICoreWebView2FindOptions> options;
    if (!g_environment || FAILED(g_environment.As(&environment))) return;
    const ComPtr<ICoreWebView2Find> find = CurrentFind();
    if (!find || FAILED(environment->CreateFindOptions(&options)) || !options) return;
    // The engine's own find bar, where the user types the text.
    options->put_SuppressDefaultFindDialog(FALSE);
    // Found again by its web view: the tab may have moved or closed meanwhile.
    const ComPtr<ICoreWebView2> started = CurrentWebView();
    const auto completed = MakeHandler<ICoreWebView2FindStartCompletedHandler>([started](HRESULT result) {
        const int index = FindTabByWebView(started.Get());
        if (SUCCEEDED(result) && index != -1) g_tabs[index].findStarted = true;
        return S_OK;
    });
    find->Start(options.Get(), completed.Get());
}

void FindAgainInPage(bool forward) {
    if (!IsTabIndex(g_currentTab) || !g_tabs[g_currentTab].findStarted) return;
    const ComPtr<ICoreWebView2Find> find = CurrentFind();
    if (!find) return;
    if (forward) {
        find->FindNext();
    } else {
        find->FindPrevious();
    }
}

void PrintPage() {
    ComPtr<ICoreWebView2_16> webview;
    if (CurrentWebView() == nullptr || FAILED(CurrentWebView()->QueryInterface(IID_PPV_ARGS(&webview)))) return;
    webview->ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER);
}
