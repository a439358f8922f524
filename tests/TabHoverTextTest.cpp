// The text shown while the pointer rests on a tab.
#include "core/TabHoverText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TabHoverText, TheWholeTitleOverTheAddressAsTheBarShowsIt) {
    const std::wstring longTitle = std::wstring(70, L'T') + L" " + std::wstring(79, L'T');
    EXPECT_EQ(HoverTextFor(longTitle, L"https://a.test/x?a=1&b=2"), longTitle + L"\nhttps://a.test/x?a=1&b=2");
    EXPECT_EQ(HoverTextFor(L"Tom & Jerry", L"https://a.test/"), L"Tom & Jerry\nhttps://a.test/");
    // The built-in page shows its own address; no title shows as the caption does.
    EXPECT_EQ(HoverTextFor(L"", L"data:text/html;charset=utf-8;base64,PGh0bWw+"), L"New Tab\nbrowser://newtab");
    EXPECT_EQ(HoverTextFor(L"data:text/html,<b>x</b>", L"https://a.test/"), L"New Tab\nhttps://a.test/");
    EXPECT_EQ(HoverTextFor(L"Page", L""), L"Page\n");
}

// `text` with a line break after every `columns` characters (all narrow).
std::wstring BrokenEvery(const std::wstring& text, size_t columns) {
    std::wstring broken;
    for (size_t start = 0; start < text.size(); start += columns) {
        if (start > 0) broken += L'\n';
        broken += text.substr(start, columns);
    }
    return broken;
}

// A page chooses its title: however long, or with line breaks, it stays a
// title and an address of a bounded length.
TEST(TabHoverText, AHugeOrMultiLineTitleStaysBounded) {
    EXPECT_EQ(HoverTextFor(L"one\r\ntwo\nthree", L"https://a.test/\n"), L"one  two three\nhttps://a.test/ ");

    const std::wstring huge(1000000, L'x');
    const std::wstring text = HoverTextFor(huge, huge);
    const std::wstring part = BrokenEvery(std::wstring(kMaxHoverPartLength, L'x') + L"...", kHoverLineColumns);
    EXPECT_EQ(text, part + L"\n" + part);
    std::wstring words;
    while (words.size() < kMaxHoverPartLength) words += L"word ";
    ASSERT_EQ(words.size(), kMaxHoverPartLength);
    EXPECT_EQ(HoverTextFor(words, L"a"), words + L"\na") << "a title of just the length is not cut";

    // The cut never leaves half of a surrogate pair.
    std::wstring pairs(kMaxHoverPartLength - 1, L' ');
    pairs += L"\xD83D\xDE00\xD83D\xDE00";
    EXPECT_EQ(HoverTextFor(pairs, L"a"), std::wstring(kMaxHoverPartLength - 1, L' ') + L"...\na");
}

// The tooltip wraps only at blanks: a run without one (an address, a title in
// Chinese) goes on lines of at most kHoverLineColumns columns, a wide
// character taking two, and nothing of it is lost.
TEST(TabHoverText, ARunWithoutABlankIsBrokenIntoLinesThatFit) {
    const size_t columns = kHoverLineColumns;
    const std::wstring address = L"https://a.test/?q=" + std::wstring(2 * columns, L'a');
    EXPECT_EQ(HoverTextFor(L"Result", address), L"Result\n" + BrokenEvery(address, columns));

    // A blank starts a new run; the tooltip wraps there itself.
    const std::wstring words = std::wstring(columns - 10, L'a') + L" " + std::wstring(columns, L'b') + L" b";
    EXPECT_EQ(HoverTextFor(words, L"a"), words + L"\na");

    static_assert(kHoverLineColumns % 2 == 0, "a line holds a whole number of wide characters");
    const std::wstring chinese(columns + 10, L'\x4E2D');
    EXPECT_EQ(HoverTextFor(chinese, L"a"), BrokenEvery(chinese, columns / 2) + L"\na");

    // A character made of a surrogate pair, or followed by a combining mark,
    // stays whole on the next line.
    const std::wstring narrow(columns - 1, L'a');
    EXPECT_EQ(HoverTextFor(narrow + L"\xD83D\xDE00" L"b", L"a"), narrow + L"\n\xD83D\xDE00" L"b\na");
    EXPECT_EQ(HoverTextFor(narrow + L"e\x0301" L"b", L"a"), narrow + L"e\x0301\nb\na");
}

}  // namespace
