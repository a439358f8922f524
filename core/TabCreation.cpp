#include "core/TabCreation.h"

#include "core/CurrentTab.h"
#include "core/EngineEnvironment.h"
#include "core/FullScreen.h"
#include "core/History.h"
#include "core/Loading.h"
#include "core/MemoryLevels.h"
#include "core/NavigationButtons.h"
#include "core/NewTabPage.h"
#include "core/NewWindows.h"
#include "core/ProcessFailures.h"
#include "core/Shortcuts.h"
#include "core/SourceChanges.h"
#include "core/TabIcons.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wrl/client.h>

#include <memory>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {

// Registers the browser's handlers on a new tab's web view and controller.
void RegisterTabHandlers(BrowserTab& tab) {
    tab.webview->add_WebMessageReceived(
        MakeHandler<ICoreWebView2WebMessageReceivedEventHandler>(OnWebMessageReceived).Get(), nullptr);
    tab.webview->add_DocumentTitleChanged(
        MakeHandler<ICoreWebView2DocumentTitleChangedEventHandler>(OnDocumentTitleChanged).Get(),
        &tab.titleChangedToken);
    tab.webview->add_SourceChanged(MakeHandler<ICoreWebView2SourceChangedEventHandler>(OnSourceChanged).Get(),
                                   nullptr);
    tab.webview->add_HistoryChanged(MakeHandler<ICoreWebView2HistoryChangedEventHandler>(OnHistoryChanged).Get(),
                                    nullptr);
    tab.controller->add_AcceleratorKeyPressed(
        MakeHandler<ICoreWebView2AcceleratorKeyPressedEventHandler>(OnAcceleratorKeyPressed).Get(), nullptr);
    tab.webview->add_NewWindowRequested(
        MakeHandler<ICoreWebView2NewWindowRequestedEventHandler>(OnNewWindowRequested).Get(), nullptr);
    tab.webview->add_ProcessFailed(MakeHandler<ICoreWebView2ProcessFailedEventHandler>(OnProcessFailed).Get(),
                                   nullptr);
    tab.webview->add_NavigationStarting(
        MakeHandler<ICoreWebView2NavigationStartingEventHandler>(OnNavigationStarting).Get(), nullptr);
    tab.webview->add_NavigationCompleted(
        MakeHandler<ICoreWebView2NavigationCompletedEventHandler>(OnNavigationCompleted).Get(), nullptr);
    tab.webview->add_ContainsFullScreenElementChanged(
        MakeHandler<ICoreWebView2ContainsFullScreenElementChangedEventHandler>(OnContainsFullScreenElementChanged)
            .Get(),
        nullptr);
    RegisterTabIconHandlers(tab);
}

// The engine answered `request`, asked of `requestedFrom`.
void CompleteTabRequest(const TabRequest& request, ICoreWebView2Environment* requestedFrom, HRESULT result,
                        ICoreWebView2Controller* controller) {
    // The engine was let go since the request (a failed one's): its controller is dead.
    if (requestedFrom != g_environment.Get()) {
        if (controller != nullptr) controller->Close();
        request.failed(result, true);
        return;
    }
    const size_t position = request.position ? request.position() : g_tabs.size();
    const int index = AddTab(controller, position, request.makeCurrent, request.keyboard);
    if (index == -1) {
        request.failed(FAILED(result) ? result : E_NOINTERFACE, false);
        return;
    }
    request.show(g_tabs[index]);
}

}  // namespace

void RequestTab(HWND parent, TabRequest request) {
    if (!g_environment) {
        request.failed(E_UNEXPECTED, true);
        return;
    }
    // Shared with the completion handler: whichever path runs uses it once.
    auto shared = std::make_shared<TabRequest>(std::move(request));
    const ComPtr<ICoreWebView2Environment> environment = g_environment;
    auto completed = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [shared, environment](HRESULT result, ICoreWebView2Controller* controller) {
            CompleteTabRequest(*shared, environment.Get(), result, controller);
            return S_OK;
        });
    const HRESULT asked = environment->CreateCoreWebView2Controller(parent, completed.Get());
    // No completion will come.
    if (FAILED(asked)) shared->failed(asked, false);
}

void ReportTabFailure(HRESULT failure, bool stale) {
    if (!stale) ReportIfNoTabs(failure);
}

void CreateNewTab(HWND parent) {
    if (!g_environment) return;
    TabRequest request;
    // Ready for typing, as the New Tab page's own box makes it: the address
    // bar has the focus with all its text selected.
    request.keyboard = KeyboardAfterChange::AddressBar;
    request.show = [](BrowserTab& tab) { tab.webview->NavigateToString(NewTabPageHtml); };
    request.failed = ReportTabFailure;
    RequestTab(parent, std::move(request));
}

void DiscardNewTab(ICoreWebView2* discarded, ICoreWebView2* previous) {
    const int index = FindTabByWebView(discarded);
    if (index == -1) return;
    // The only tab stays, on the New Tab page.
    if (g_tabs.size() < 2) {
        g_tabs[index].webview->NavigateToString(NewTabPageHtml);
        return;
    }
    const bool wasCurrent = index == g_currentTab;
    EraseTab(index).controller->Close();
    if (!wasCurrent) return;
    const int back = FindTabByWebView(previous);
    if (back != -1) MakeTabCurrent(back);
    ShowCurrentTab(KeyboardAfterChange::Page);
}

int AddTab(ICoreWebView2Controller* controller, size_t position, bool makeCurrent, KeyboardAfterChange keyboard) {
    if (controller == nullptr) return -1;

    BrowserTab tab;
    tab.controller = controller;
    tab.controller->get_CoreWebView2(&tab.webview);
    if (!tab.webview) return -1;

    RegisterTabHandlers(tab);
    const bool firstTab = g_currentTab == -1;
    const int index = InsertTab(std::move(tab), position);
    RefreshTabIcon(index);
    if (makeCurrent && !firstTab) {
        EndTabFullScreen(g_currentTab);
        MakeTabCurrent(index);
    }
    if (index == g_currentTab) {
        ShowCurrentTab(keyboard);
    } else {
        g_tabs[index].controller->put_IsVisible(FALSE);
        SetTabInBackground(index, true);
    }
    return index;
}

void ShowAddress(BrowserTab& tab, const std::wstring& address) {
    if (address.empty() || IsNewTabPageSource(address)) {
        tab.webview->NavigateToString(NewTabPageHtml);
        return;
    }
    tab.lastSource = address;
    tab.webview->Navigate(address.c_str());
}

void OpenRequestedWindows(HWND parent) {
    for (NewWindowRequestPtr& window : TakeNewWindowRequests()) {
        TabRequest request;
        // At the end; asked just before the tab is added, so the tab current then is known.
        request.position = [window] {
            window->previousTab = CurrentWebView();
            return g_tabs.size();
        };
        request.show = [window](BrowserTab& tab) {
            if (!HandOverNewWindow(*window, tab)) DiscardNewTab(tab.webview.Get(), window->previousTab.Get());
        };
        // No tab: the request is answered with no new window.
        request.failed = [window](HRESULT, bool) { DeclineNewWindow(*window); };
        RequestTab(parent, std::move(request));
    }
}
