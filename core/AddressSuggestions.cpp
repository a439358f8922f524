#include "core/AddressSuggestions.h"

#include "core/AddressInput.h"
#include "core/Tabs.h"

#include <windows.h>

#include <cwchar>
#include <unordered_set>

namespace {

const wchar_t* const kSchemes[] = {L"http://", L"https://"};
const wchar_t kWww[] = L"www.";

// Whether `text` starts with `prefix`, ignoring case (Unicode simple case
// folding, as the file system compares names).
bool StartsWithIgnoringCase(const std::wstring& text, size_t from, const std::wstring& prefix) {
    if (text.size() - from < prefix.size()) return false;
    if (prefix.empty()) return true;
    return CompareStringOrdinal(text.c_str() + from, static_cast<int>(prefix.size()), prefix.c_str(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

size_t SchemeLength(const std::wstring& address) {
    for (const wchar_t* scheme : kSchemes) {
        if (StartsWithIgnoringCase(address, 0, scheme)) return wcslen(scheme);
    }
    return 0;
}

// Typed text begins the address as it is, without its scheme, without its
// scheme and "www.", or with its scheme but without the "www." after it.
bool BeginsAddress(const std::wstring& typed, const std::wstring& address) {
    if (StartsWithIgnoringCase(address, 0, typed)) return true;
    const size_t scheme = SchemeLength(address);
    if (scheme == 0) return false;
    if (StartsWithIgnoringCase(address, scheme, typed)) return true;
    if (!StartsWithIgnoringCase(address, scheme, kWww)) return false;
    const size_t host = scheme + wcslen(kWww);
    if (StartsWithIgnoringCase(address, host, typed)) return true;
    return StartsWithIgnoringCase(typed, 0, address.substr(0, scheme)) &&
           StartsWithIgnoringCase(address, host, typed.substr(scheme));
}

}  // namespace

std::vector<std::wstring> MatchingAddresses(const std::vector<std::wstring>& history, const std::wstring& typed,
                                            size_t limit) {
    std::vector<std::wstring> matches;
    if (typed.empty()) return matches;
    std::unordered_set<std::wstring> offered;
    for (auto entry = history.rbegin(); entry != history.rend() && matches.size() < limit; ++entry) {
        if (entry->size() >= static_cast<size_t>(kAddressBufferSize)) continue;
        if (!BeginsAddress(typed, *entry) || !offered.insert(*entry).second) continue;
        matches.push_back(*entry);
    }
    return matches;
}

void NavigateToVisitedAddress(const std::wstring& address) {
    ICoreWebView2* webview = CurrentWebView();
    if (webview != nullptr && !address.empty()) webview->Navigate(address.c_str());
}
