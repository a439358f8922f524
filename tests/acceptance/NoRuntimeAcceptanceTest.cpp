// velquin.exe beside the engine's own loader on a machine without the engine
// runtime (run with --no-engine-runtime): the loader reports that no runtime
// is installed. Velquin says so once, with the error code and where the
// runtime comes from, and its window stays usable: every control and shortcut
// does nothing harmful, and Ctrl+W ends the process normally.
//
// It prints the error code the message gives and the time from creating the
// process to the message shown.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "UserInput.h"

#include <cstdio>

namespace {

// The error code in a message's "(error 0x...)", or an empty string.
std::wstring ErrorCodeIn(const std::wstring& text) {
    const std::wstring marker = L"(error 0x";
    const size_t at = text.find(marker);
    if (at == std::wstring::npos) return L"";
    return text.substr(at + marker.size() - 2, 10);
}

bool HasSize(HWND window) {
    RECT rect = {};
    return GetWindowRect(window, &rect) && rect.right > rect.left && rect.bottom > rect.top;
}

// Every shortcut of the browser but Ctrl+W, which ends it here, and those that
// try to start the engine again (below), each pressed once.
const std::vector<std::vector<WORD>> kShortcuts = {
    {VK_CONTROL, 'L'},       {VK_MENU, 'D'},
    {VK_F6},                   {VK_CONTROL, VK_TAB},      {VK_CONTROL, VK_SHIFT, VK_TAB},
    {VK_CONTROL, VK_NEXT},     {VK_CONTROL, VK_PRIOR},    {VK_CONTROL, '1'},
    {VK_CONTROL, '9'},         {VK_F5},                   {VK_CONTROL, 'R'},
    {VK_MENU, VK_LEFT},        {VK_MENU, VK_RIGHT},       {VK_ESCAPE},
};

TEST(AcceptanceWithoutRuntime, SaysTheRuntimeIsMissingOnceAndStaysUsable) {
    if (!g_engineRuntimeAbsent) GTEST_SKIP() << "the engine runtime is there";
    BrowserUnderTest browser;
    ASSERT_TRUE(browser.Error().empty()) << Narrow(browser.Error());

    HWND box = nullptr;
    ASSERT_TRUE(WaitClosely([&] { return (box = browser.MessageBoxCaptioned(L"Velquin")) != nullptr; }, 30000))
        << "no message box";
    const double toBox = MillisecondsSince(browser.StartedAt());
    const std::wstring text = MessageBoxText(box);
    std::printf("[ FIGURE   ] the loader's error code: %s\n", Narrow(ErrorCodeIn(text)).c_str());
    PrintFigure("start-up: process created to the engine failure's message shown", toBox);
    EXPECT_NE(text.find(L"WebView2 Runtime is not installed"), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"Evergreen"), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"https://developer.microsoft.com/microsoft-edge/webview2/"), std::wstring::npos)
        << Narrow(text);
    EXPECT_EQ(ErrorCodeIn(text).size(), 10u) << Narrow(text);
    ASSERT_TRUE(ClickWindow(DialogButton(box, L"OK")));
    ASSERT_TRUE(WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }));

    // "+", Ctrl+T and Ctrl+Shift+T each try to start the engine once more,
    // and each failure says so again, once.
    const auto triesAgain = [&browser](const char* what) {
        HWND again = nullptr;
        if (!WaitUntil([&] { return (again = browser.MessageBoxCaptioned(L"Velquin")) != nullptr; })) {
            return testing::AssertionFailure() << what << " showed no message";
        }
        const bool told = MessageBoxText(again).find(L"WebView2 Runtime is not installed") != std::wstring::npos;
        if (!ClickWindow(DialogButton(again, L"OK")) ||
            !WaitUntil([again] { return !IsWindow(again) || !IsWindowVisible(again); })) {
            return testing::AssertionFailure() << what << ": its message would not close";
        }
        if (browser.MessageBoxCaptioned(L"Velquin") != nullptr) return testing::AssertionFailure() << what << " twice";
        return told ? testing::AssertionSuccess() : testing::AssertionFailure() << what << ": another message";
    };
    ASSERT_TRUE(HasSize(browser.Button(L"+")));
    ASSERT_TRUE(HasSize(browser.TabStrip()));
    ASSERT_TRUE(BringToFront(browser.Window()));
    ASSERT_TRUE(ClickWindow(browser.Button(L"+")));
    ASSERT_TRUE(triesAgain("+"));
    ASSERT_TRUE(BringToFront(browser.Window()));
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'T'}));
    ASSERT_TRUE(triesAgain("Ctrl+T"));
    ASSERT_TRUE(BringToFront(browser.Window()));
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, 'T'}));
    ASSERT_TRUE(triesAgain("Ctrl+Shift+T"));

    // Laid out without a tab: the other buttons and the tab strip can be clicked.
    ASSERT_TRUE(BringToFront(browser.Window()));
    for (const wchar_t* label : {L"X", L"Back", L"Next", L"Reload"}) {
        ASSERT_TRUE(ClickWindow(browser.Button(label))) << Narrow(label);
    }
    ASSERT_TRUE(ClickWindow(browser.TabStrip()));
    ASSERT_TRUE(ClickWindow(browser.AddressBar()));
    ASSERT_TRUE(WaitUntil([&] { return browser.Focus() == browser.AddressBar(); }));
    ASSERT_TRUE(TypeText(L"example.com"));
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    for (const std::vector<WORD>& keys : kShortcuts) ASSERT_TRUE(PressKeys(keys));

    // Input is handled in order, after anything posted: once the History box
    // is up, every step above has run, and any message it caused is shown.
    ASSERT_TRUE(ClickWindow(browser.Button(L"History")));
    HWND history = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (history = browser.MessageBoxCaptioned(L"History")) != nullptr; }))
        << "no History box: a step above left the window unusable";
    EXPECT_EQ(browser.MessageBoxCaptioned(L"Velquin"), nullptr) << "a second engine failure message";
    ASSERT_TRUE(ClickWindow(DialogButton(history, L"OK")));
    ASSERT_TRUE(WaitUntil([history] { return !IsWindow(history) || !IsWindowVisible(history); }));
    EXPECT_TRUE(browser.Running());
    EXPECT_TRUE(IsWindowVisible(browser.Window()));
    EXPECT_TRUE(browser.TabCaptions().empty());

    // With no tab to close, Ctrl+W closes the window; the process ends
    // normally within 5 s.
    ASSERT_TRUE(BringToFront(browser.Window()));
    ASSERT_TRUE(PressKeys({VK_CONTROL, 'W'}));
    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(browser.WaitForExit(5000, &exitCode)) << "velquin.exe still runs 5 s after Ctrl+W";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
