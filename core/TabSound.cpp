#include "core/TabSound.h"

#include "core/Tabs.h"

#include <wrl/client.h>

namespace {

Microsoft::WRL::ComPtr<ICoreWebView2_8> SoundOf(int index) {
    Microsoft::WRL::ComPtr<ICoreWebView2_8> webview;
    if (IsTabIndex(index)) g_tabs[index].webview.As(&webview);
    return webview;
}

}  // namespace

bool CanMuteTab(int index) { return SoundOf(index) != nullptr; }

bool IsTabMuted(int index) {
    const auto webview = SoundOf(index);
    BOOL muted = FALSE;
    return webview && SUCCEEDED(webview->get_IsMuted(&muted)) && muted;
}

void ToggleTabMute(int index) {
    if (const auto webview = SoundOf(index)) webview->put_IsMuted(IsTabMuted(index) ? FALSE : TRUE);
}
