// What typed text becomes: nothing, the built-in page, a web address or a
// search whose terms are encoded as a form value.
#include "core/AddressInput.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Search(const std::wstring& encodedTerms) { return kSearchPrefix + encodedTerms; }

TEST(LooksLikeUrl, SchemeSeparatorOrDottedWordWithoutBlanks) {
    EXPECT_TRUE(LooksLikeUrl(L"a.b"));
    EXPECT_TRUE(LooksLikeUrl(L"ftp://host/a b"));
    EXPECT_TRUE(LooksLikeUrl(L"x ://"));
    EXPECT_TRUE(LooksLikeUrl(L"."));
    EXPECT_FALSE(LooksLikeUrl(L"a.b x"));
    EXPECT_FALSE(LooksLikeUrl(L"hello world"));
    EXPECT_FALSE(LooksLikeUrl(L"localhost:8080"));
    EXPECT_FALSE(LooksLikeUrl(L"about:blank"));
    EXPECT_FALSE(LooksLikeUrl(L""));
    // Only U+0020 counts as a blank.
    EXPECT_TRUE(LooksLikeUrl(L"a.b\tc"));
}

TEST(ResolveAddressInput, DecisionTable) {
    struct Case {
        const wchar_t* typed;
        std::wstring target;
    };
    const Case cases[] = {
        {L"a.b", L"https://a.b"},
        {L"ftp://host/a b", L"ftp://host/a b"},
        {L"hello world", Search(L"hello+world")},
        {L"a.b x", Search(L"a.b+x")},
        {L"localhost:8080", Search(L"localhost%3A8080")},
        {L"about:blank", Search(L"about%3Ablank")},
        {L"https://example.com/a?b=c#d", L"https://example.com/a?b=c#d"},
        {L"example.com/path?q=1 2", Search(L"example.com%2Fpath%3Fq%3D1+2")},
    };
    for (const Case& c : cases) {
        const AddressResolution r = ResolveAddressInput(c.typed);
        EXPECT_EQ(r.action, AddressAction::Navigate) << c.typed;
        EXPECT_EQ(r.targetUrl, c.target) << c.typed;
    }
}

TEST(ResolveAddressInput, EmptyAndInternalAddress) {
    EXPECT_EQ(ResolveAddressInput(L"").action, AddressAction::Nothing);
    EXPECT_EQ(ResolveAddressInput(L"browser://newtab").action, AddressAction::ShowNewTabPage);

    // Not the internal address: a leading blank or capitals make it an
    // ordinary address, navigated as typed.
    const AddressResolution blank = ResolveAddressInput(L" browser://newtab");
    EXPECT_EQ(blank.action, AddressAction::Navigate);
    EXPECT_EQ(blank.targetUrl, L" browser://newtab");
    const AddressResolution capitals = ResolveAddressInput(L"BROWSER://NEWTAB");
    EXPECT_EQ(capitals.action, AddressAction::Navigate);
    EXPECT_EQ(capitals.targetUrl, L"BROWSER://NEWTAB");
}

TEST(EncodeSearchTerms, FormValueEncoding) {
    EXPECT_EQ(EncodeSearchTerms(L"hello world"), L"hello+world");
    EXPECT_EQ(EncodeSearchTerms(L"1 + 1"), L"1+%2B+1");
    EXPECT_EQ(EncodeSearchTerms(L"AT&T"), L"AT%26T");
    EXPECT_EQ(EncodeSearchTerms(L"c#"), L"c%23");
    EXPECT_EQ(EncodeSearchTerms(L"100%"), L"100%25");
    EXPECT_EQ(EncodeSearchTerms(L"caf\u00e9"), L"caf%C3%A9");
    EXPECT_EQ(EncodeSearchTerms(L"-_.~AZaz09"), L"-_.~AZaz09");
    EXPECT_EQ(EncodeSearchTerms(L"a  b"), L"a++b");
    EXPECT_EQ(EncodeSearchTerms(L"\u20ac"), L"%E2%82%AC");    // three UTF-8 bytes
    EXPECT_EQ(EncodeSearchTerms(L"\u07ff"), L"%DF%BF");       // last two-byte code point
    EXPECT_EQ(EncodeSearchTerms(L"\t\n"), L"%09%0A");
    EXPECT_EQ(EncodeSearchTerms(L""), L"");
}

TEST(EncodeSearchTerms, NonBmpTextAndUnpairedSurrogates) {
    // U+1F600 as a surrogate pair becomes its four UTF-8 bytes.
    EXPECT_EQ(EncodeSearchTerms(L"\xD83D\xDE00"), L"%F0%9F%98%80");
    EXPECT_EQ(EncodeSearchTerms(L"hi \xD83D\xDE00!"), L"hi+%F0%9F%98%80%21");
    // Lone halves, in any position, become U+FFFD; nothing is read past the end.
    const std::wstring replacement = L"%EF%BF%BD";
    EXPECT_EQ(EncodeSearchTerms(std::wstring(1, wchar_t(0xD83D))), replacement);
    EXPECT_EQ(EncodeSearchTerms(std::wstring(1, wchar_t(0xDE00))), replacement);
    EXPECT_EQ(EncodeSearchTerms(std::wstring{wchar_t(0xD83D), L'a'}), replacement + L"a");
    EXPECT_EQ(EncodeSearchTerms(std::wstring{wchar_t(0xDE00), wchar_t(0xD83D)}), replacement + replacement);
    // A high surrogate followed by a complete pair: one replacement, then the pair.
    EXPECT_EQ(EncodeSearchTerms(std::wstring{wchar_t(0xD83D), wchar_t(0xD83D), wchar_t(0xDE00)}),
              replacement + L"%F0%9F%98%80");
}

TEST(ResolveAddressInput, SearchTermsAreEncodedOnlyForSearches) {
    EXPECT_EQ(ResolveAddressInput(L"1 + 1").targetUrl, Search(L"1+%2B+1"));
    EXPECT_EQ(ResolveAddressInput(L"AT&T").targetUrl, Search(L"AT%26T"));
    EXPECT_EQ(ResolveAddressInput(L"c#").targetUrl, Search(L"c%23"));
    // URL-like input is passed as typed, percent signs and all.
    EXPECT_EQ(ResolveAddressInput(L"a.b/100%").targetUrl, L"https://a.b/100%");
    EXPECT_EQ(ResolveAddressInput(L"caf\u00e9.fr").targetUrl, L"https://caf\u00e9.fr");
}

}  // namespace
