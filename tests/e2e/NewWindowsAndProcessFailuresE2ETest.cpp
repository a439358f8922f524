// Through the real executable: a page's new window opens as a tab, and a dead
// engine browser process is replaced with every tab reopened.
#include "BrowserSession.h"
#include "Polling.h"

namespace {

using E2ENewWindowsAndFailures = BrowserSession;

TEST_F(E2ENewWindowsAndFailures, APageThatOpensAWindowGetsATab) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(NavigateByTyping(1, L"opener.example", L"https://opener.example"));

    ASSERT_TRUE(Browser().SendEngineCommand(L"new-window 1 https://popup.example/"));
    ASSERT_TRUE(WaitForLogLine(L"view 1 new window https://popup.example/ loads in view 2"));
    ASSERT_TRUE(WaitForTabCount(2));
    EXPECT_TRUE(WaitForAddressText(L"https://popup.example/"));
    EXPECT_EQ(CurrentTabIndex(), 1);
    EXPECT_TRUE(WaitUntil(
        [this] { return Captions() == std::vector<std::wstring>{L"opener.example", L"popup.example"}; }));
    EXPECT_TRUE(LogLinesStartingWith(L"stray window").empty());
    EXPECT_TRUE(LogLinesStartingWith(L"view 2 NavigateToString").empty());
    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

TEST_F(E2ENewWindowsAndFailures, ADeadBrowserProcessIsReplacedAndTheTabsReopen) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(NavigateByTyping(1, L"one.example", L"https://one.example"));
    ASSERT_TRUE(OpenTab());

    ASSERT_TRUE(Browser().SendEngineCommand(L"process-failed 2 0"));
    // The tabs come back in a new environment as views 3 and 4, in order.
    ASSERT_TRUE(WaitForLogLine(ViewLine(3, L"event SourceChanged https://one.example")));
    ASSERT_TRUE(WaitForLogLine(ViewLine(4, L"event DocumentTitleChanged New Tab")));
    EXPECT_TRUE(WaitUntil([this] { return Captions() == std::vector<std::wstring>{L"one.example", L"New Tab"}; }));
    EXPECT_EQ(CurrentTabIndex(), 1);
    EXPECT_TRUE(WaitForAddressText(kNewTabAddress));
    EXPECT_EQ(LogLinesStartingWith(L"environment CreateCoreWebView2EnvironmentWithOptions").size(), 2u);
    EXPECT_EQ(LogCount(ViewLine(1, L"Close")), 1u);
    EXPECT_EQ(LogCount(ViewLine(2, L"Close")), 1u);
    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

}  // namespace
