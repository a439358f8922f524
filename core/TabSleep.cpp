#include "core/TabSleep.h"

#include "core/Tabs.h"
#include "engine/Handler.h"

#include <wrl/client.h>

namespace {

// Whether the page may be put to sleep now. What the engine fails to tell
// counts against it: a page that might play sound or be full screen stays
// awake. An engine without sound events is left to refuse a page that plays
// sound itself, as it does, so that sleep does not go with that feature.
bool PageMaySleep(const BrowserTab& tab) {
    if (tab.loading || tab.pageFullScreen) return false;
    BOOL fullScreen = TRUE;
    if (FAILED(tab.webview->get_ContainsFullScreenElement(&fullScreen)) || fullScreen) return false;
    Microsoft::WRL::ComPtr<ICoreWebView2_8> sound;
    if (FAILED(tab.webview.As(&sound))) return true;
    BOOL playing = TRUE;
    return SUCCEEDED(sound->get_IsDocumentPlayingAudio(&playing)) && playing == FALSE;
}

// Five minutes after it went out of sight, or after the latest try while it
// has been out of sight since.
bool IsDue(const BrowserTab& tab, ULONGLONG now) {
    if (tab.backgroundSince == 0) return false;
    const bool triedSince = tab.lastSleepTryBackground == tab.backgroundSince;
    return now >= (triedSince ? tab.lastSleepTry : tab.backgroundSince) + kTabSleepDelayMs;
}

void TrySleep(BrowserTab& tab, ULONGLONG now) {
    Microsoft::WRL::ComPtr<ICoreWebView2_3> sleeper;
    if (FAILED(tab.webview.As(&sleeper))) return;
    BOOL suspended = FALSE;
    if (SUCCEEDED(sleeper->get_IsSuspended(&suspended)) && suspended) return;
    if (!PageMaySleep(tab)) return;
    tab.lastSleepTry = now;
    tab.lastSleepTryBackground = tab.backgroundSince;
    // The engine keeps whether the page sleeps; the completion has nothing to
    // change: a refusal or an error waits for the next try, counted from this
    // one, and a completion for a tab closed meanwhile reaches nothing.
    auto completed = MakeHandler<ICoreWebView2TrySuspendCompletedHandler>(
        [](HRESULT /*result*/, BOOL /*isSuccessful*/) -> HRESULT { return S_OK; });
    sleeper->TrySuspend(completed.Get());
}

}  // namespace

void PutIdleTabsToSleep(ULONGLONG now) {
    for (int index = 0; index < static_cast<int>(g_tabs.size()); ++index) {
        if (index == g_currentTab || !IsDue(g_tabs[index], now)) continue;
        TrySleep(g_tabs[index], now);
    }
}
