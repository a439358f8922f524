// Background tabs put to sleep: when, which not, what a refusal or an error
// leaves, a closed tab, waking, and an engine without the call. The clock is
// driven: each test hands PutIdleTabsToSleep the time it means.
#include "BrowserFixture.h"

#include "core/TabActions.h"
#include "core/TabSleep.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <algorithm>

namespace {

constexpr ULONGLONG kFiveMinutes = 5 * 60 * 1000;
constexpr ULONGLONG kOneMinute = 60 * 1000;

// Puts the sweep's result through: its completions are delivered.
void SweepAt(ULONGLONG now) {
    PutIdleTabsToSleep(now);
    ASSERT_TRUE(devengine::RunPending());
}

class TabSleep : public BrowserFixture {
protected:
    static size_t SleepTries(int view) { return Calls(view, L"TrySuspend").size(); }

    // Starts the engine with two tabs: the first in the background, the second current.
    void StartWithBackgroundTab() {
        StartEngine();
        OpenTabs(1);
        view_ = TabViewIds()[0];
        since_ = g_tabs[0].backgroundSince;
        ASSERT_NE(since_, 0u) << "the first tab went to the background";
    }
    int view_ = 0;
    ULONGLONG since_ = 0;
};

TEST_F(TabSleep, ATabSleepsAfterFiveMinutesInTheBackgroundNotBefore) {
    StartWithBackgroundTab();
    SweepAt(since_ + kFiveMinutes - 1);
    EXPECT_EQ(SleepTries(view_), 0u);
    EXPECT_FALSE(devengine::GetView(view_).suspended);

    SweepAt(since_ + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 1u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
    EXPECT_EQ(SleepTries(TabViewIds()[1]), 0u);

    // A sleeping tab is not asked again.
    SweepAt(since_ + 3 * kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 1u);
    ExpectConsistent();
}

TEST_F(TabSleep, APagePlayingSoundStaysAwake) {
    StartWithBackgroundTab();
    ASSERT_TRUE(devengine::TriggerAudio(view_, true));
    Settle();
    SweepAt(since_ + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 0u);

    // Once the sound stops it sleeps at the next sweep.
    ASSERT_TRUE(devengine::TriggerAudio(view_, false));
    Settle();
    SweepAt(since_ + kFiveMinutes + kOneMinute);
    EXPECT_EQ(SleepTries(view_), 1u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
}

// Whether the page plays sound cannot be asked: it might, so it stays awake.
TEST_F(TabSleep, OnAnEngineWithoutSoundEventsTheEngineRefusesAPagePlayingSound) {
    devengine::GetKnobs().withholdAudio = true;
    StartWithBackgroundTab();
    ASSERT_TRUE(devengine::TriggerAudio(view_, true));
    Settle();
    SweepAt(since_ + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 1u);
    EXPECT_FALSE(devengine::GetView(view_).suspended);

    ASSERT_TRUE(devengine::TriggerAudio(view_, false));
    Settle();
    SweepAt(since_ + 2 * kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 2u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
}

TEST_F(TabSleep, ALoadingPageStaysAwake) {
    StartWithBackgroundTab();
    devengine::GetKnobs().holdNavigations = true;
    ASSERT_EQ(devengine::GetWebView(view_)->Navigate(L"https://slow.test/"), S_OK);
    Settle();
    ASSERT_TRUE(g_tabs[0].loading);
    SweepAt(since_ + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 0u);

    ASSERT_TRUE(devengine::ReleaseNavigation(view_));
    Settle();
    ASSERT_FALSE(g_tabs[0].loading);
    SweepAt(since_ + kFiveMinutes + kOneMinute);
    EXPECT_EQ(SleepTries(view_), 1u);
}

// A background page that goes full screen is asked to leave; until it has
// left it stays awake.
TEST_F(TabSleep, AFullScreenPageStaysAwake) {
    StartWithBackgroundTab();
    ASSERT_TRUE(devengine::TriggerFullScreen(view_, true));
    ASSERT_TRUE(devengine::DeliverNext());
    ASSERT_TRUE(devengine::GetView(view_).fullScreen);
    PutIdleTabsToSleep(since_ + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 0u);

    Settle();
    ASSERT_FALSE(devengine::GetView(view_).fullScreen);
    SweepAt(since_ + kFiveMinutes + kOneMinute);
    EXPECT_EQ(SleepTries(view_), 1u);
}

TEST_F(TabSleep, ARefusalIsTriedAgainFiveMinutesLater) {
    devengine::GetKnobs().refuseSuspend = true;
    StartWithBackgroundTab();
    const ULONGLONG tried = since_ + kFiveMinutes;
    SweepAt(tried);
    ASSERT_EQ(SleepTries(view_), 1u);
    EXPECT_FALSE(devengine::GetView(view_).suspended);

    SweepAt(tried + kFiveMinutes - 1);
    EXPECT_EQ(SleepTries(view_), 1u);
    devengine::GetKnobs().refuseSuspend = false;
    SweepAt(tried + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 2u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
    ExpectConsistent();
}

TEST_F(TabSleep, AnErrorIsTriedAgainFiveMinutesLater) {
    devengine::GetKnobs().suspendResult = E_FAIL;
    MessageBoxAnswerer answerer;
    StartWithBackgroundTab();
    const ULONGLONG tried = since_ + kFiveMinutes;
    SweepAt(tried);
    ASSERT_EQ(SleepTries(view_), 1u);

    SweepAt(tried + kFiveMinutes - 1);
    EXPECT_EQ(SleepTries(view_), 1u);
    devengine::GetKnobs().suspendResult = S_OK;
    SweepAt(tried + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 2u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
    EXPECT_TRUE(MessageBoxAnswerer::Seen().empty());
    ExpectConsistent();
}

// The current tab is never put to sleep, not even out of sight in a
// minimised window.
TEST_F(TabSleep, TheCurrentTabNeverSleeps) {
    StartEngine();
    ShowWindow(g_hMainWnd, SW_MINIMIZE);
    Settle();
    const int view = TabViewIds()[0];
    ASSERT_FALSE(devengine::GetView(view).visible);
    const ULONGLONG since = g_tabs[0].backgroundSince;
    ASSERT_NE(since, 0u) << "a minimised window's tab is in the background";
    SweepAt(since + 10 * kFiveMinutes);
    EXPECT_EQ(SleepTries(view), 0u);
    ShowWindow(g_hMainWnd, SW_RESTORE);
    Settle();
    EXPECT_EQ(g_tabs[0].backgroundSince, 0u);
}

// A tab closed while its try is under way: its completion changes nothing,
// and nothing more is asked of it.
TEST_F(TabSleep, ATabClosedMeanwhileIsLeftAlone) {
    StartEngine();
    OpenTabs(2);
    const std::vector<int> views = TabViewIds();
    const ULONGLONG since = std::max(g_tabs[0].backgroundSince, g_tabs[1].backgroundSince);
    PutIdleTabsToSleep(since + kFiveMinutes);
    ASSERT_EQ(SleepTries(views[0]), 1u);
    ASSERT_EQ(SleepTries(views[1]), 1u);
    CloseTab(0);
    const size_t callsAtClose = Calls(views[0], L"").size();
    Settle();

    bool completedClosed = false;
    for (const std::wstring& line : devengine::EngineLog()) {
        if (line.rfind(L"view " + std::to_wstring(views[0]) + L" TrySuspend completed 0x", 0) == 0) completedClosed = true;
    }
    EXPECT_TRUE(completedClosed) << "the closed view's completion came";
    EXPECT_TRUE(devengine::GetView(views[1]).suspended);
    SweepAt(since + 4 * kFiveMinutes);
    EXPECT_EQ(Calls(views[0], L"").size(), callsAtClose) << "nothing asked of the closed tab";
    EXPECT_EQ(TabViewIds(), (std::vector<int>{views[1], views[2]}));
    ExpectConsistent();
}

// Showing a sleeping tab wakes it (the engine resumes a web view made
// visible); out of sight again, it sleeps after another five minutes.
TEST_F(TabSleep, ShowingATabWakesIt) {
    StartWithBackgroundTab();
    SweepAt(since_ + kFiveMinutes);
    ASSERT_TRUE(devengine::GetView(view_).suspended);

    SelectTab(0);
    Settle();
    EXPECT_FALSE(devengine::GetView(view_).suspended);
    EXPECT_TRUE(devengine::GetView(view_).visible);
    EXPECT_TRUE(Calls(view_, L"Resume").empty()) << "nothing to call";

    SelectTab(1);
    Settle();
    const ULONGLONG since = g_tabs[0].backgroundSince;
    ASSERT_NE(since, 0u);
    SweepAt(since + kFiveMinutes - 1);
    EXPECT_EQ(SleepTries(view_), 1u);
    SweepAt(since + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 2u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
    ExpectConsistent();
}

// A tab that comes back out of sight after the engine's exit counts as in
// the background from then on.
TEST_F(TabSleep, ATabReopenedInTheBackgroundSleepsToo) {
    StartEngine();
    OpenTabs(1);
    ASSERT_TRUE(devengine::TriggerProcessFailure(TabViewIds()[0], COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    Settle();
    ASSERT_EQ(g_tabs.size(), 2u);
    ASSERT_EQ(g_currentTab, 1);
    const ULONGLONG since = g_tabs[0].backgroundSince;
    ASSERT_NE(since, 0u);
    SweepAt(since + kFiveMinutes);
    EXPECT_EQ(SleepTries(TabViewIds()[0]), 1u);
    EXPECT_EQ(SleepTries(TabViewIds()[1]), 0u);
    ExpectConsistent();
}

// An engine without the call: nothing happens, without a message.
TEST_F(TabSleep, AnEngineWithoutSleepLeavesTabsAsTheyAre) {
    devengine::GetKnobs().withholdSuspend = true;
    MessageBoxAnswerer answerer;
    StartWithBackgroundTab();
    SweepAt(since_ + 10 * kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 0u);
    EXPECT_FALSE(devengine::GetView(view_).suspended);
    EXPECT_TRUE(MessageBoxAnswerer::Seen().empty());
    EXPECT_EQ(TabViewIds().size(), 2u);
    ExpectConsistent();
}

// The time out of sight is kept whether or not the engine has memory levels.
TEST_F(TabSleep, TabsSleepOnAnEngineWithoutMemoryLevels) {
    devengine::GetKnobs().withholdMemoryLevel = true;
    StartWithBackgroundTab();
    SweepAt(since_ + kFiveMinutes);
    EXPECT_EQ(SleepTries(view_), 1u);
    EXPECT_TRUE(devengine::GetView(view_).suspended);
}

}  // namespace
