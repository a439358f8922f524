// The address bar's suggestions with a long history: 1,000,000 History
// entries of 100,000 distinct addresses (a page can add 70,000 entries an
// hour), taken into the suggestions' index one by one as the browser does,
// then the suggestions for one keystroke after another, as a person types
// visited addresses (with and without the scheme and "www.") and text that
// matches nothing. Reports the median time a keystroke, the worst case (the
// first character, which the most addresses begin), the time to take in an
// entry and the memory the index adds.
#include "bench/BenchSupport.h"
#include "core/AddressSuggestions.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

const size_t kDistinct = 100000;
const size_t kEntries = 1000000;
const size_t kTypedAddresses = 400;
const size_t kMaxTypedLength = 24;
// Goal: the suggestions for one keystroke in at most this long.
const double kGoalMs = 2.0;

// A fixed pseudo-random sequence, the same on every run.
struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    size_t Below(size_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<size_t>((state >> 33) % bound);
    }
};

std::wstring HostName(Random& random) {
    static const wchar_t* const kSyllables[] = {L"ka", L"lo", L"mi", L"ne", L"ru", L"sa", L"ti", L"vo",
                                                L"ba", L"de", L"fi", L"go", L"hu", L"ja", L"ke", L"li"};
    static const wchar_t* const kEndings[] = {L".com", L".org", L".net", L".de", L".example"};
    std::wstring host;
    for (size_t i = 0, count = 2 + random.Below(3); i < count; ++i) host += kSyllables[random.Below(16)];
    return host + kEndings[random.Below(5)];
}

// 100,000 distinct addresses on 2,000 hosts: mostly https, some http, some
// with "www.", a few with upper-case letters, paths and queries of pages that
// rewrite their own address.
std::vector<std::wstring> DistinctAddresses(Random& random) {
    std::vector<std::wstring> hosts;
    for (int i = 0; i < 2000; ++i) hosts.push_back(HostName(random));
    static const wchar_t* const kSections[] = {L"/articles/", L"/shop/item/", L"/watch?v=", L"/search?q=",
                                               L"/docs/page", L"/Users/Profile/"};
    std::vector<std::wstring> addresses;
    addresses.reserve(kDistinct);
    for (size_t i = 0; i < kDistinct; ++i) {
        std::wstring address = random.Below(5) == 0 ? L"http://" : L"https://";
        if (random.Below(5) < 2) address += L"www.";
        address += hosts[random.Below(hosts.size())] + kSections[random.Below(6)] + std::to_wstring(i);
        if (random.Below(3) == 0) address += L"&t=" + std::to_wstring(random.Below(100000));
        addresses.push_back(address);
    }
    return addresses;
}

// Every address once, then 900,000 more visits, a third of them to the 1,000
// most recently added (a page rewriting its address in a loop).
std::vector<std::wstring> History(const std::vector<std::wstring>& distinct, Random& random) {
    std::vector<std::wstring> history(distinct);
    history.reserve(kEntries);
    while (history.size() < kEntries) {
        const size_t pick = random.Below(3) == 0 ? kDistinct - 1 - random.Below(1000) : random.Below(kDistinct);
        history.push_back(distinct[pick]);
    }
    return history;
}

// The texts typed, one keystroke after another: visited addresses typed as
// they are, without the scheme, or without the scheme and "www.", and text
// that matches nothing.
std::vector<std::wstring> Keystrokes(const std::vector<std::wstring>& distinct, Random& random) {
    std::vector<std::wstring> keystrokes;
    for (size_t i = 0; i < kTypedAddresses; ++i) {
        std::wstring text = distinct[random.Below(distinct.size())];
        const size_t form = random.Below(4);
        const size_t scheme = text.find(L"://") + 3;
        if (form == 1) text.erase(0, scheme);
        if (form >= 2) text.erase(0, text.compare(scheme, 4, L"www.") == 0 ? scheme + 4 : scheme);
        if (i % 10 == 0) text = L"qzx" + text;
        for (size_t length = 1; length <= text.size() && length <= kMaxTypedLength; ++length) {
            keystrokes.push_back(text.substr(0, length));
        }
    }
    return keystrokes;
}

}  // namespace

int RunSuggestionsBench() {
    Random random;
    const std::vector<std::wstring> distinct = DistinctAddresses(random);
    const std::vector<std::wstring> history = History(distinct, random);
    const std::vector<std::wstring> keystrokes = Keystrokes(distinct, random);

    // Taken in entry by entry, as RecordHistory does, after the history is
    // there: the private memory it adds is the index's.
    const double privateBefore = PrivateBytes(GetCurrentProcess());
    AddressIndex index;
    const double start = NowMs();
    UpdateAddressIndex(index, history);
    const double takeInMs = NowMs() - start;
    const double privateAdded = PrivateBytes(GetCurrentProcess()) - privateBefore;
    const size_t indexBytes = AddressIndexBytes(index);

    std::vector<double> samples;
    std::vector<double> firstCharacter;
    size_t offered = 0;
    for (const std::wstring& typed : keystrokes) {
        const double start = NowMs();
        offered += MatchingAddresses(index, history, typed).size();
        const double ms = NowMs() - start;
        samples.push_back(ms);
        if (typed.size() == 1) firstCharacter.push_back(ms);
    }
    if (offered == 0) {
        Note("no suggestions at all");
        return 1;
    }
    Note("%zu keystrokes, %zu suggestions offered", samples.size(), offered);

    const Summary perKeystroke = Summarize(samples);
    const Summary first = Summarize(firstCharacter);
    const std::string history1M = Count(kEntries) + " History entries, " + Count(kDistinct) + " distinct";
    PrintRow("Suggestions",
             "one keystroke's suggestions with " + history1M + Format(" (median of %zu keystrokes)", samples.size()),
             Duration(perKeystroke.median), DurationRange(perKeystroke),
             Goal("<= 2 ms a keystroke", perKeystroke.median <= kGoalMs));
    PrintRow("Suggestions",
             Format("the first character typed, the most matches (median of %zu)", firstCharacter.size()),
             Duration(first.median), DurationRange(first));
    PrintRow("Suggestions", "taking the " + Count(kEntries) + " entries into the index one by one",
             Duration(takeInMs) + " (" + Duration(takeInMs / kEntries) + " each)");
    PrintRow("Suggestions", "memory the index adds: its storage (" + Count(index.latest.size()) + " addresses)",
             Bytes(static_cast<double>(indexBytes)) +
                 Format(" (%.0f bytes an address)", static_cast<double>(indexBytes) / index.latest.size()));
    PrintRow("Suggestions", "memory the index adds: the process's private memory before and after",
             Bytes(privateAdded));
    return 0;
}
