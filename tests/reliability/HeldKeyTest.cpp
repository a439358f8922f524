// Keys and buttons pressed over and over through the browser's own message
// loop: Ctrl+W held down (auto-repeat: key-downs with no key-up between) and
// "X" clicked many times each close exactly one tab per press, never the last.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/Tabs.h"
#include "shell/WindowHandles.h"

namespace {

using HeldKeys = ReliabilityFixture;

std::vector<INPUT> Repeated(const INPUT& input, int times) { return std::vector<INPUT>(static_cast<size_t>(times), input); }

std::vector<int> Range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) ids.push_back(id);
    return ids;
}

TEST_F(HeldKeys, CtrlWHeldDownClosesOneTabPerKeyDownUntilOneIsLeft) {
    StartEngine();
    OpenTabs(24);
    SelectTab(5);
    Send({KeyInput(VK_CONTROL, false)});
    Send(Repeated(KeyInput('W', false), 10));
    RunLoopUntilInputHandled();
    // Views 6 to 15 moved into index 5 in turn and were closed there.
    std::vector<int> expected = Range(1, 5);
    for (int id : Range(16, 25)) expected.push_back(id);
    EXPECT_EQ(TabViewIds(), expected);
    EXPECT_EQ(g_currentTab, 5);
    ExpectConsistent();

    // With the page focused the loop still takes the key first: the page
    // never sees it, so it cannot close a second tab.
    for (int i = 0; i < 4; ++i) {
        SetFocus(devengine::GetView(TabViewIds()[g_currentTab]).pageWindow);
        Send({KeyInput('W', false)});
        RunLoopUntilInputHandled();
        EXPECT_EQ(g_tabs.size(), 14u - i);
    }
    ExpectConsistent();

    Send(Repeated(KeyInput('W', false), 30));
    RunLoopUntilInputHandled();
    Send({KeyInput('W', true), KeyInput(VK_CONTROL, true)});
    RunLoopUntilInputHandled();
    EXPECT_EQ(TabViewIds(), std::vector<int>{1});
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"browser://newtab") << "no W was typed";
    for (int id : devengine::ViewIds()) EXPECT_TRUE(Calls(id, L"put_Handled").empty()) << "view " << id;
}

TEST_F(HeldKeys, XClickedManyTimesClosesOneTabPerClickUntilOneIsLeft) {
    StartEngine();
    OpenTabs(19);
    SelectTab(0);
    Send(ClickInputs(g_hCloseTabButton, 7));
    RunLoopUntilInputHandled();
    EXPECT_EQ(TabViewIds(), Range(8, 20));
    EXPECT_EQ(g_currentTab, 0);
    ExpectConsistent();

    Send(ClickInputs(g_hCloseTabButton, 30));
    RunLoopUntilInputHandled();
    EXPECT_EQ(TabViewIds(), std::vector<int>{20});
    ExpectConsistent();
}

}  // namespace
