#include "core/Tabs.h"

#include "core/ShownTooltips.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <utility>

std::vector<BrowserTab> g_tabs;
int g_currentTab = -1;

namespace {

const wchar_t kNewTabPageMarker[] = L"data:text/html";

// The strip's selection follows g_currentTab. TCM_SETCURSEL sends no
// TCN_SELCHANGE, so this never comes back as a switch.
void SelectInStrip() {
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(g_currentTab), 0);
}

HIMAGELIST StripImages() {
    return reinterpret_cast<HIMAGELIST>(SendMessageW(g_hTabCtrl, TCM_GETIMAGELIST, 0, 0));
}

// Removes image `image` from the strip's list: the strip renumbers its items'
// images, and the tabs' own image indexes follow.
void RemoveStripImage(int image) {
    SendMessageW(g_hTabCtrl, TCM_REMOVEIMAGE, static_cast<WPARAM>(image), 0);
    for (BrowserTab& tab : g_tabs) {
        if (tab.iconImage > image) --tab.iconImage;
    }
}

}  // namespace

bool IsTabIndex(int index) {
    return index >= 0 && static_cast<size_t>(index) < g_tabs.size();
}

bool IsNewTabPageSource(const std::wstring& source) {
    // Its own address begins so; a page whose address merely contains the
    // text elsewhere is a web page like any other.
    return source.compare(0, std::wcslen(kNewTabPageMarker), kNewTabPageMarker) == 0;
}

bool MentionsNewTabPage(const std::wstring& text) {
    return text.find(kNewTabPageMarker) != std::wstring::npos;
}

std::wstring AddressForDisplay(const std::wstring& source) {
    return IsNewTabPageSource(source) ? std::wstring(kNewTabAddress) : source;
}

ICoreWebView2* CurrentWebView() {
    return IsTabIndex(g_currentTab) ? g_tabs[g_currentTab].webview.Get() : nullptr;
}

ICoreWebView2Controller* CurrentController() {
    return IsTabIndex(g_currentTab) ? g_tabs[g_currentTab].controller.Get() : nullptr;
}

int FindTabByWebView(const ICoreWebView2* webview) {
    for (size_t i = 0; i < g_tabs.size(); ++i) {
        if (g_tabs[i].webview.Get() == webview) return static_cast<int>(i);
    }
    return -1;
}

void NoteTabSource(int index, const std::wstring& source) {
    if (!IsTabIndex(index)) return;
    g_tabs[index].lastSource = source;
    g_tabs[index].failure.hangAsked = false;
}

bool SetTabIconImage(int index, HBITMAP image) {
    const HIMAGELIST images = StripImages();
    if (!IsTabIndex(index) || images == nullptr || image == nullptr) return false;
    BrowserTab& tab = g_tabs[index];
    if (tab.iconImage >= 0) return ImageList_Replace(images, tab.iconImage, image, nullptr) != FALSE;
    const int added = ImageList_Add(images, image, nullptr);
    if (added < 0) return false;
    tab.iconImage = added;
    return true;
}

void DropTabIconImage(int index) {
    if (!IsTabIndex(index) || g_tabs[index].iconImage < 0) return;
    const int image = g_tabs[index].iconImage;
    g_tabs[index].iconImage = -1;
    RemoveStripImage(image);
}

int InsertTab(BrowserTab tab, size_t index) {
    const int at = static_cast<int>(std::min(index, g_tabs.size()));
    g_tabs.insert(g_tabs.begin() + at, std::move(tab));
    wchar_t caption[] = L"New Tab";
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption;
    item.iImage = -1;  // none until the icon feature gives it one
    SendMessageW(g_hTabCtrl, TCM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    if (g_currentTab >= at) ++g_currentTab;
    if (g_currentTab == -1) g_currentTab = at;
    SelectInStrip();
    return at;
}

BrowserTab EraseTab(int index) {
    HideShownTabTooltip();
    DropTabIconImage(index);
    BrowserTab erased = std::move(g_tabs[index]);
    g_tabs.erase(g_tabs.begin() + index);
    SendMessageW(g_hTabCtrl, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (index < g_currentTab) --g_currentTab;
    if (g_currentTab >= static_cast<int>(g_tabs.size())) g_currentTab = static_cast<int>(g_tabs.size()) - 1;
    SelectInStrip();
    return erased;
}

void MoveTabPlace(int from, int to) {
    HideShownTabTooltip();
    BrowserTab moved = std::move(g_tabs[from]);
    g_tabs.erase(g_tabs.begin() + from);
    g_tabs.insert(g_tabs.begin() + to, std::move(moved));
    if (g_currentTab == from) {
        g_currentTab = to;
    } else if (from < g_currentTab && g_currentTab <= to) {
        --g_currentTab;
    } else if (to <= g_currentTab && g_currentTab < from) {
        ++g_currentTab;
    }

    // The strip's item goes with it, caption, image and all (a caption is never
    // longer than the caption limit).
    wchar_t caption[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption;
    item.cchTextMax = static_cast<int>(sizeof(caption) / sizeof(caption[0]));
    SendMessageW(g_hTabCtrl, TCM_GETITEMW, static_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&item));
    SendMessageW(g_hTabCtrl, TCM_DELETEITEM, static_cast<WPARAM>(from), 0);
    SendMessageW(g_hTabCtrl, TCM_INSERTITEMW, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(&item));
    SelectInStrip();
}

void MakeTabCurrent(int index) {
    if (!IsTabIndex(index)) return;
    g_currentTab = index;
    SelectInStrip();
}

std::vector<BrowserTab> TakeAllTabs() {
    if (IsWindow(g_hTabCtrl)) {
        for (size_t i = g_tabs.size(); i-- > 0;) DropTabIconImage(static_cast<int>(i));
    }
    std::vector<BrowserTab> taken;
    taken.swap(g_tabs);
    g_currentTab = -1;
    if (IsWindow(g_hTabCtrl)) SendMessageW(g_hTabCtrl, TCM_DELETEALLITEMS, 0, 0);
    return taken;
}

void ClearTabs() {
    // Moved out first: releasing the last reference may call back into the browser.
    std::vector<BrowserTab> released = TakeAllTabs();
    released.clear();
}
