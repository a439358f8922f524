// Failed engine processes: a page that crashes is reloaded, but not in a
// loop; a hung page is asked about once; a dead browser process is replaced
// and every tab comes back.
#include "BrowserFixture.h"

#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/EngineStart.h"
#include "core/History.h"
#include "core/TabActions.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <algorithm>

namespace {

class ProcessFailures : public BrowserFixture {
protected:
    // The first tab and one more per address after the first, each at its address.
    void OpenTabsAt(const std::vector<std::wstring>& addresses) {
        for (size_t i = 0; i < addresses.size(); ++i) {
            if (i > 0) OpenTabs(1);
            PressEnterInAddressBar(addresses[i]);
        }
    }
};

std::vector<std::wstring> TabSources() {
    std::vector<std::wstring> sources;
    for (size_t i = 0; i < g_tabs.size(); ++i) sources.push_back(SourceOfTab(static_cast<int>(i)));
    return sources;
}

size_t LogCount(const std::wstring& prefix) {
    size_t count = 0;
    for (const std::wstring& line : devengine::EngineLog()) count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

TEST_F(ProcessFailures, ACrashedPageIsReloadedAtMostOnceInTenSeconds) {
    MessageBoxAnswerer answerer;
    StartEngine();
    OpenTabs(1);
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED);
    Settle();
    EXPECT_EQ(Calls(1, L"Reload").size(), 1u);

    // It crashes again at once: left as it is.
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED);
    Settle();
    EXPECT_EQ(Calls(1, L"Reload").size(), 1u);

    // Ten seconds on, a crash reloads it again.
    g_tabs[0].failure.lastCrashReload -= 10000;
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED);
    // The kinds the engine recovers from itself change nothing.
    devengine::TriggerProcessFailure(2, COREWEBVIEW2_PROCESS_FAILED_KIND_GPU_PROCESS_EXITED);
    devengine::TriggerProcessFailure(2, COREWEBVIEW2_PROCESS_FAILED_KIND_FRAME_RENDER_PROCESS_EXITED);
    Settle();
    EXPECT_EQ(Calls(1, L"Reload").size(), 2u);
    EXPECT_TRUE(Calls(2, L"Reload").empty());
    EXPECT_EQ(g_tabs.size(), 2u);
    ExpectConsistent();
    EXPECT_TRUE(MessageBoxAnswerer::Seen().empty());
    EXPECT_EQ(devengine::EnvironmentRequests().size(), 1u);
}

TEST_F(ProcessFailures, AHungPageIsAskedAboutOncePerHang) {
    StartEngine();
    {
        MessageBoxAnswerer no(IDNO);
        devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE);
        devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE);
        Settle();
        devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE);
        Settle();
        const auto& boxes = MessageBoxAnswerer::Seen();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, L"Velquin");
        EXPECT_EQ(boxes[0].owner, g_hMainWnd);
        EXPECT_NE(boxes[0].text.find(L"browser://newtab"), std::wstring::npos) << boxes[0].text;
        EXPECT_TRUE(Calls(1, L"Reload").empty());
    }
    // The page came back to life and hangs again: a new question; Yes reloads.
    devengine::TriggerSourceChange(1, L"https://alive.example/");
    Settle();
    MessageBoxAnswerer yes(IDYES);
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE);
    Settle();
    EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    EXPECT_EQ(Calls(1, L"Reload").size(), 1u);
    ExpectConsistent();
}

TEST_F(ProcessFailures, ABrowserProcessExitReopensEveryTabInANewEnvironment) {
    const long liveBefore = devengine::LiveObjectCount();
    const long heldBefore = devengine::HeldHandlerCount();
    StartEngine();
    PressEnterInAddressBar(L"https://a.example/");
    OpenTabs(1);
    PressEnterInAddressBar(L"https://b.example/");
    OpenTabs(1);
    SelectTab(1);
    const std::vector<std::wstring> historyBefore = g_history;

    // Reopened controllers complete late and in reverse order.
    devengine::GetKnobs().controllerDelayMs = 100;
    ASSERT_TRUE(devengine::TriggerProcessFailure(3, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    ASSERT_TRUE(PumpUntil([] { return LogCount(L"environment CreateCoreWebView2Controller") == 6; }));
    EXPECT_TRUE(g_tabs.empty());
    EXPECT_TRUE(TabCaptions().empty());
    EXPECT_EQ(devengine::ReorderControllerCompletions(0), 3u);
    Settle();

    // Three ProcessFailed events, one new environment, for the same profile.
    const auto requests = devengine::EnvironmentRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].userDataFolder, requests[0].userDataFolder);
    for (int old = 1; old <= 3; ++old) EXPECT_TRUE(devengine::GetView(old).closed) << old;

    ASSERT_EQ(g_tabs.size(), 3u);
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    for (int id : TabViewIds()) EXPECT_EQ(devengine::GetView(id).environment, 2);
    EXPECT_EQ(SourceOfTab(0), L"https://a.example/");
    EXPECT_EQ(SourceOfTab(1), L"https://b.example/");
    EXPECT_TRUE(IsNewTabPageSource(SourceOfTab(2)));
    EXPECT_EQ(AddressBarText(), L"https://b.example/");
    EXPECT_EQ(TabCaptions(), (std::vector<std::wstring>{L"a.example", L"b.example", L"New Tab"}));
    // History keeps what it had; the reopened pages add theirs.
    ASSERT_EQ(g_history.size(), historyBefore.size() + 2);
    EXPECT_TRUE(std::equal(historyBefore.begin(), historyBefore.end(), g_history.begin()));

    // The dead objects and their handlers are gone; the live ones go at exit.
    ReleaseEngineObjects();
    Settle();
    EXPECT_EQ(devengine::LiveObjectCount(), liveBefore);
    EXPECT_EQ(devengine::HeldHandlerCount(), heldBefore);
}

// The zoom is the controller's: every tab a recovery brings back starts at 100%.
TEST_F(ProcessFailures, TabsARecoveryBringsBackStartAt100PercentZoom) {
    StartEngine();
    OpenTabs(1);
    Click(ID_ZOOM_IN);
    SelectTab(0);
    Click(ID_ZOOM_OUT);
    ASSERT_DOUBLE_EQ(devengine::GetView(TabViewIds()[0]).zoomFactor, 0.9);
    ASSERT_DOUBLE_EQ(devengine::GetView(TabViewIds()[1]).zoomFactor, 1.1);
    ASSERT_TRUE(devengine::TriggerProcessFailure(TabViewIds()[0], COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    Settle();
    ASSERT_EQ(g_tabs.size(), 2u);
    for (int id : TabViewIds()) {
        EXPECT_EQ(devengine::GetView(id).environment, 2);
        EXPECT_DOUBLE_EQ(devengine::GetView(id).zoomFactor, 1.0);
        EXPECT_TRUE(Calls(id, L"put_ZoomFactor").empty());
    }
}

TEST_F(ProcessFailures, ALateCompletionFromTheDeadEngineIsIgnored) {
    MessageBoxAnswerer answerer;
    StartEngine();
    // "+" is still on its way when the engine dies, and comes back while the
    // tabs are being reopened: it fails, but the recovery goes on.
    devengine::GetKnobs().controllerDelayMs = 300;
    Click(ID_NEW_TAB);
    devengine::GetKnobs().controllerDelayMs = 900;
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED);
    Settle();

    EXPECT_TRUE(MessageBoxAnswerer::Seen().empty());
    ASSERT_EQ(g_tabs.size(), 1u);
    ExpectConsistent();
    EXPECT_EQ(devengine::GetView(TabViewIds()[0]).environment, 2);
}

TEST_F(ProcessFailures, ARecoveryWhoseEnvironmentFailsIsReportedAndTheWindowStays) {
    MessageBoxAnswerer answerer;
    StartEngine();
    OpenTabs(1);
    devengine::GetKnobs().environmentResult = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED);
    Settle();

    ASSERT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    EXPECT_NE(MessageBoxAnswerer::Seen()[0].text.find(L"0x80070002"), std::wstring::npos);
    EXPECT_TRUE(g_tabs.empty());
    EXPECT_TRUE(TabCaptions().empty());
    EXPECT_EQ(g_currentTab, -1);
    EXPECT_TRUE(IsWindow(g_hMainWnd));
}

// The engine could not start again: each "+" is one more attempt, told again
// when it fails; once one works, the waiting tabs come back in order, the
// same one current until the New Tab page, after them, arrives and is made
// current.
TEST_F(ProcessFailures, AFailedRestartIsTriedAgainByTheUser) {
    MessageBoxAnswerer answerer;
    StartEngine();
    OpenTabsAt({L"https://a.example/", L"https://b.example/", L"https://c.example/"});
    SelectTab(1);
    devengine::GetKnobs().environmentResult = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED);
    Settle();
    ASSERT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    const size_t requests = devengine::EnvironmentRequests().size();

    Click(ID_NEW_TAB);
    Settle();
    EXPECT_EQ(devengine::EnvironmentRequests().size(), requests + 1) << "one attempt per press, no loop";
    EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 2u);
    EXPECT_TRUE(g_tabs.empty());

    devengine::GetKnobs().environmentResult = S_OK;
    Click(ID_NEW_TAB);
    Settle();
    EXPECT_EQ(devengine::EnvironmentRequests().size(), requests + 2);
    EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 2u);
    EXPECT_EQ(TabSources(), (std::vector<std::wstring>{L"https://a.example/", L"https://b.example/",
                                                       L"https://c.example/", SourceOfTab(3)}));
    EXPECT_EQ(SourceOfTab(3).find(L"data:text/html"), 0u);
    ExpectConsistent();
}

// One tab the working engine refuses, its failure arriving first, is no
// engine failure: no box, the others come back in order, the refused one can
// be reopened, and "+" works.
TEST_F(ProcessFailures, OneRefusedTabOfARecoveryLeavesTheBrowserWorking) {
    MessageBoxAnswerer answerer;
    StartEngine();
    OpenTabsAt({L"https://a.example/", L"https://b.example/", L"https://c.example/"});
    for (const bool atOnce : {false, true}) {
        SCOPED_TRACE(atOnce ? "refused at once" : "failed through its completion");
        if (atOnce) {
            devengine::GetKnobs().refusedControllerRequests = 1;
        } else {
            devengine::GetKnobs().failingControllerRequests = 1;
        }
        devengine::TriggerProcessFailure(TabViewIds()[0], COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED);
        Settle();
        EXPECT_TRUE(MessageBoxAnswerer::Seen().empty());
        EXPECT_TRUE(IsWindowEnabled(g_hMainWnd));
        EXPECT_EQ(TabSources(), (std::vector<std::wstring>{L"https://b.example/", L"https://c.example/"}));
        EXPECT_EQ(g_closedTabs, std::vector<std::wstring>{L"https://a.example/"});
        // Back in front, where it was.
        SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(ID_REOPEN_CLOSED_TAB, 1), 0);
        Settle();
        MoveTab(2, 0);
        ASSERT_EQ(TabSources(), (std::vector<std::wstring>{L"https://a.example/", L"https://b.example/",
                                                           L"https://c.example/"}));
    }
    OpenTabs(1);
    EXPECT_EQ(g_tabs.size(), 4u);
    ExpectConsistent();
}

}  // namespace

TEST_F(ProcessFailures, AnotherExitWhileTabsReopenLosesNone) {
    StartEngine();
    OpenTabsAt({L"https://a.example/", L"https://b.example/", L"https://c.example/"});
    SelectTab(1);

    ASSERT_TRUE(devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    // Only a is back when the new engine's browser process exits too.
    ASSERT_TRUE(StepUntil([] { return g_tabs.size() == 1; }));
    ASSERT_TRUE(devengine::TriggerProcessFailure(TabViewIds()[0],
                                                 COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    Settle();

    EXPECT_EQ(TabSources(), (std::vector<std::wstring>{L"https://a.example/", L"https://b.example/",
                                                       L"https://c.example/"}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    for (int id : TabViewIds()) EXPECT_EQ(devengine::GetView(id).environment, 3);
}

TEST_F(ProcessFailures, ATabTheWorkingEngineCannotReopenCanBeReopenedLater) {
    StartEngine();
    OpenTabsAt({L"https://a.example/", L"https://b.example/"});

    ASSERT_TRUE(devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    ASSERT_TRUE(StepUntil([] { return g_tabs.size() == 1; }));
    devengine::GetKnobs().nullCoreWebView2 = true;
    Settle();
    devengine::GetKnobs().nullCoreWebView2 = false;
    ASSERT_EQ(TabSources(), std::vector<std::wstring>{L"https://a.example/"});

    Click(ID_REOPEN_CLOSED_TAB);
    Settle();
    EXPECT_EQ(TabSources(), (std::vector<std::wstring>{L"https://a.example/", L"https://b.example/"}));
}

TEST_F(ProcessFailures, ATabRequestRefusedAtOnceIsHandledLikeALaterFailure) {
    MessageBoxAnswerer answerer;
    devengine::GetKnobs().requestControllerResult = E_OUTOFMEMORY;
    StartEngine();
    // The first tab: reported, not an empty window without a word.
    ASSERT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    EXPECT_NE(MessageBoxAnswerer::Seen()[0].text.find(L"0x8007000E"), std::wstring::npos);

    devengine::GetKnobs().requestControllerResult = S_OK;
    OpenTabs(1);
    OpenTabsAt({L"https://a.example/", L"https://b.example/"});
    devengine::GetKnobs().requestControllerResult = E_OUTOFMEMORY;
    // A closed tab stays remembered; a page's new window is answered with none.
    Click(ID_CLOSE_TAB);
    Click(ID_REOPEN_CLOSED_TAB);
    devengine::TriggerNewWindowRequest(TabViewIds()[0], L"https://popup.example/");
    Settle();
    EXPECT_EQ(g_closedTabs.size(), 1u);
    ASSERT_EQ(devengine::NewWindowRequests().size(), 1u);
    EXPECT_EQ(devengine::NewWindowRequests()[0].outcome, L"none");

    // A recovery whose every tab is refused: both remembered for later, and reported.
    ASSERT_TRUE(devengine::TriggerProcessFailure(TabViewIds()[0],
                                                 COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    Settle();
    EXPECT_TRUE(g_tabs.empty());
    EXPECT_EQ(g_closedTabs.size(), 2u);
    EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 2u);
}

namespace {

size_t ControllerRequestsLogged() {
    size_t count = 0;
    for (const std::wstring& line : devengine::EngineLog()) {
        count += line.find(L"CreateCoreWebView2Controller") != std::wstring::npos ? 1 : 0;
    }
    return count;
}

void ExpectNothingAskedOfAClosedPage() {
    for (const std::wstring& line : devengine::EngineLog()) {
        EXPECT_EQ(line.find(L"[closed]"), std::wstring::npos) << testing::PrintToString(line);
    }
}

void FocusPage(int view) {
    SetForegroundWindow(g_hMainWnd);
    SetFocus(devengine::GetView(view).pageWindow);
    ASSERT_EQ(GetFocus(), devengine::GetView(view).pageWindow);
}

}  // namespace

// The focused page of the current tab goes (closed, a new window's tab
// discarded, the engine exiting): the focus falls back to the main window,
// which must not hand it to the page that went.
TEST_F(ProcessFailures, ATabThatGoesWithTheFocusIsAskedNothingMore) {
    StartEngine();
    OpenTabs(1);
    FocusPage(TabViewIds()[1]);
    CloseTab(1);
    Settle();

    // The new window's tab gets the focus in its page as it arrives, and goes
    // at once: the engine could not take it, and the address is no web address.
    OpenTabs(1);
    const int opener = TabViewIds()[1];
    FocusPage(opener);
    devengine::GetKnobs().newWindowResult = E_FAIL;
    ASSERT_TRUE(devengine::TriggerNewWindowRequest(opener, L"data:text/html,<title>x</title>"));
    Settle();
    ASSERT_EQ(g_tabs.size(), 2u);
    ASSERT_EQ(devengine::ViewIds().size(), 4u) << "a tab was made for the request";

    FocusPage(TabViewIds()[1]);
    ASSERT_TRUE(devengine::TriggerProcessFailure(TabViewIds()[1],
                                                 COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    Settle();
    ASSERT_EQ(g_tabs.size(), 2u);
    ExpectNothingAskedOfAClosedPage();
}

// Tabs come back while the user works: the tab that was current takes over
// from the first one back only while the user has neither switched nor typed.
TEST_F(ProcessFailures, AReopenedCurrentTabArrivingLateLeavesTheUsersChoiceAlone) {
    StartEngine();
    OpenTabsAt({L"https://a.example/", L"https://b.example/", L"https://c.example/"});
    SelectTab(2);
    ASSERT_TRUE(devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    ASSERT_TRUE(StepUntil([] { return g_tabs.size() == 1u; }));
    ASSERT_EQ(ControllerRequestsLogged(), 6u);
    SetForegroundWindow(g_hMainWnd);
    SetFocus(g_hAddressBar);
    SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
    SendMessageW(g_hAddressBar, WM_CHAR, L'x', 0);
    ASSERT_EQ(AddressBarText(), L"x");
    Settle();
    ASSERT_EQ(g_tabs.size(), 3u);
    EXPECT_EQ(AddressBarText(), L"x");
    EXPECT_EQ(GetFocus(), g_hAddressBar);
    EXPECT_EQ(g_currentTab, 0);
    ExpectConsistent();
}

// "+" after a failed restart ends on the new tab whatever order the engine
// completes the waiting tabs and the new one in.
TEST_F(ProcessFailures, ARetriedRestartEndsOnTheNewTabWhateverTheOrder) {
    MessageBoxAnswerer answerer;
    StartEngine();
    OpenTabsAt({L"https://a.example/", L"https://b.example/", L"https://c.example/"});
    SelectTab(1);
    devengine::GetKnobs().environmentResult = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    Settle();
    ASSERT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    devengine::GetKnobs().environmentResult = S_OK;
    devengine::GetKnobs().controllerDelayMs = 100;
    Click(ID_NEW_TAB);
    ASSERT_TRUE(PumpUntil([] { return ControllerRequestsLogged() == 7u; }));
    EXPECT_EQ(devengine::ReorderControllerCompletions(0), 4u);
    Settle();
    ASSERT_EQ(g_tabs.size(), 4u);
    EXPECT_EQ(SourceOfTab(g_currentTab).find(L"data:text/html"), 0u) << "the New Tab page is current";
    EXPECT_EQ(GetFocus(), g_hAddressBar);
    ExpectConsistent();
}

