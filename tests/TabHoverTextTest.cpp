// The text shown while the pointer rests on a tab.
#include "core/TabHoverText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TabHoverText, TheWholeTitleOverTheAddressAsTheBarShowsIt) {
    const std::wstring longTitle(150, L'T');
    EXPECT_EQ(HoverTextFor(longTitle, L"https://a.test/x?a=1&b=2"), longTitle + L"\nhttps://a.test/x?a=1&b=2");
    EXPECT_EQ(HoverTextFor(L"Tom & Jerry", L"https://a.test/"), L"Tom & Jerry\nhttps://a.test/");
    // The built-in page shows its own address; no title shows as the caption does.
    EXPECT_EQ(HoverTextFor(L"", L"data:text/html;charset=utf-8;base64,PGh0bWw+"), L"New Tab\nbrowser://newtab");
    EXPECT_EQ(HoverTextFor(L"data:text/html,<b>x</b>", L"https://a.test/"), L"New Tab\nhttps://a.test/");
    EXPECT_EQ(HoverTextFor(L"Page", L""), L"Page\n");
}

// A page chooses its title: however long, or with line breaks, it stays two
// lines of a bounded length.
TEST(TabHoverText, AHugeOrMultiLineTitleStaysTwoBoundedLines) {
    EXPECT_EQ(HoverTextFor(L"one\r\ntwo\nthree", L"https://a.test/\n"), L"one  two three\nhttps://a.test/ ");

    const std::wstring huge(1000000, L'x');
    const std::wstring text = HoverTextFor(huge, huge);
    const std::wstring line = std::wstring(kMaxHoverLineLength, L'x') + L"...";
    EXPECT_EQ(text, line + L"\n" + line);
    EXPECT_EQ(HoverTextFor(std::wstring(kMaxHoverLineLength, L'y'), L"a"),
              std::wstring(kMaxHoverLineLength, L'y') + L"\na");

    // The cut never leaves half of a surrogate pair.
    std::wstring pairs(kMaxHoverLineLength - 1, L'a');
    pairs += L"\xD83D\xDE00\xD83D\xDE00";
    const std::wstring cut = HoverTextFor(pairs, L"a");
    EXPECT_EQ(cut, std::wstring(kMaxHoverLineLength - 1, L'a') + L"...\na");
}

}  // namespace
