#include "core/TabHoverText.h"

#include "core/EngineString.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

// How many columns `c` takes: two for a wide (East Asian) character, none for
// a combining mark, a variation selector or a joiner, one for the rest.
size_t ColumnsOf(wchar_t c) {
    if ((c >= 0x0300 && c <= 0x036F) || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F)) return 0;
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6);
    return wide ? 2 : 1;
}

// The tooltip wraps only at blanks: a run without one that grows wider than
// kHoverLineColumns goes on to a new line before the character that would
// widen it, so that one long address does not draw past the screen. A
// character of a surrogate pair counts two columns and stays whole, and a
// mark stays with the character before it.
std::wstring BreakLongRuns(const std::wstring& text) {
    std::wstring lines;
    lines.reserve(text.size() + text.size() / kHoverLineColumns);
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const size_t columns = pair ? 2 : ColumnsOf(text[i]);
        if (text[i] == L' ') {
            run = 0;
        } else if (columns > 0 && run + columns > kHoverLineColumns) {
            lines += L'\n';
            run = columns;
        } else {
            run += columns;
        }
        lines += text[i];
        if (pair) lines += text[++i];
    }
    return lines;
}

// The title's or the address's lines: no line breaks of their own, at most
// kMaxHoverPartLength code units (never splitting a surrogate pair), runs
// without a blank broken to fit.
std::wstring HoverPart(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == L'\r' || c == L'\n') c = L' ';
    }
    if (text.size() > kMaxHoverPartLength) {
        size_t cut = kMaxHoverPartLength;
        if (IS_HIGH_SURROGATE(text[cut - 1])) --cut;
        text.resize(cut);
        text += L"...";
    }
    return BreakLongRuns(text);
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
    return HoverPart(shownTitle) + L"\n" + HoverPart(AddressForDisplay(source));
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
