#include "core/MemoryLevels.h"

#include "core/Tabs.h"

#include <wrl/client.h>

void SetTabInBackground(int index, bool background) {
    if (!IsTabIndex(index) || g_tabs[index].inBackground == background) return;
    Microsoft::WRL::ComPtr<ICoreWebView2_19> webview;
    if (FAILED(g_tabs[index].webview.As(&webview))) return;
    const HRESULT set = webview->put_MemoryUsageTargetLevel(background ? COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW
                                                                       : COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_NORMAL);
    // A failed call is tried again at the next change.
    if (SUCCEEDED(set)) g_tabs[index].inBackground = background;
}
