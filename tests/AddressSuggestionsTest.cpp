// Which visited addresses the address bar offers for typed text.
#include "core/AddressInput.h"
#include "core/AddressSuggestions.h"

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

}  // namespace
