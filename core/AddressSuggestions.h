// Which visited addresses the address bar offers for the text typed into it,
// and going to an offered address.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The list offers at most this many addresses.
constexpr size_t kMaxAddressSuggestions = 8;

// The addresses of `history` (oldest first) that `typed` begins, newest first,
// each once, at most `limit` of them. Case is ignored, and so are an
// "http://" or "https://" and a "www." at the start of an address: "exa"
// offers https://www.example.com/, "local" http://localhost:8080/, and
// "https://exa" the first too. Empty text offers nothing. Addresses longer
// than the address bar reads (kAddressBufferSize - 1) are not offered, since
// Enter would read them cut short.
std::vector<std::wstring> MatchingAddresses(const std::vector<std::wstring>& history, const std::wstring& typed,
                                            size_t limit = kMaxAddressSuggestions);

// Navigates the current tab to a visited address exactly as it was recorded,
// without the address bar's rules: those would turn an address such as
// about:blank into a search.
void NavigateToVisitedAddress(const std::wstring& address);
