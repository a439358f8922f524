#include "core/MemoryLevels.h"

#include "core/Tabs.h"

#include <wrl/client.h>

void SetTabInBackground(int index, bool background) {
    if (!IsTabIndex(index)) return;
    BrowserTab& tab = g_tabs[index];
    // The first time out of sight counts: a switch away from a tab of a
    // minimised window keeps the time of the minimising.
    if (!background) {
        tab.backgroundSince = 0;
    } else if (tab.backgroundSince == 0) {
        tab.backgroundSince = GetTickCount64();
    }
    if (tab.inBackground == background) return;
    Microsoft::WRL::ComPtr<ICoreWebView2_19> webview;
    if (FAILED(tab.webview.As(&webview))) return;
    const HRESULT set = webview->put_MemoryUsageTargetLevel(background ? COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW
                                                                       : COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL);
    // A failed call is tried again at the next change.
    if (SUCCEEDED(set)) tab.inBackground = background;
}
