// Completions that arrive late: the environment after the main window was
// closed, controller completions after the window was closed, and controller
// requests overtaken by later ones and completed out of order.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/Startup.h"

namespace {

using LateCompletions = ReliabilityFixture;

// The view ids of the controller completions in the engine log, in the order
// they completed (0 for one that brought no controller).
std::vector<int> CompletedViews(const std::vector<std::wstring>& log) {
    const std::wstring prefix = L"controller completed ";
    std::vector<int> views;
    for (const std::wstring& line : log) {
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        const std::wstring rest = line.substr(prefix.size());
        views.push_back(rest.compare(0, 5, L"view ") == 0 ? std::stoi(rest.substr(5)) : 0);
    }
    return views;
}

TEST_F(LateCompletions, EnvironmentArrivingAfterTheWindowClosedOpensNothing) {
    struct Case {
        const char* name;
        HRESULT result;
        bool nullEnvironment;
    };
    const Case cases[] = {
        {"an environment", S_OK, false},
        {"a failure", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), false},
        {"no environment", S_OK, true},
    };
    MessageBoxAnswerer answerer;
    for (const Case& c : cases) {
        // Undelayed, the completion is queued before the window's quit and
        // runs inside the loop, after the window is gone; delayed, it runs
        // after the loop has ended.
        for (const DWORD delayMs : {0u, 30u}) {
            SCOPED_TRACE(::testing::Message() << c.name << ", delayed " << delayMs << " ms");
            MessageBoxAnswerer::Seen().clear();
            devengine::GetKnobs().environmentResult = c.result;
            devengine::GetKnobs().nullEnvironment = c.nullEnvironment;
            devengine::GetKnobs().environmentDelayMs = delayMs;
            ASSERT_EQ(RequestBrowserEnvironment(), S_OK);
            ASSERT_TRUE(DestroyWindow(g_hMainWnd));
            EXPECT_EQ(RunMessageLoop(), 0);
            EXPECT_TRUE(devengine::RunPending());

            EXPECT_TRUE(g_tabs.empty());
            EXPECT_EQ(g_currentTab, -1);
            EXPECT_TRUE(devengine::ViewIds().empty());
            EXPECT_TRUE(MessageBoxAnswerer::Seen().empty()) << "a message box after the window was closed";
            RestartBrowser();
        }
    }
}

TEST_F(LateCompletions, ControllersArrivingAfterTheWindowClosedAddNoTab) {
    StartEngine();
    OpenTabs(2);
    for (int i = 0; i < 5; ++i) Click(ID_NEW_TAB);
    ASSERT_TRUE(DestroyWindow(g_hMainWnd));
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_TRUE(devengine::RunPending());

    EXPECT_EQ(CompletedViews(devengine::EngineLog()), (std::vector<int>{1, 2, 3, 0, 0, 0, 0, 0}));
    // The tabs there were went with the window.
    EXPECT_TRUE(g_tabs.empty());
    EXPECT_EQ(g_currentTab, -1);
    for (int view : {1, 2, 3}) EXPECT_TRUE(devengine::GetView(view).closed) << view;
}

TEST_F(LateCompletions, OvertakenRequestsAppendTabsInCompletionOrder) {
    StartEngine();
    EngineLogFollower log;
    log.NewLines();
    std::vector<int> expected = {1};
    // Reversed, then shuffled (seed 0 would reverse again). Two requests in
    // seven fail, one each way.
    const unsigned orders[] = {0u, TestSeed(0xC0FFEEu) | 1u};
    for (size_t round = 0; round < 2; ++round) {
        SCOPED_TRACE(::testing::Message() << "order " << orders[round]);
        for (int press = 0; press < 100; ++press) {
            devengine::GetKnobs().controllerResult = press % 7 == 3 ? E_ABORT : S_OK;
            devengine::GetKnobs().nullController = press % 7 == 5;
            Click(ID_NEW_TAB);
        }
        devengine::ResetKnobs();
        ASSERT_EQ(devengine::ReorderControllerCompletions(orders[round]), 100u);
        Settle();

        const std::vector<int> completed = CompletedViews(log.NewLines());
        ASSERT_EQ(completed.size(), 100u);
        for (int view : completed) {
            if (view != 0) expected.push_back(view);
        }
        EXPECT_EQ(expected.size(), 1 + 72 * (round + 1));
        EXPECT_EQ(TabViewIds(), expected);
        ExpectConsistent();
        EXPECT_EQ(g_currentTab, static_cast<int>(expected.size()) - 1) << "the last to complete is current";
        EXPECT_EQ(AddressBarText(), L"browser://newtab");
        for (int view : expected) EXPECT_EQ(Calls(view, L"NavigateToString").size(), 1u) << "view " << view;
    }
}

TEST_F(LateCompletions, CompletionsWhileTheHistoryBoxIsOpenAddTheirTabs) {
    StartEngine();
    for (int i = 0; i < 3; ++i) Click(ID_NEW_TAB);
    {
        MessageBoxAnswerer answerer;
        Click(ID_HISTORY);  // returns when the box is answered; its own loop ran the completions
        EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    }
    EXPECT_EQ(g_tabs.size(), 4u);
    Settle();
    ExpectConsistent();
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
