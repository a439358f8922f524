// When the engine cannot start: one message box with the failure's code, then
// a window without tabs that still shows History and closes normally.
#include "BrowserSession.h"
#include "RemoteWindows.h"
#include "XInput.h"

#include <ostream>

namespace {

struct EngineFailure {
    const char* name;
    bool withEngine;
    const wchar_t* knob;       // environment variable that makes the engine fail, or null
    const wchar_t* knobValue;
    const wchar_t* code;       // the HRESULT as the message box shows it
    const wchar_t* engineLine; // the engine's own record of the failure, or null
    const wchar_t* missing;    // what the message names as missing or to check
};

void PrintTo(const EngineFailure& failure, std::ostream* out) { *out << failure.name; }

const EngineFailure kEngineFailures[] = {
    {"NoLoaderLibrary", false, nullptr, nullptr, L"0x8007007E", nullptr, L"WebView2Loader.dll is missing"},
    // The loader's answer when no runtime is installed.
    {"EnvironmentCompletesWithFailure", true, L"VELQUIN_DEVENGINE_ENVIRONMENT_RESULT", L"0x80070002", L"0x80070002",
     L"environment completed 0x80070002 (null)", L"WebView2 Runtime is not installed"},
    {"EnvironmentRequestFails", true, L"VELQUIN_DEVENGINE_CREATE_RESULT", L"0x80070005", L"0x80070005",
     L"environment request failed 0x80070005", L"WebView2Loader.dll"},
};

class E2EEngineFailure : public BrowserSession, public testing::WithParamInterface<EngineFailure> {};

TEST_P(E2EEngineFailure, OneMessageBoxThenAnEmptyWindowThatClosesNormally) {
    const EngineFailure& failure = GetParam();
    LaunchOptions options;
    options.withEngine = failure.withEngine;
    if (failure.knob != nullptr) options.environment.emplace_back(failure.knob, failure.knobValue);
    ASSERT_TRUE(Launch(options));

    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"Velquin", &box));
    EXPECT_EQ(GetWindow(box, GW_OWNER), Window());
    EXPECT_TRUE(IsWindowVisible(Window()));
    const std::wstring text = MessageBoxText(box);
    EXPECT_NE(text.find(failure.code), std::wstring::npos) << text;
    EXPECT_NE(text.find(failure.missing), std::wstring::npos) << text;
    if (failure.engineLine != nullptr) {
        EXPECT_EQ(LogCount(failure.engineLine), 1u);
    }
    ASSERT_TRUE(DismissMessageBox(box));

    // History still answers, at its place: the controls are laid out without a tab.
    ASSERT_TRUE(Click(ID_HISTORY));
    HWND history = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"History", &history));
    EXPECT_EQ(MessageBoxText(history), L"No history.");
    // By now the browser has handled everything posted before the click: no
    // second failure message came.
    EXPECT_EQ(DialogBoxes(Browser().Id()), std::vector<HWND>{history});
    ASSERT_TRUE(DismissMessageBox(history));

    EXPECT_EQ(CountTabs(), 0);
    EXPECT_TRUE(ChildrenOfClass(Window(), L"VelquinDevEnginePage").empty());
    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

INSTANTIATE_TEST_SUITE_P(EngineCannotStart, E2EEngineFailure, testing::ValuesIn(kEngineFailures),
                         [](const testing::TestParamInfo<EngineFailure>& info) { return info.param.name; });

}  // namespace
