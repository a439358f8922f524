// The page model of a view: its back/forward list, the address and title of
// each page, and the queued navigations that move along the list.
#include "devengine/Internal.h"

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <cwctype>

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

// `value` with %XX escapes decoded (UTF-8), and "+" as a blank if `plusIsBlank`.
std::wstring PercentDecode(const std::wstring& value, bool plusIsBlank) {
    const std::string utf8 = ToUtf8(value);
    std::string decoded;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (plusIsBlank && utf8[i] == '+') {
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

// A query value: "+" is a blank.
std::wstring DecodeQueryValue(const std::wstring& value) { return PercentDecode(value, true); }

bool StartsWithIgnoringCase(const std::wstring& text, const wchar_t* prefix) {
    const size_t length = wcslen(prefix);
    return text.size() >= length && _wcsnicmp(text.c_str(), prefix, length) == 0;
}

bool IsFileUrl(const std::wstring& url) { return StartsWithIgnoringCase(url, L"file:"); }

// A file: address as the real engine reports it back: lower-case scheme,
// forward slashes, "file:///" and an upper-case drive letter before a drive
// path, and blanks, quotes, angle brackets and non-ASCII characters
// percent-encoded (UTF-8). "file:c:\dir\a b.html" reads back as
// "file:///C:/dir/a%20b.html". Other addresses are left as they are.
std::wstring NormalizedUrl(const std::wstring& url) {
    if (!IsFileUrl(url)) return url;
    std::wstring path = url.substr(5);
    std::replace(path.begin(), path.end(), L'\\', L'/');
    const size_t slashes = path.find_first_not_of(L'/');
    if (slashes == std::wstring::npos) return L"file:///";
    path.erase(0, slashes);
    const bool drive = path.size() >= 2 && iswalpha(path[0]) && (path[1] == L':' || path[1] == L'|');
    std::wstring normalized = drive ? L"file:///" : L"file://";
    if (drive) {
        path[0] = static_cast<wchar_t>(towupper(path[0]));
        path[1] = L':';
    }
    static const char kHex[] = "0123456789ABCDEF";
    for (const char c : ToUtf8(path)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '"' || c == '<' || c == '>' || c == '`') {
            normalized += L'%';
            normalized += static_cast<wchar_t>(kHex[byte >> 4]);
            normalized += static_cast<wchar_t>(kHex[byte & 0x0F]);
        } else {
            normalized += static_cast<wchar_t>(byte);
        }
    }
    return normalized;
}

// The Windows path of a normalised file: address ("C:\dir\a b.html", or
// "\\host\share\a.html").
std::wstring FilePathOf(const std::wstring& normalizedUrl) {
    const bool drive = StartsWithIgnoringCase(normalizedUrl, L"file:///");
    std::wstring path = (drive ? L"" : L"//") + PercentDecode(normalizedUrl.substr(drive ? 8 : 7), false);
    const size_t end = path.find_first_of(L"?#");
    if (end != std::wstring::npos) path.resize(end);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The file's first `limit` bytes; false if it cannot be read.
bool ReadFileBytes(const std::wstring& path, size_t limit, std::string* bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->assign(limit, '\0');
    DWORD read = 0;
    const bool ok = ReadFile(file, &(*bytes)[0], static_cast<DWORD>(limit), &read, nullptr) != FALSE;
    CloseHandle(file);
    bytes->resize(ok ? read : 0);
    return ok;
}

// The file's content as UTF-16 from UTF-8 (the first MiB of it); false if it
// cannot be read.
bool ReadTextFile(const std::wstring& path, std::wstring* text) {
    std::string bytes;
    if (!ReadFileBytes(path, 1 << 20, &bytes)) return false;
    *text = FromUtf8(bytes);
    return true;
}

// A title as documents report it: blanks at either end dropped, runs of
// blanks inside made one space.
std::wstring CollapsedBlanks(const std::wstring& title) {
    std::wstring collapsed;
    bool blank = false;
    for (const wchar_t c : title) {
        if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f') {
            blank = !collapsed.empty();
            continue;
        }
        if (blank) collapsed += L' ';
        blank = false;
        collapsed += c;
    }
    return collapsed;
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

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

// The text of the html's <title> element; false if it has none.
bool FindHtmlTitle(const std::wstring& html, std::wstring* title) {
    const std::wstring lower = LowerAscii(html);
    const size_t open = lower.find(L"<title>");
    if (open == std::wstring::npos) return false;
    const size_t start = open + 7;
    const size_t close = lower.find(L"</title>", start);
    if (close == std::wstring::npos) return false;
    *title = html.substr(start, close - start);
    return true;
}

// The title the page of a local file gets: its <title>, read from the file
// now; without one (or without the file), its address.
std::wstring FileTitle(const std::wstring& normalizedUrl) {
    std::wstring html;
    std::wstring title;
    if (!ReadTextFile(FilePathOf(normalizedUrl), &html) || !FindHtmlTitle(html, &title)) return normalizedUrl;
    return CollapsedBlanks(title);
}

// The value of attribute `name` in the lower-case text of one tag, quoted
// with double quotes; false if the tag has none.
bool FindAttribute(const std::wstring& tag, const std::wstring& lowerTag, const wchar_t* name, std::wstring* value) {
    const std::wstring key = std::wstring(L" ") + name + L"=\"";
    const size_t start = lowerTag.find(key);
    if (start == std::wstring::npos) return false;
    const size_t valueStart = start + key.size();
    const size_t end = lowerTag.find(L'"', valueStart);
    if (end == std::wstring::npos) return false;
    *value = tag.substr(valueStart, end - valueStart);
    return true;
}

// Each tag `<name ...>` of the html, as written and in lower case.
template <typename Visit>
void ForEachTag(const std::wstring& html, const wchar_t* name, Visit visit) {
    const std::wstring lower = LowerAscii(html);
    const std::wstring open = std::wstring(L"<") + name + L" ";
    for (size_t at = lower.find(open); at != std::wstring::npos; at = lower.find(open, at + 1)) {
        const size_t end = lower.find(L'>', at);
        if (end == std::wstring::npos) return;
        visit(html.substr(at, end - at), lower.substr(at, end - at));
    }
}

// What a local page declares that the engine acts on by itself: its icon,
// <link rel="icon" href="name.png"> with the file beside the page (its first
// MiB, as it is), and sound, an <audio ... autoplay> element, which plays from
// the load on.
void ShowDeclaredFeatures(const ViewPtr& view) {
    const std::wstring source = CurrentSource(*view);
    std::wstring html;
    if (!IsFileUrl(source) || !ReadTextFile(FilePathOf(source), &html)) return;
    bool playing = false;
    ForEachTag(html, L"audio", [&](const std::wstring&, const std::wstring& lower) {
        playing = playing || lower.find(L" autoplay") != std::wstring::npos;
    });
    ForEachTag(html, L"link", [&](const std::wstring& tag, const std::wstring& lower) {
        std::wstring rel;
        std::wstring href;
        if (!view->faviconUri.empty() || !FindAttribute(tag, lower, L"rel", &rel) || LowerAscii(rel) != L"icon" ||
            !FindAttribute(tag, lower, L"href", &href) || href.empty() ||
            href.find_first_of(L":/\\?#") != std::wstring::npos) {
            return;
        }
        const std::wstring uri = source.substr(0, source.rfind(L'/') + 1) + href;
        std::string bytes;
        if (ReadFileBytes(FilePathOf(uri), 1 << 20, &bytes)) SetFavicon(view, uri, bytes);
    });
    if (playing) SetPlayingAudio(view, true);
}

// The title of an address: one set by the tests, else a file's own title,
// else the built-in rule.
std::wstring TitleFor(const std::wstring& url) {
    const auto& titles = State().pageTitles;
    const auto known = titles.find(url);
    if (known != titles.end()) return known->second;
    return IsFileUrl(url) ? FileTitle(url) : BuiltInTitle(url);
}

// The current page's title changes: redraw, then fire the event.
void ChangeTitle(const ViewPtr& view, const std::wstring& title) {
    view->entries[view->current].title = title;
    RefreshPageWindow(*view);
    FireTitleChanged(view);
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

// The view now shows its current entry, a new document, which is never full
// screen and has neither icon nor sound yet: redraw, then fire the events; the
// navigation completes after the title.
void ShowCurrentPage(const ViewPtr& view) {
    SetFullScreen(view, false);
    ForgetPageFeatures(view);
    RefreshPageWindow(*view);
    FireSourceChanged(view, true);
    FireHistoryChanged(view);
    const UINT64 navigationId = view->navigationId;
    Post([view, navigationId]() {
        FireTitleChanged(view);
        const bool loaded = view->navigationId == navigationId;
        CompleteNavigation(view, navigationId, true);
        // The icon and sound come after the load, unless another navigation began.
        if (loaded) {
            Post([view]() {
                if (view->navigationId == 0) ShowDeclaredFeatures(view);
            }, view);
        }
    }, view);
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
    const std::wstring source = NormalizedUrl(url);
    return PageEntry{source, TitleFor(source), L""};
}

PageEntry PageForHtml(const std::wstring& html) {
    PageEntry page{kDataPrefix + Base64(ToUtf8(html)), L"", html};
    // Like the real engine, a page without a title is titled by its address.
    if (!FindHtmlTitle(html, &page.title)) page.title = page.source;
    return page;
}

void QueueNavigation(const ViewPtr& view, const PageEntry& page) {
    Post([view, page]() {
        StartNavigation(view, page.source, [view, page]() {
            PushEntry(*view, page);
            ShowCurrentPage(view);
        });
    }, view);
}

void QueueHistoryStep(const ViewPtr& view, int step) {
    Post([view, step]() {
        const long long target = static_cast<long long>(view->current) + step;
        if (target < 0 || target >= static_cast<long long>(view->entries.size())) return;
        StartNavigation(view, view->entries[static_cast<size_t>(target)].source, [view, target]() {
            // A held step arrives only while its entry is still there.
            if (target >= static_cast<long long>(view->entries.size())) return;
            view->current = static_cast<size_t>(target);
            ShowCurrentPage(view);
        });
    }, view);
}

void QueueReload(const ViewPtr& view) {
    Post([view]() {
        StartNavigation(view, CurrentSource(*view), [view]() {
            SetFullScreen(view, false);
            // The document is loaded again: its sound stops, and starts again
            // if the page plays it from the load on.
            SetPlayingAudio(view, false);
            // Only a local file can change under the page: its title is read again.
            const std::wstring source = CurrentSource(*view);
            if (IsFileUrl(source)) {
                const std::wstring title = TitleFor(source);
                if (title != CurrentTitle(*view)) ChangeTitle(view, title);
            }
            CompleteNavigation(view, view->navigationId, true);
            Post([view]() {
                if (view->navigationId == 0) ShowDeclaredFeatures(view);
            }, view);
        });
    }, view);
}

void QueueTitleChange(const ViewPtr& view, const std::wstring& title) {
    Post([view, title]() { ChangeTitle(view, title); }, view);
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
