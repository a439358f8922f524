#include "core/TabHoverText.h"

#include "core/EngineString.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

// One line of the text: no line breaks of its own, and at most
// kMaxHoverLineLength code units, never splitting a surrogate pair.
std::wstring HoverLine(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n') c = L' ';
    }
    if (text.size() <= kMaxHoverLineLength) return text;
    size_t cut = kMaxHoverLineLength;
    if (IS_HIGH_SURROGATE(text[cut - 1])) --cut;
    text.resize(cut);
    return text + L"...";
}

// The caption the strip shows for tab `index`.
std::wstring ShownCaption(int index) {
    wchar_t text[kMaxCaptionLength + 1] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof(text) / sizeof(text[0]));
    SendMessageW(g_hTabCtrl, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

}  // namespace

std::wstring HoverTextFor(const std::wstring& title, const std::wstring& source) {
    const bool hiddenByCaption = title.empty() || MentionsNewTabPage(title);
    const std::wstring shownTitle = hiddenByCaption ? CaptionForTitle(title) : title;
    return HoverLine(shownTitle) + L"\n" + HoverLine(AddressForDisplay(source));
}

std::wstring TabHoverText(int index) {
    if (!IsTabIndex(index)) return std::wstring();
    ICoreWebView2* webview = g_tabs[index].webview.Get();
    EngineString title;
    const bool titleKnown = SUCCEEDED(webview->get_DocumentTitle(title.Out()));
    EngineString source;
    const bool sourceKnown = SUCCEEDED(webview->get_Source(source.Out())) && !source.IsNull();
    return HoverTextFor(titleKnown ? title.Copy() : ShownCaption(index),
                        sourceKnown ? source.Copy() : g_tabs[index].lastSource);
}
