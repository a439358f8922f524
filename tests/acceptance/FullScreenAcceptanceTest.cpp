// Full screen by hand, as a person does it: F11 makes the window cover its
// monitor with the page alone, F11 again brings the window back where it was.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "UserInput.h"

namespace {

bool WindowIsAt(HWND window, const RECT& place) {
    RECT rect = {};
    return GetWindowRect(window, &rect) && EqualRect(&rect, &place);
}

TEST_F(Acceptance, F11FillsTheScreenWithThePageAndF11BringsTheWindowBack) {
    const std::wstring page = Page(L"full", L"Acceptance full screen");
    ASSERT_TRUE(WaitForNewTabPage());
    ASSERT_TRUE(Visit(L"Acceptance full screen", page));
    const HWND window = Browser().Window();
    RECT before = {};
    GetWindowRect(window, &before);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
    ASSERT_FALSE(WindowIsAt(window, monitor.rcMonitor)) << "the window starts smaller than the screen";

    // F11 in the address bar: the window covers the screen, the controls are gone.
    ASSERT_TRUE(FocusAddressBar());
    ASSERT_TRUE(PressKeys({VK_F11}));
    EXPECT_TRUE(WaitUntil([&] {
        return WindowIsAt(window, monitor.rcMonitor) && !IsWindowVisible(Browser().AddressBar()) &&
               !IsWindowVisible(Browser().TabStrip()) && !IsWindowVisible(Browser().Button(L"Back"));
    })) << "not full screen";

    // F11 in the page, which now fills the screen: the window is back as it was.
    ASSERT_TRUE(ClickAt(Browser().PagePoint()));
    ASSERT_TRUE(PressKeys({VK_F11}));
    EXPECT_TRUE(WaitUntil([&] {
        return WindowIsAt(window, before) && IsWindowVisible(Browser().AddressBar()) &&
               IsWindowVisible(Browser().TabStrip()) && IsWindowVisible(Browser().Button(L"Back"));
    })) << "the window did not come back where it was";
    EXPECT_TRUE(WaitForPage(L"Acceptance full screen", page));
}

}  // namespace
