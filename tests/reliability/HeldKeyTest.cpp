// Keys and buttons pressed over and over through the browser's own message
// loop: Ctrl+W held down (auto-repeat: key-downs with no key-up between) and
// "X" clicked many times each close exactly one tab per press, never the last.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

using HeldKeys = ReliabilityFixture;

std::vector<INPUT> Repeated(const INPUT& input, int times) { return std::vector<INPUT>(static_cast<size_t>(times), input); }

std::vector<int> Range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) ids.push_back(id);
    return ids;
}

// Records every W key-down and every character from W that reaches the
// given windows' procedures while it lives.
class WKeyRecorder {
public:
    explicit WKeyRecorder(std::vector<HWND> windows) : windows_(std::move(windows)) {
        Seen().clear();
        for (HWND window : windows_) SetWindowSubclass(window, Record, 1, 0);
    }
    ~WKeyRecorder() {
        for (HWND window : windows_) RemoveWindowSubclass(window, Record, 1);
    }
    static std::vector<UINT>& Seen() {
        static std::vector<UINT> seen;
        return seen;
    }

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        const bool wKey = message == WM_KEYDOWN && wParam == 'W';
        const bool wChar = message == WM_CHAR && (wParam == 0x17 || wParam == 'w' || wParam == 'W');
        if (wKey || wChar) Seen().push_back(message);
        return DefSubclassProc(window, message, wParam, lParam);
    }

    std::vector<HWND> windows_;
};

TEST_F(HeldKeys, CtrlWHeldDownClosesOneTabPerKeyDownUntilOneIsLeft) {
    StartEngine();
    OpenTabs(24);
    SelectTab(5);
    WKeyRecorder recorder({g_hMainWnd, g_hAddressBar});
    Send({KeyInput(VK_CONTROL, false)});
    // Typing in the address bar: the loop takes each key-down; the bar never sees it.
    for (int i = 0; i < 5; ++i) {
        SetFocus(g_hAddressBar);
        Send({KeyInput('W', false)});
        RunLoopUntilInputHandled();
    }
    Send(Repeated(KeyInput('W', false), 5));
    RunLoopUntilInputHandled();
    // Views 6 to 15 moved into index 5 in turn and were closed there.
    std::vector<int> expected = Range(1, 5);
    for (int id : Range(16, 25)) expected.push_back(id);
    EXPECT_EQ(TabViewIds(), expected);
    EXPECT_EQ(g_currentTab, 5);
    ExpectConsistent();

    // With the page focused the loop still takes the key: the page is never
    // offered it, and one tab closes per key-down.
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
    EXPECT_TRUE(WKeyRecorder::Seen().empty()) << WKeyRecorder::Seen().size() << " W keys reached a window";
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
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
