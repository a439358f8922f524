// Long runs: five hundred tabs opened, each made current in turn and closed
// again down to one; a hundred thousand source changes, current and
// background, every one of them in the history in order.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/CommandIds.h"
#include "core/History.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <algorithm>

namespace {

using LongRun = ReliabilityFixture;

TEST_F(LongRun, FiveHundredTabsOpenedSwitchedThroughAndClosed) {
    const int kTabs = 500;
    HideMainWindow();
    StartEngine();
    std::vector<int> model = {1};
    for (int view = 2; view <= kTabs && !HasFailure(); ++view) {
        Click(ID_NEW_TAB);
        Settle();
        model.push_back(view);
        ASSERT_EQ(g_currentTab, view - 1);
        if (view % 25 == 0) {
            EXPECT_EQ(TabViewIds(), model);
            ExpectConsistent();
        }
    }
    for (int index = 0; index < kTabs && !HasFailure(); ++index) {
        SelectTab(index);
        EXPECT_EQ(g_currentTab, index);
        ExpectConsistent();
        EXPECT_EQ(AddressBarText(), L"browser://newtab");
    }
    // Close from the last tab, now and then after choosing another.
    Random random(TestSeed(kTabs));
    int current = kTabs - 1;
    while (model.size() > 1 && !HasFailure()) {
        if (random.Below(3) == 0) {
            current = static_cast<int>(random.Below(model.size()));
            SelectTab(current);
        }
        Click(ID_CLOSE_TAB);
        model.erase(model.begin() + current);
        current = std::min(current, static_cast<int>(model.size()) - 1);
        ASSERT_EQ(g_currentTab, current);
        if (model.size() % 25 == 0) {
            EXPECT_EQ(TabViewIds(), model);
        }
        ExpectConsistent();
    }
    Click(ID_CLOSE_TAB);
    EXPECT_EQ(TabViewIds(), model) << "the last tab stays";
    for (int view = 1; view <= kTabs; ++view) {
        EXPECT_EQ(devengine::GetView(view).closed, view != model[0]) << "view " << view;
    }
}

TEST_F(LongRun, HundredThousandSourceChangesAreAllInTheHistoryInOrder) {
    const int kChanges = 100000, kTabs = 10, kCurrent = 2;
    HideMainWindow();
    StartEngine();
    OpenTabs(kTabs - 1);
    // Plain pages first, so that each later entry carries no page text.
    std::vector<std::wstring> expected;
    for (int tab = 0; tab < kTabs; ++tab) {
        SelectTab(tab);
        PressEnterInAddressBar(L"site" + std::to_wstring(tab) + L".example");
        expected.push_back(L"https://site" + std::to_wstring(tab) + L".example");
    }
    SelectTab(kCurrent);
    const std::vector<int> views = TabViewIds();
    Random random(TestSeed(kChanges));
    std::wstring lastOfCurrent;
    for (int k = 0; k < kChanges; ++k) {
        const int tab = static_cast<int>(random.Below(kTabs));
        const std::wstring source =
            L"https://site" + std::to_wstring(tab) + L".example/page/" + std::to_wstring(k) + L"#part";
        ASSERT_TRUE(devengine::TriggerSourceChange(views[tab], source));
        expected.push_back(source);
        if (tab == kCurrent) lastOfCurrent = source;
        if (k % 1000 == 999) Settle();
    }
    Settle();

    ASSERT_EQ(g_history.size(), expected.size());
    const auto difference = std::mismatch(g_history.begin(), g_history.end(), expected.begin());
    EXPECT_TRUE(difference.first == g_history.end())
        << "entry " << (difference.first - g_history.begin()) << " differs";
    EXPECT_EQ(AddressBarText(), lastOfCurrent);
    ExpectConsistent();

    // The report holds every entry and a line feed after each (about 4 MB
    // here). How its time grows with the history is measured by the
    // benchmarks (scripts/bench), not asserted here.
    std::wstring report;
    for (const std::wstring& entry : expected) report += entry + L'\n';
    const std::wstring text = HistoryText(g_history);
    EXPECT_EQ(text.size(), report.size());
    EXPECT_TRUE(text == report);
}

}  // namespace
