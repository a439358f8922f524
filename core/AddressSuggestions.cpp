#include "core/AddressSuggestions.h"

#include "core/AddressInput.h"
#include "core/Tabs.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <iterator>

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

// The case folding CompareStringOrdinal uses when it ignores case: the
// system's upper-case table, code unit by code unit.
wchar_t FoldCase(wchar_t c) {
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    using UpcaseFn = WCHAR(NTAPI*)(WCHAR);
    // Through void* because FARPROC's own type matches no real function.
    static const UpcaseFn upcase = reinterpret_cast<UpcaseFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
    return upcase != nullptr ? upcase(c) : c;
}

std::wstring Folded(const std::wstring& text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = FoldCase(c);
    return folded;
}

constexpr uint8_t kHasWww = 0x10;
constexpr uint8_t kSchemeBits = 0x0f;

uint8_t ShapeOf(const std::wstring& address) {
    const size_t scheme = SchemeLength(address);
    const bool www = scheme != 0 && StartsWithIgnoringCase(address, scheme, kWww);
    return static_cast<uint8_t>(scheme | (www ? kHasWww : 0));
}

enum class KeyStart { Whole, AfterScheme, AfterWww };

// The sort keys of one of the index's orders: an address's text from a place
// on, case folded.
struct Keys {
    const AddressIndex& index;
    const std::vector<std::wstring>& history;
    KeyStart start;

    const std::wstring& Text(uint32_t id) const { return history[index.latest[id]]; }
    size_t From(uint32_t id) const {
        const size_t scheme = index.shape[id] & kSchemeBits;
        switch (start) {
        case KeyStart::Whole: return 0;
        case KeyStart::AfterScheme: return scheme;
        case KeyStart::AfterWww: return scheme + wcslen(kWww);
        }
        return 0;
    }
    bool Less(uint32_t a, uint32_t b) const {
        const std::wstring& textA = Text(a);
        const std::wstring& textB = Text(b);
        size_t i = From(a);
        size_t j = From(b);
        for (; i < textA.size() && j < textB.size(); ++i, ++j) {
            const wchar_t foldedA = FoldCase(textA[i]);
            const wchar_t foldedB = FoldCase(textB[j]);
            if (foldedA != foldedB) return foldedA < foldedB;
        }
        return i == textA.size() && j < textB.size();
    }
    // Compares the key of `id`, cut to at most `length` code units, with
    // `folded`: less than 0, 0 or greater than 0.
    int Compare(uint32_t id, const std::wstring& folded, size_t length) const {
        const std::wstring& text = Text(id);
        const size_t from = From(id);
        const size_t keyLength = std::min(text.size() - from, length);
        for (size_t i = 0; i < keyLength && i < folded.size(); ++i) {
            const wchar_t c = FoldCase(text[from + i]);
            if (c != folded[i]) return c < folded[i] ? -1 : 1;
        }
        return keyLength < folded.size() ? -1 : keyLength > folded.size() ? 1 : 0;
    }
};

void Insert(AddressIndex::SortedIds& ids, const Keys& keys, uint32_t id) {
    const auto less = [&keys](uint32_t a, uint32_t b) { return keys.Less(a, b); };
    ids.recent.insert(std::upper_bound(ids.recent.begin(), ids.recent.end(), id, less), id);
    // Merging reads every address's text: rarely, since moving ids along is cheaper.
    if (ids.recent.size() < 32 || ids.recent.size() * 16 < ids.merged.size()) return;
    std::vector<uint32_t> merged;
    merged.reserve(ids.merged.size() + ids.recent.size());
    std::merge(ids.merged.begin(), ids.merged.end(), ids.recent.begin(), ids.recent.end(),
               std::back_inserter(merged), less);
    ids.merged.swap(merged);
    ids.recent.clear();
}

// Calls `each` with every id whose key begins with `folded`.
template <typename Each>
void ForEachBeginning(const AddressIndex::SortedIds& ids, const Keys& keys, const std::wstring& folded, Each each) {
    for (const std::vector<uint32_t>* part : {&ids.merged, &ids.recent}) {
        // From the first key not below the text to the first whose start is above it.
        const auto below = [&keys](uint32_t id, const std::wstring& f) {
            return keys.Compare(id, f, std::wstring::npos) < 0;
        };
        const auto startAbove = [&keys](const std::wstring& f, uint32_t id) {
            return keys.Compare(id, f, f.size()) > 0;
        };
        const auto first = std::lower_bound(part->begin(), part->end(), folded, below);
        const auto last = std::upper_bound(first, part->end(), folded, startAbove);
        for (auto at = first; at != last; ++at) each(*at);
    }
}

size_t HashOf(const std::wstring& address) { return std::hash<std::wstring>()(address); }

void PlaceInSlots(AddressIndex& index, uint32_t id, size_t hash) {
    const size_t mask = index.slots.size() - 1;
    size_t slot = hash & mask;
    while (index.slots[slot] != 0) slot = (slot + 1) & mask;
    index.slots[slot] = id + 1;
}

// Visit `position` of `history`: a new address gets an id and its place in
// each order; a known one only a later latest visit.
void TakeIn(AddressIndex& index, const std::vector<std::wstring>& history, size_t position) {
    const std::wstring& address = history[position];
    if (address.size() >= static_cast<size_t>(kAddressBufferSize)) return;
    // At most half full, so that a search soon meets a free slot.
    if ((index.latest.size() + 1) * 2 > index.slots.size()) {
        index.slots.assign(std::max<size_t>(64, index.slots.size() * 2), 0);
        for (uint32_t id = 0; id < index.latest.size(); ++id) {
            PlaceInSlots(index, id, HashOf(history[index.latest[id]]));
        }
    }
    const size_t hash = HashOf(address);
    const size_t mask = index.slots.size() - 1;
    for (size_t slot = hash & mask; index.slots[slot] != 0; slot = (slot + 1) & mask) {
        const uint32_t id = index.slots[slot] - 1;
        if (history[index.latest[id]] == address) {
            index.latest[id] = position;
            return;
        }
    }
    const uint32_t id = static_cast<uint32_t>(index.latest.size());
    index.latest.push_back(position);
    index.shape.push_back(ShapeOf(address));
    PlaceInSlots(index, id, hash);
    Insert(index.whole, Keys{index, history, KeyStart::Whole}, id);
    if ((index.shape[id] & kSchemeBits) != 0) {
        Insert(index.afterScheme, Keys{index, history, KeyStart::AfterScheme}, id);
    }
    if ((index.shape[id] & kHasWww) != 0) Insert(index.afterWww, Keys{index, history, KeyStart::AfterWww}, id);
}

template <typename T>
size_t CapacityBytes(const std::vector<T>& items) {
    return items.capacity() * sizeof(T);
}

size_t CapacityBytes(const AddressIndex::SortedIds& ids) {
    return CapacityBytes(ids.merged) + CapacityBytes(ids.recent);
}

}  // namespace

void UpdateAddressIndex(AddressIndex& index, const std::vector<std::wstring>& history) {
    if (index.indexed > history.size()) index = AddressIndex();
    for (; index.indexed < history.size(); ++index.indexed) TakeIn(index, history, index.indexed);
}

size_t AddressIndexBytes(const AddressIndex& index) {
    return CapacityBytes(index.latest) + CapacityBytes(index.shape) + CapacityBytes(index.slots) +
           CapacityBytes(index.whole) + CapacityBytes(index.afterScheme) + CapacityBytes(index.afterWww);
}

std::vector<std::wstring> MatchingAddresses(const std::vector<std::wstring>& history, const std::wstring& typed,
                                            size_t limit) {
    AddressIndex index;
    UpdateAddressIndex(index, history);
    return MatchingAddresses(index, history, typed, limit);
}

std::vector<std::wstring> MatchingAddresses(const AddressIndex& index, const std::vector<std::wstring>& history,
                                            const std::wstring& typed, size_t limit) {
    std::vector<std::wstring> matches;
    if (typed.empty() || limit == 0 || index.indexed > history.size()) return matches;
    const std::wstring folded = Folded(typed);
    // The latest visits of the best matches so far, newest first. Distinct
    // addresses have distinct latest visits, so an address met again through
    // another order is the one with the same visit.
    std::vector<size_t> newest;
    const auto consider = [&](uint32_t id) {
        const size_t visit = index.latest[id];
        if (newest.size() == limit && visit <= newest.back()) return;
        const auto at = std::lower_bound(newest.begin(), newest.end(), visit, std::greater<size_t>());
        if (at != newest.end() && *at == visit) return;
        if (!BeginsAddress(typed, history[visit])) return;
        newest.insert(at, visit);
        if (newest.size() > limit) newest.pop_back();
    };
    const Keys afterWww{index, history, KeyStart::AfterWww};
    ForEachBeginning(index.whole, Keys{index, history, KeyStart::Whole}, folded, consider);
    ForEachBeginning(index.afterScheme, Keys{index, history, KeyStart::AfterScheme}, folded, consider);
    ForEachBeginning(index.afterWww, afterWww, folded, consider);
    // Typed with a scheme: the addresses of that scheme whose text after its
    // "www." goes on as typed after the scheme.
    for (const wchar_t* scheme : {L"HTTP://", L"HTTPS://"}) {
        const size_t length = wcslen(scheme);
        if (folded.compare(0, length, scheme) != 0) continue;
        ForEachBeginning(index.afterWww, afterWww, folded.substr(length), [&](uint32_t id) {
            if ((index.shape[id] & kSchemeBits) == length) consider(id);
        });
    }
    for (size_t visit : newest) matches.push_back(history[visit]);
    return matches;
}

void NavigateToVisitedAddress(const std::wstring& address) {
    ICoreWebView2* webview = CurrentWebView();
    if (webview != nullptr && !address.empty()) webview->Navigate(address.c_str());
}
