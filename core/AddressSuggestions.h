// Which visited addresses the address bar offers for the text typed into it,
// and going to an offered address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The list offers at most this many addresses.
constexpr size_t kMaxAddressSuggestions = 8;

// The distinct addresses of a history, each with the place of its latest
// visit, sorted so that the addresses typed text begins are found without
// reading every entry. Ids number the distinct addresses in the order they
// first came; an address's text is read from the history at its latest visit,
// so the index holds no copy of it. Addresses too long to be offered are left
// out.
struct AddressIndex {
    // Ids sorted by their address's text from one place on, case ignored: a
    // large part, and a small one that new ids go into and that is merged
    // into the large one once it grows to a sixteenth of it, so that taking in
    // an address costs little however many there are.
    struct SortedIds {
        std::vector<uint32_t> merged;
        std::vector<uint32_t> recent;
    };
    size_t indexed = 0;          // the history entries taken in, from the first
    std::vector<size_t> latest;  // by id: the place of its latest visit in the history
    std::vector<uint8_t> shape;  // by id: its scheme's length (0: none), and whether "www." follows
    std::vector<uint32_t> slots;  // ids by their address's hash, open addressing: id + 1, or 0 when free
    SortedIds whole;              // every address, from its start
    SortedIds afterScheme;        // those with an http:// or https:// scheme, from after it
    SortedIds afterWww;           // those with a scheme and "www." after it, from after both
};

// Takes in the entries of `history` that `index` has not taken in yet. A
// history shorter than what the index has taken in is another one: the index
// starts again.
void UpdateAddressIndex(AddressIndex& index, const std::vector<std::wstring>& history);

// The bytes the index's own storage takes (the capacity of its vectors).
size_t AddressIndexBytes(const AddressIndex& index);

// The addresses of `history` (oldest first) that `typed` begins, newest first,
// each once, at most `limit` of them. Case is ignored, and so are an
// "http://" or "https://" and a "www." at the start of an address: "exa"
// offers https://www.example.com/, "local" http://localhost:8080/, and
// "https://exa" the first too. Empty text offers nothing. Addresses longer
// than the address bar reads (kAddressBufferSize - 1) are not offered, since
// Enter would read them cut short.
std::vector<std::wstring> MatchingAddresses(const std::vector<std::wstring>& history, const std::wstring& typed,
                                            size_t limit = kMaxAddressSuggestions);

// The same, from an index kept up to date with `history` (nothing when the
// index has taken in more entries than `history` holds).
std::vector<std::wstring> MatchingAddresses(const AddressIndex& index, const std::vector<std::wstring>& history,
                                            const std::wstring& typed, size_t limit = kMaxAddressSuggestions);

// Navigates the current tab to a visited address exactly as it was recorded,
// without the address bar's rules: those would turn an address such as
// about:blank into a search.
void NavigateToVisitedAddress(const std::wstring& address);
