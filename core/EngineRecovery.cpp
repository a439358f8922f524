#include "core/EngineRecovery.h"

#include "core/AddressBarText.h"
#include "core/ClosedTabs.h"
#include "core/CurrentTab.h"
#include "core/EngineEnvironment.h"
#include "core/FullScreen.h"
#include "core/ProcessFailures.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wrl/client.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// One tab waiting to come back after the engine's browser process exited.
struct TabToReopen {
    std::wstring address;       // where it was
    ComPtr<ICoreWebView2> back;  // its new web view once it is back; null until then
    bool settled = false;       // back, or given up and put among the closed tabs
    ComPtr<ICoreWebView2Environment> lostIn;  // the engine that could not make it, when given up
};

// The recovery's state, in one place: every tab to reopen, in tab order, kept
// until each is back or given up, so that another exit of the engine in the
// meantime reopens those not back yet as well.
std::vector<TabToReopen> g_tabsToReopen;
int g_currentToReopen = -1;  // which of them was current
// The tab the recovery made current because it came back first, while no tab
// was: the one that was current takes over from it when it comes back, unless
// the user has chosen another tab or started typing meanwhile.
const ICoreWebView2* g_currentStandIn = nullptr;

// The tabs to reopen now: those open, in the strip's order, at their latest
// address, and those of an earlier recovery not back yet, each after the tab
// that came before it. The tab current before the first exit stays current
// while it is not back.
void CollectTabsToReopen() {
    std::vector<TabToReopen> collected;
    int currentNotBack = -1;
    int currentOpen = -1;
    auto add = [&collected](const std::wstring& address) {
        TabToReopen tab;
        tab.address = address;
        collected.push_back(tab);
        return static_cast<int>(collected.size()) - 1;
    };
    size_t nextOpen = 0;
    auto addOpenTabsBefore = [&](size_t end) {
        for (; nextOpen < end; ++nextOpen) {
            const int added = add(g_tabs[nextOpen].lastSource);
            if (static_cast<int>(nextOpen) == g_currentTab) currentOpen = added;
        }
    };
    for (size_t i = 0; i < g_tabsToReopen.size(); ++i) {
        const TabToReopen& earlier = g_tabsToReopen[i];
        // Refused by the engine that is exiting now, for that very reason:
        // back out of the closed tabs (unless the user reopened it already).
        const bool refusedByDyingEngine = earlier.settled && !earlier.back && earlier.lostIn &&
                                          earlier.lostIn == g_environment && ForgetClosedTab(earlier.address);
        if (!earlier.settled || refusedByDyingEngine) {
            const int added = add(earlier.address);
            if (static_cast<int>(i) == g_currentToReopen) currentNotBack = added;
            continue;
        }
        const int index = earlier.back ? FindTabByWebView(earlier.back.Get()) : -1;
        if (index != -1) addOpenTabsBefore(static_cast<size_t>(index) + 1);
    }
    addOpenTabsBefore(g_tabs.size());
    // An engine that failed before any tab came still gets one.
    if (collected.empty()) add(std::wstring());
    g_tabsToReopen.swap(collected);
    g_currentToReopen = currentNotBack != -1 ? currentNotBack : (currentOpen != -1 ? currentOpen : 0);
}

// Where reopened tab `position` goes: right after the nearest one before it that is back.
size_t ReopenedTabIndex(size_t position) {
    for (size_t i = position; i-- > 0;) {
        const int index = g_tabsToReopen[i].back ? FindTabByWebView(g_tabsToReopen[i].back.Get()) : -1;
        if (index != -1) return static_cast<size_t>(index) + 1;
    }
    return 0;
}

// Once every tab is back, the recovery is over. A tab given up is kept in
// mind until the next recovery: the engine that
// refused it may turn out to have been exiting.
void ForgetRecoveryWhenDone() {
    for (const TabToReopen& tab : g_tabsToReopen) {
        if (!tab.settled || tab.lostIn) return;
    }
    g_tabsToReopen.clear();
    g_currentToReopen = -1;
}

// A reopened tab arrived: the first to arrive was made current (no tab was);
// the one that was current before takes over from it, as long as the user
// has kept to the stand-in and is not typing in the address bar.
void TakeOverAsCurrent(ICoreWebView2* arrived, bool wasCurrent) {
    const int index = FindTabByWebView(arrived);
    if (index == g_currentTab && !wasCurrent) g_currentStandIn = arrived;
    if (!wasCurrent || index == g_currentTab) return;
    if (CurrentWebView() != g_currentStandIn || IsAddressBeingEdited()) return;
    EndTabFullScreen(g_currentTab);
    MakeTabCurrent(index);
    ShowCurrentTab(KeyboardAfterChange::Page);
}

// Every tab of the recovery has been answered, and none came back.
bool NoTabCameBack() {
    for (const TabToReopen& tab : g_tabsToReopen) {
        if (!tab.settled || tab.back) return false;
    }
    return true;
}

void RequestReopenedTab(size_t position) {
    TabRequest request;
    request.position = [position] { return ReopenedTabIndex(position); };
    // Whether it becomes current is decided when it arrives.
    request.makeCurrent = false;
    request.show = [position](BrowserTab& tab) {
        TabToReopen& reopened = g_tabsToReopen[position];
        reopened.back = tab.webview;
        reopened.settled = true;
        ShowAddress(tab, reopened.address);
        TakeOverAsCurrent(tab.webview.Get(), static_cast<int>(position) == g_currentToReopen);
        ForgetRecoveryWhenDone();
    };
    request.failed = [position](HRESULT failure, bool stale) {
        // The engine failed again: the next recovery takes this tab along.
        if (stale) return;
        // The engine works but this tab cannot be made: Ctrl+Shift+T may bring it back.
        TabToReopen& lost = g_tabsToReopen[position];
        lost.settled = true;
        lost.lostIn = g_environment;
        RememberClosedTab(lost.address);
        // One tab the engine refused is no engine failure: only when it made
        // none of them is the user told.
        if (NoTabCameBack()) ReportIfNoTabs(failure);
        ForgetRecoveryWhenDone();
    };
    RequestTab(g_hMainWnd, std::move(request));
}

HRESULT OnRecoveredEnvironment(HRESULT result, ICoreWebView2Environment* environment) {
    if (KeepEnvironment(result, environment)) ReopenWaitingTabs();
    return S_OK;
}

}  // namespace

void RecoverEngine() {
    if (!IsRecoveryPosted()) return;
    CollectTabsToReopen();
    g_currentStandIn = nullptr;

    // The dead objects go first, then the environment. Their pages are gone
    // with the engine: a full screen ends without asking them.
    DropTabFullScreen(g_currentTab);
    for (const BrowserTab& tab : TakeAllTabs()) tab.controller->Close();
    ShowCurrentTab(KeyboardAfterChange::Stays);
    g_environment.Reset();

    RequestEnvironment(
        MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(OnRecoveredEnvironment).Get());
}

bool ReopenWaitingTabs() {
    bool waiting = false;
    const size_t count = g_tabsToReopen.size();
    for (size_t position = 0; position < count; ++position) {
        if (g_tabsToReopen[position].settled) continue;
        waiting = true;
        RequestReopenedTab(position);
    }
    return waiting;
}

void ForgetEngineRecovery() {
    g_currentStandIn = nullptr;
    g_tabsToReopen.clear();
    g_currentToReopen = -1;
}
