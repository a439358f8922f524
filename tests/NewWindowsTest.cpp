// Pages that open a window get a tab: the request's order of answers, its
// failures, and a page that opens many windows at once.
#include "BrowserFixture.h"

#include "core/ClosedTabs.h"
#include "core/History.h"
#include "core/Tabs.h"

namespace {

using NewWindows = BrowserFixture;

// The opener's answers to its requests, in the order it gave them.
std::vector<std::wstring> Answers(int opener) {
    std::vector<std::wstring> answers;
    for (const std::wstring& call : devengine::CallLog(opener)) {
        if (call.compare(0, 11, L"put_Handled") == 0 || call.compare(0, 13, L"put_NewWindow") == 0 ||
            call == L"GetDeferral" || call.compare(0, 8, L"Complete") == 0) {
            answers.push_back(call);
        }
    }
    return answers;
}

size_t LogCount(const std::wstring& prefix) {
    size_t count = 0;
    for (const std::wstring& line : devengine::EngineLog()) count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

TEST_F(NewWindows, ARequestBecomesTheCurrentTabAndTheEngineLoadsTheAddress) {
    StartEngine();
    OpenTabs(1);
    devengine::TriggerNewWindowRequest(1, L"https://popup.example/page");
    Settle();

    ASSERT_EQ(g_tabs.size(), 3u);
    EXPECT_EQ(g_currentTab, 2);
    ExpectConsistent();
    EXPECT_EQ(TabViewIds()[2], 3);
    // Handed over before the deferral completes, each once; never sent to the New Tab page.
    EXPECT_EQ(Answers(1), (std::vector<std::wstring>{L"put_Handled 1", L"GetDeferral", L"put_NewWindow view 3",
                                                     L"Complete"}));
    EXPECT_TRUE(Calls(3, L"Navigate").empty());
    const devengine::NewWindowRequestInfo request = devengine::NewWindowRequests().at(0);
    EXPECT_EQ(request.outcome, L"view 3");
    EXPECT_EQ(SourceOfTab(2), L"https://popup.example/page");
    EXPECT_EQ(AddressBarText(), L"https://popup.example/page");
    EXPECT_EQ(TabCaptions()[2], L"popup.example");
    EXPECT_EQ(g_history.back(), L"https://popup.example/page");
}

TEST_F(NewWindows, APopUpThePageOpensByItselfIsBlocked) {
    StartEngine();
    devengine::TriggerNewWindowRequest(1, L"https://popup.example/", false);
    Settle();

    EXPECT_EQ(g_tabs.size(), 1u);
    EXPECT_EQ(LogCount(L"environment CreateCoreWebView2Controller"), 1u) << "no controller asked for";
    EXPECT_EQ(Answers(1), std::vector<std::wstring>{L"put_Handled 1"});
    EXPECT_EQ(devengine::NewWindowRequests().at(0).outcome, L"none");
}

TEST_F(NewWindows, TheAddressAPageAskedForIsNotTheTabsUntilTheEngineReportsIt) {
    StartEngine();
    devengine::TriggerNewWindowRequest(1, L"https://asked.example/");
    // The tab is there and handed over; the engine has not loaded the address yet.
    ASSERT_TRUE(StepUntil([] { return g_tabs.size() == 2 && !devengine::NewWindowRequests().at(0).outcome.empty(); }));
    EXPECT_EQ(g_tabs[1].lastSource, L"");
    Settle();
    EXPECT_EQ(g_tabs[1].lastSource, L"https://asked.example/");
}

TEST_F(NewWindows, AFailedTabCompletesTheRequestWithNoWindowAndChangesNothing) {
    StartEngine();
    devengine::GetKnobs().controllerResult = E_ABORT;
    devengine::TriggerNewWindowRequest(1, L"https://a.example/");
    Settle();
    devengine::GetKnobs() = devengine::Knobs();
    devengine::GetKnobs().nullCoreWebView2 = true;
    devengine::TriggerNewWindowRequest(1, L"https://b.example/");
    Settle();

    EXPECT_EQ(g_tabs.size(), 1u);
    ExpectConsistent();
    for (const auto& request : devengine::NewWindowRequests()) {
        EXPECT_TRUE(request.completed) << request.uri;
        EXPECT_EQ(request.outcome, L"none") << request.uri;
    }
    EXPECT_EQ(Calls(1, L"Complete").size(), 2u);
}

TEST_F(NewWindows, ATabTheRequestCannotTakeLoadsTheAddressItself) {
    StartEngine();
    devengine::GetKnobs().newWindowResult = E_FAIL;
    devengine::TriggerNewWindowRequest(1, L"https://refused.example/");
    Settle();

    ASSERT_EQ(g_tabs.size(), 2u);
    ExpectConsistent();
    EXPECT_EQ(Calls(2, L"Navigate"), std::vector<std::wstring>{L"Navigate https://refused.example/"});
    EXPECT_EQ(SourceOfTab(1), L"https://refused.example/");
    EXPECT_EQ(Calls(1, L"Complete"), std::vector<std::wstring>{L"Complete"});
    EXPECT_EQ(devengine::NewWindowRequests().at(0).outcome, L"none");
}

TEST_F(NewWindows, ATabTheRequestCannotTakeGoesNowhereButAWebAddressAndIsDroppedUnseen) {
    StartEngine();
    OpenTabs(2);
    SelectTab(1);
    const int opener = TabViewIds()[0];
    devengine::GetKnobs().newWindowResult = E_FAIL;
    // Addresses a page could use to pass for the New Tab page or to run its own
    // content as the browser's: the tab goes again, on no list.
    for (const wchar_t* refused :
         {L"data:text/html,<title>New Tab</title>", L" \t\nDATA:text/html,x", L"javascript:alert(1)",
          L"JavaScript:alert(1)", L"file:///C:/windows/win.ini", L"blob:https://a.example/1", L"about:version",
          L"about:blank#x", L"view-source:https://a.example/", L"ht\ttp://a.example/", L"http", L" "}) {
        devengine::TriggerNewWindowRequest(opener, refused);
        Settle();
        ASSERT_EQ(g_tabs.size(), 3u) << refused;
        EXPECT_EQ(g_currentTab, 1) << refused;
        ExpectConsistent();
        const int view = devengine::ViewIds().back();
        EXPECT_TRUE(devengine::GetView(view).closed) << refused;
        EXPECT_TRUE(Calls(view, L"Navigate").empty()) << refused;
    }
    EXPECT_TRUE(g_closedTabs.empty());
    EXPECT_TRUE(g_history.empty());
    for (const auto& request : devengine::NewWindowRequests()) EXPECT_TRUE(request.completed) << request.uri;

    // A web address and about:blank are loaded, whatever their case and blanks in front.
    devengine::TriggerNewWindowRequest(opener, L"  HTTPS://web.example/");
    devengine::TriggerNewWindowRequest(opener, L"about:blank");
    Settle();
    ASSERT_EQ(g_tabs.size(), 5u);
    EXPECT_EQ(SourceOfTab(3), L"HTTPS://web.example/");
    EXPECT_EQ(Calls(TabViewIds()[4], L"Navigate"), std::vector<std::wstring>{L"Navigate about:blank"});
}

TEST_F(NewWindows, TenRequestsGiveTenTabsInTheOrderTheirControllersComplete) {
    StartEngine();
    // The controllers wait, so that their completions can be reordered.
    devengine::GetKnobs().controllerDelayMs = 100;
    for (int i = 0; i < 10; ++i) {
        devengine::TriggerNewWindowRequest(1, L"https://w" + std::to_wstring(i) + L".example/");
    }
    ASSERT_TRUE(PumpUntil([] {
        size_t controllerRequests = 0;
        for (const std::wstring& line : devengine::EngineLog()) {
            controllerRequests += line.find(L"CreateCoreWebView2Controller") != std::wstring::npos ? 1 : 0;
        }
        return controllerRequests == 11u;  // the first tab's and one per window
    }));
    EXPECT_EQ(devengine::ReorderControllerCompletions(42), 10u);
    Settle();

    ASSERT_EQ(g_tabs.size(), 11u);
    EXPECT_EQ(g_currentTab, 10);
    ExpectConsistent();
    // Views are numbered as their controllers complete: the strip keeps that
    // order, and each request's address went to the tab made for it.
    for (int i = 0; i < 11; ++i) EXPECT_EQ(TabViewIds()[i], i + 1);
    for (const auto& request : devengine::NewWindowRequests()) {
        ASSERT_EQ(request.outcome, L"view " + std::to_wstring(request.newWindow)) << request.uri;
        EXPECT_EQ(devengine::GetView(request.newWindow).source, request.uri);
        EXPECT_TRUE(request.completed);
    }
    EXPECT_EQ(Calls(1, L"Complete").size(), 10u);
    bool reordered = false;
    for (size_t i = 0; i < 10; ++i) reordered |= devengine::NewWindowRequests()[i].newWindow != static_cast<int>(i) + 2;
    EXPECT_TRUE(reordered) << "the completions kept the order of the requests";
}

}  // namespace
