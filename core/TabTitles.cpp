#include "core/TabTitles.h"

#include "core/EngineString.h"
#include "core/ShownTooltips.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

std::wstring CaptionForTitle(const std::wstring& title) {
    if (title.empty() || MentionsNewTabPage(title) || title.size() > kMaxCaptionLength) return L"New Tab";
    return title;
}

void UpdateTabTitle(int index) {
    if (!IsTabIndex(index)) return;

    EngineString title;
    if (FAILED(g_tabs[index].webview->get_DocumentTitle(title.Out())) || title.IsNull()) return;
    std::wstring titleStr = CaptionForTitle(title.Copy());

    TCITEMW tie = {};
    tie.mask = TCIF_TEXT;
    tie.pszText = &titleStr[0];
    SendMessageW(g_hTabCtrl, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tie));
}

HRESULT OnDocumentTitleChanged(ICoreWebView2* sender, IUnknown* /*args*/) {
    const int index = FindTabByWebView(sender);
    if (index == -1) return S_OK;
    UpdateTabTitle(index);
    RefreshShownTabTooltip(index);
    return S_OK;
}
