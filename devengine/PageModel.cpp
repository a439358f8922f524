// The page model of a view: its back/forward list, the address and title of
// each page, and the queued navigations that move along the list.
#include "devengine/Internal.h"

#include <algorithm>
#include <cctype>

namespace devengine {
namespace {

const wchar_t kDataPrefix[] = L"data:text/html;charset=utf-8;base64,";

std::string ToUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], size, nullptr,
                            nullptr);
    }
    return utf8;
}

std::wstring FromUtf8(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), &text[0], size);
    return text;
}

std::wstring Base64(const std::string& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::wstring encoded;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
        unsigned int group = 0;
        for (size_t j = 0; j < 3; ++j) {
            group = (group << 8) | (j < count ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        }
        for (size_t j = 0; j < 4; ++j) {
            encoded += j <= count ? static_cast<wchar_t>(kDigits[(group >> (18 - 6 * j)) & 0x3F]) : L'=';
        }
    }
    return encoded;
}

// A query value with "+" as a blank and %XX escapes decoded (UTF-8).
std::wstring DecodeQueryValue(const std::wstring& value) {
    const std::string utf8 = ToUtf8(value);
    std::string decoded;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '+') {
            decoded += ' ';
        } else if (utf8[i] == '%' && i + 2 < utf8.size() && isxdigit(static_cast<unsigned char>(utf8[i + 1])) &&
                   isxdigit(static_cast<unsigned char>(utf8[i + 2]))) {
            decoded += static_cast<char>(std::stoi(utf8.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += utf8[i];
        }
    }
    return FromUtf8(decoded);
}

// The built-in title of an address: "<terms> - Google Search" for a search,
// else the host name, else the address itself.
std::wstring BuiltInTitle(const std::wstring& url) {
    const size_t scheme = url.find(L"://");
    if (scheme == std::wstring::npos) return url;
    const size_t hostStart = scheme + 3;
    const size_t hostEnd = std::min(url.find_first_of(L"/?#", hostStart), url.size());
    const std::wstring host = url.substr(hostStart, hostEnd - hostStart);
    if (host.empty()) return url;
    const std::wstring searchPath = L"/search?";
    if (host.find(L"google.") != std::wstring::npos && url.compare(hostEnd, searchPath.size(), searchPath) == 0) {
        const std::wstring query = L"&" + url.substr(hostEnd + searchPath.size());
        const size_t key = query.find(L"&q=");
        if (key != std::wstring::npos) {
            const size_t valueStart = key + 3;
            const size_t valueEnd = std::min(query.find_first_of(L"&#", valueStart), query.size());
            return DecodeQueryValue(query.substr(valueStart, valueEnd - valueStart)) + L" - Google Search";
        }
    }
    return host;
}

// The text of the html's <title> element; false if it has none.
bool FindHtmlTitle(const std::wstring& html, std::wstring* title) {
    std::wstring lower = html;
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    const size_t open = lower.find(L"<title>");
    if (open == std::wstring::npos) return false;
    const size_t start = open + 7;
    const size_t close = lower.find(L"</title>", start);
    if (close == std::wstring::npos) return false;
    *title = html.substr(start, close - start);
    return true;
}

// Adds `page` after the current entry, dropping the entries ahead of it.
void PushEntry(ViewState& view, const PageEntry& page) {
    if (view.initialBlank) {
        view.entries.clear();
        view.initialBlank = false;
    } else {
        view.entries.resize(view.current + 1);
    }
    view.entries.push_back(page);
    view.current = view.entries.size() - 1;
}

// The view now shows its current entry: redraw, then fire the events.
void ShowCurrentPage(const ViewPtr& view) {
    RefreshPageWindow(*view);
    FireSourceChanged(view, true);
    FireHistoryChanged(view);
    Post([view]() { FireTitleChanged(view); }, view);
}

}  // namespace

std::wstring CurrentSource(const ViewState& view) { return view.entries[view.current].source; }
std::wstring CurrentTitle(const ViewState& view) { return view.entries[view.current].title; }
const std::wstring& CurrentHtml(const ViewState& view) { return view.entries[view.current].html; }

bool IsNewTabPage(const ViewState& view) {
    return CurrentSource(view).compare(0, 14, L"data:text/html") == 0 &&
           CurrentHtml(view).find(L"Search Google...") != std::wstring::npos;
}

bool CanGoBack(const ViewState& view) { return view.current > 0; }
bool CanGoForward(const ViewState& view) { return view.current + 1 < view.entries.size(); }

PageEntry PageForUrl(const std::wstring& url) {
    const auto& titles = State().pageTitles;
    const auto known = titles.find(url);
    return PageEntry{url, known != titles.end() ? known->second : BuiltInTitle(url), L""};
}

PageEntry PageForHtml(const std::wstring& html) {
    PageEntry page{kDataPrefix + Base64(ToUtf8(html)), L"", html};
    // Like the real engine, a page without a title is titled by its address.
    if (!FindHtmlTitle(html, &page.title)) page.title = page.source;
    return page;
}

void QueueNavigation(const ViewPtr& view, const PageEntry& page) {
    Post([view, page]() {
        PushEntry(*view, page);
        ShowCurrentPage(view);
    }, view);
}

void QueueHistoryStep(const ViewPtr& view, int step) {
    Post([view, step]() {
        const long long target = static_cast<long long>(view->current) + step;
        if (target < 0 || target >= static_cast<long long>(view->entries.size())) return;
        view->current = static_cast<size_t>(target);
        ShowCurrentPage(view);
    }, view);
}

void QueueTitleChange(const ViewPtr& view, const std::wstring& title) {
    Post([view, title]() {
        view->entries[view->current].title = title;
        RefreshPageWindow(*view);
        FireTitleChanged(view);
    }, view);
}

bool TriggerTitleChange(int id, const std::wstring& title) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    QueueTitleChange(view, title);
    return true;
}

bool TriggerSourceChange(int id, const std::wstring& source, bool isNewDocument) {
    const ViewPtr view = OpenView(id);
    if (view == nullptr) return false;
    Post([view, source, isNewDocument]() {
        // The document, and so its title, stays.
        PushEntry(*view, PageEntry{source, CurrentTitle(*view), CurrentHtml(*view)});
        RefreshPageWindow(*view);
        FireSourceChanged(view, isNewDocument);
        FireHistoryChanged(view);
    }, view);
    return true;
}

}  // namespace devengine
