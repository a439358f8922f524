// The address bar under real typing: Enter and the keypad's Enter navigate the
// current tab to what the text means, once per press, and leave the typed text
// as it is; the New Tab page's search box leads into the bar.
#include "BrowserSession.h"
#include "Polling.h"
#include "RemoteWindows.h"
#include "XInput.h"

namespace {

class E2EAddressBar : public BrowserSession {};

TEST_F(E2EAddressBar, EnterNavigatesToWhatTheTypedTextMeans) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());

    // A search, then a bare host name: each Enter asks the engine once.
    ASSERT_TRUE(NavigateByTyping(1, L"hello world", L"https://www.google.com/search?q=hello+world"));
    EXPECT_TRUE(WaitUntil([this] { return Captions() == std::vector<std::wstring>{L"hello world - Google Search"}; }))
        << Captions().front();
    ASSERT_TRUE(NavigateByTyping(1, L"example.com", L"https://example.com"));
    EXPECT_EQ(LogCount(ViewLine(1, L"Navigate https://www.google.com/search?q=hello+world")), 1u);
    EXPECT_EQ(LogCount(ViewLine(1, L"Navigate https://example.com")), 1u);

    // The keypad's Enter is Enter too.
    ASSERT_TRUE(TypeIntoAddressBar(L"keypad.example"));
    ASSERT_TRUE(PressKeys(L"KP_Enter"));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"Navigate https://keypad.example")));

    // Enter on an empty bar does nothing: the next navigation is the only one
    // after it.
    const size_t navigationsBefore = Log().size();
    ASSERT_TRUE(TypeIntoAddressBar(L""));
    ASSERT_TRUE(PressKeys(L"Return"));
    ASSERT_TRUE(NavigateByTyping(1, L"after.example", L"https://after.example"));
    const std::vector<std::wstring> log = Log();
    size_t navigations = 0;
    for (size_t i = navigationsBefore; i < log.size(); ++i) {
        if (log[i].find(L" Navigate") != std::wstring::npos) ++navigations;
    }
    EXPECT_EQ(navigations, 1u);

    // The internal address brings the New Tab page back.
    ASSERT_TRUE(TypeIntoAddressBar(kNewTabAddress));
    ASSERT_TRUE(PressKeys(L"Return"));
    EXPECT_TRUE(WaitUntil([this] { return LogCount(ViewLine(1, L"NavigateToString")) == 2; }));
    EXPECT_TRUE(WaitForAddressText(kNewTabAddress));
    EXPECT_TRUE(WaitUntil([this] { return Captions() == std::vector<std::wstring>{L"New Tab"}; }));

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

TEST_F(E2EAddressBar, SearchBoxLeadsIntoTheBarAndEnterLeavesTheTypedText) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());

    // A click on the New Tab page's search box puts the focus into the
    // address bar with its whole text selected.
    const RECT page = ScreenRect(PageOf(1));
    const POINT searchBox = {(page.left + page.right) / 2, (page.top + page.bottom) / 2 + 35};
    ASSERT_TRUE(ClickAt(searchBox));
    ASSERT_TRUE(WaitForFocus(Control(ID_ADDRESS_BAR)));
    const DWORD selection = static_cast<DWORD>(SendMessageW(Control(ID_ADDRESS_BAR), EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), AddressText().size());

    // While the engine reports no address, the bar keeps what was typed, and
    // Enter navigates without changing it.
    ASSERT_TRUE(Browser().SendEngineCommand(L"knob null_source 1"));
    ASSERT_TRUE(TypeText(L"typed.example"));
    ASSERT_TRUE(WaitForAddressText(L"typed.example"));
    ASSERT_TRUE(PressKeys(L"Return"));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"event SourceChanged https://typed.example")));
    // A letter typed after Enter lands right behind the text.
    ASSERT_TRUE(TypeText(L"w"));
    EXPECT_TRUE(WaitForAddressText(L"typed.examplew"));
    EXPECT_EQ(LogCount(ViewLine(1, L"Navigate https://typed.example")), 1u);

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

}  // namespace
