// Which visited addresses the address bar offers for typed text.
#include "core/AddressInput.h"
#include "core/AddressSuggestions.h"
#include "core/History.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Addresses = std::vector<std::wstring>;

const Addresses kVisited = {L"https://www.example.com/alpha", L"http://localhost:8080/beta", L"https://b.test/"};

TEST(MatchingAddresses, IgnoreCaseAndTheSchemeAndWwwAtTheStart) {
    EXPECT_EQ(MatchingAddresses(kVisited, L"exa"), Addresses{L"https://www.example.com/alpha"});
    EXPECT_EQ(MatchingAddresses(kVisited, L"local"), Addresses{L"http://localhost:8080/beta"});
    EXPECT_EQ(MatchingAddresses(kVisited, L"LocalHost:8080/B"), Addresses{L"http://localhost:8080/beta"});
    EXPECT_EQ(MatchingAddresses(kVisited, L"WWW.ex"), Addresses{L"https://www.example.com/alpha"});
    EXPECT_EQ(MatchingAddresses(kVisited, L"https://exa"), Addresses{L"https://www.example.com/alpha"});
    EXPECT_EQ(MatchingAddresses(kVisited, L"http:"), Addresses{L"http://localhost:8080/beta"});
    const std::wstring umlaut = L"https://\x00DC" L"ber.test/";
    EXPECT_EQ(MatchingAddresses({umlaut}, L"\x00FC" L"B"), Addresses{umlaut});

    // The typed text must begin the address, not occur inside it.
    EXPECT_TRUE(MatchingAddresses(kVisited, L"example.com/beta").empty());
    EXPECT_TRUE(MatchingAddresses(kVisited, L"test").empty());
    EXPECT_TRUE(MatchingAddresses(kVisited, L"http://exa").empty());
    EXPECT_TRUE(MatchingAddresses({L"ftp://www.x.test/"}, L"x").empty());
    EXPECT_TRUE(MatchingAddresses(kVisited, L"").empty());
}

TEST(MatchingAddresses, NewestFirstEachOnceAtMostTheLimit) {
    const Addresses history = {L"https://a.test/1", L"https://a.test/2", L"https://a.test/1", L"https://b.test/",
                               L"https://a.test/3"};
    EXPECT_EQ(MatchingAddresses(history, L"a.test"),
              (Addresses{L"https://a.test/3", L"https://a.test/1", L"https://a.test/2"}));
    EXPECT_EQ(MatchingAddresses(history, L"https", 2), (Addresses{L"https://a.test/3", L"https://b.test/"}));
    // Too long for the bar to read whole: Enter would go elsewhere.
    const std::wstring longest = L"https://l.test/" + std::wstring(kAddressBufferSize - 16, L'x');
    EXPECT_EQ(MatchingAddresses({longest, longest + L"y"}, L"l.test"), Addresses{longest});
}

// The history's index takes in each entry as it comes, far past the sizes
// where its parts are merged and its table grows, and starts again with a new
// history.
TEST(MatchingAddresses, TheHistorysIndexKeepsUpWithALongHistory) {
    g_history.clear();
    for (int i = 0; i < 5000; ++i) RecordHistory(L"https://www.site" + std::to_wstring(i) + L".test/");
    RecordHistory(L"HTTPS://WWW.Site17.test/");
    RecordHistory(L"https://www.site17.test/");
    const auto site = [](int i) { return L"https://www.site" + std::to_wstring(i) + L".test/"; };
    EXPECT_EQ(SuggestedAddresses(L"SITE1"), (Addresses{site(17), L"HTTPS://WWW.Site17.test/", site(1999), site(1998),
                                                      site(1997), site(1996), site(1995), site(1994)}));
    EXPECT_EQ(SuggestedAddresses(L"https://site49"),
              (Addresses{site(4999), site(4998), site(4997), site(4996), site(4995), site(4994), site(4993),
                         site(4992)}));
    EXPECT_EQ(SuggestedAddresses(L"www.site4321."), Addresses{site(4321)});
    EXPECT_TRUE(SuggestedAddresses(L"http://site1").empty());
    EXPECT_EQ(g_history.size(), 5002u) << "the history keeps every entry";

    g_history.clear();
    RecordHistory(L"http://other.test/");
    EXPECT_TRUE(SuggestedAddresses(L"site").empty());
    EXPECT_EQ(SuggestedAddresses(L"oth"), Addresses{L"http://other.test/"});
    g_history.clear();
    EXPECT_TRUE(SuggestedAddresses(L"oth").empty());
}

}  // namespace
