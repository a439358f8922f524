// Back and Next are enabled exactly when the current tab can go back or
// forward: after its own history changes and after every switch of tab, never
// after a background tab's; enabled whenever the engine cannot tell.
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

using NavigationButtons = BrowserFixture;

// Whether Back and Next are enabled, in that order.
std::pair<bool, bool> BackAndNext() {
    return {IsWindowEnabled(GetDlgItem(g_hMainWnd, ID_BACK)) != FALSE,
            IsWindowEnabled(GetDlgItem(g_hMainWnd, ID_NEXT)) != FALSE};
}

const std::pair<bool, bool> kNeither = {false, false};
const std::pair<bool, bool> kBackOnly = {true, false};
const std::pair<bool, bool> kNextOnly = {false, true};
const std::pair<bool, bool> kBoth = {true, true};

TEST_F(NavigationButtons, FollowNavigationsBackAndForwardOfTheCurrentTab) {
    EXPECT_EQ(BackAndNext(), kBoth) << "before the first tab";
    StartEngine();
    EXPECT_EQ(BackAndNext(), kNeither) << "the New Tab page alone";

    PressEnterInAddressBar(L"https://a.test/");
    EXPECT_EQ(BackAndNext(), kBackOnly);
    PressEnterInAddressBar(L"https://b.test/");
    Click(ID_BACK);
    Settle();
    EXPECT_EQ(BackAndNext(), kBoth);
    Click(ID_BACK);
    Settle();
    EXPECT_EQ(BackAndNext(), kNextOnly);
    Click(ID_NEXT);
    Click(ID_NEXT);
    Settle();
    EXPECT_EQ(BackAndNext(), kBackOnly);

    // A move within the page adds an entry too.
    Click(ID_BACK);
    Settle();
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[0], L"https://a.test/#part"));
    Settle();
    EXPECT_EQ(BackAndNext(), kBackOnly);
}

TEST_F(NavigationButtons, FollowSwitchesAndIgnoreBackgroundTabs) {
    StartEngine();
    PressEnterInAddressBar(L"https://a.test/");
    PressEnterInAddressBar(L"https://b.test/");
    Click(ID_BACK);
    Settle();
    ASSERT_EQ(BackAndNext(), kBoth);

    OpenTabs(1);
    EXPECT_EQ(BackAndNext(), kNeither) << "a new tab is current";

    // The first tab's list changes in the background: the buttons are not
    // even looked at again (were they, the failing engine would enable them).
    const int first = TabViewIds()[0];
    devengine::GetKnobs().canGoResult = E_FAIL;
    ASSERT_EQ(devengine::GetWebView(first)->GoForward(), S_OK);
    Settle();
    devengine::GetKnobs().canGoResult = S_OK;
    EXPECT_EQ(devengine::GetView(first).source, L"https://b.test/");
    EXPECT_EQ(BackAndNext(), kNeither);

    SelectTab(0);
    EXPECT_EQ(BackAndNext(), kBackOnly);
    SelectTab(1);
    EXPECT_EQ(BackAndNext(), kNeither);
    // Closing the current tab switches to the one that takes its place.
    Click(ID_CLOSE_TAB);
    EXPECT_EQ(BackAndNext(), kBackOnly);
}

TEST_F(NavigationButtons, StayEnabledWhenTheEngineCannotTell) {
    StartEngine();
    OpenTabs(1);
    ASSERT_EQ(BackAndNext(), kNeither);
    devengine::GetKnobs().canGoResult = E_FAIL;
    SelectTab(0);
    EXPECT_EQ(BackAndNext(), kBoth);
    PressEnterInAddressBar(L"https://a.test/");
    EXPECT_EQ(BackAndNext(), kBoth);

    devengine::GetKnobs().canGoResult = S_OK;
    PressEnterInAddressBar(L"https://b.test/");
    EXPECT_EQ(BackAndNext(), kBackOnly);
}

TEST_F(NavigationButtons, AButtonDisabledUnderTheFocusHandsItToThePage) {
    StartEngine();
    PressEnterInAddressBar(L"https://a.test/");
    const HWND back = GetDlgItem(g_hMainWnd, ID_BACK);
    SetFocus(back);
    Click(ID_BACK);
    Settle();
    EXPECT_EQ(BackAndNext(), kNextOnly);
    EXPECT_EQ(GetFocus(), devengine::GetView(TabViewIds()[0]).pageWindow) << "the keys still arrive";
}

}  // namespace
