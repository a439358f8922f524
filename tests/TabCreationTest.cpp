// Creating tabs through the engine, engine failures, Ctrl+W from the page and
// releasing every engine reference.
#include "BrowserFixture.h"

#include "core/AppMessages.h"
#include "core/CommandIds.h"
#include "core/EngineStart.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/EngineLoader.h"
#include "shell/Startup.h"

namespace {

using TabCreation = BrowserFixture;

// Holds the thread's Ctrl key down (as the keyboard state shows it) while alive.
class CtrlHeld {
public:
    CtrlHeld() {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~CtrlHeld() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

// Counts posted messages of one kind waiting in the thread's queue, leaving them there.
bool IsQueued(UINT message) {
    MSG msg;
    return PeekMessageW(&msg, g_hMainWnd, message, message, PM_NOREMOVE) != 0;
}

TEST_F(TabCreation, NewTabBeforeTheEnvironmentIsNotRemembered) {
    Click(ID_NEW_TAB);
    Settle();
    EXPECT_TRUE(g_tabs.empty());
    StartEngine();
    Settle();
    EXPECT_EQ(g_tabs.size(), 1u);
}

TEST_F(TabCreation, QuickPressesGiveOneTabEachInCompletionOrder) {
    StartEngine();
    Click(ID_NEW_TAB);
    Click(ID_NEW_TAB);
    EXPECT_EQ(g_tabs.size(), 1u) << "tabs arrive with their completions, not inside the click";
    Settle();
    ASSERT_EQ(g_tabs.size(), 3u);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(g_currentTab, 2);
    ExpectConsistent();
    EXPECT_EQ(TabCaptions(), (std::vector<std::wstring>{L"New Tab", L"New Tab", L"New Tab"}));
    for (int view : TabViewIds()) EXPECT_EQ(Calls(view, L"NavigateToString").size(), 1u);
}

TEST_F(TabCreation, ANewTabIsReadyForTypingAndEveryOtherGoesToThePage) {
    auto expectReadyForTyping = [] {
        EXPECT_EQ(GetFocus(), g_hAddressBar);
        EXPECT_EQ(AddressBarText(), L"browser://newtab");
        DWORD start = 1, end = 0;
        SendMessageW(g_hAddressBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(AddressBarText().size()));
    };
    StartEngine();
    expectReadyForTyping();
    PressEnterInAddressBar(L"https://a.example/");
    OpenTabs(1);
    expectReadyForTyping();

    // A reopened tab and a page's new window hand the keyboard to the page.
    Click(ID_CLOSE_TAB);
    Click(ID_REOPEN_CLOSED_TAB);
    Settle();
    EXPECT_EQ(GetFocus(), devengine::GetView(TabViewIds()[1]).pageWindow);
    devengine::TriggerNewWindowRequest(TabViewIds()[1], L"https://b.example/");
    Settle();
    EXPECT_EQ(GetFocus(), devengine::GetView(TabViewIds()[2]).pageWindow);
}

TEST_F(TabCreation, AControllerWithoutAWebViewAddsNoTab) {
    StartEngine();
    devengine::GetKnobs().nullController = true;
    OpenTabs(1);
    devengine::GetKnobs().nullController = false;
    devengine::GetKnobs().controllerResult = E_ABORT;
    OpenTabs(1);
    devengine::GetKnobs().controllerResult = S_OK;
    devengine::GetKnobs().nullCoreWebView2 = true;
    OpenTabs(1);
    devengine::GetKnobs().nullCoreWebView2 = false;
    devengine::GetKnobs().coreWebView2Result = E_FAIL;
    OpenTabs(1);
    devengine::GetKnobs().coreWebView2Result = S_OK;

    EXPECT_EQ(g_tabs.size(), 1u);
    ExpectConsistent();
    OpenTabs(1);
    EXPECT_EQ(g_tabs.size(), 2u);
    ExpectConsistent();
}

TEST_F(TabCreation, AnEngineThatCannotStartIsReportedOncePerFailure) {
    devengine::GetKnobs().environmentResult = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    RequestBrowserEnvironment();

    MessageBoxAnswerer answerer;
    Settle();
    // Another report of the same failure shows nothing more.
    ReportEngineFailure(E_FAIL);
    Settle();

    EXPECT_TRUE(g_tabs.empty());
    EXPECT_FALSE(g_environment);
    const auto& boxes = MessageBoxAnswerer::Seen();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Velquin");
    EXPECT_EQ(boxes[0].owner, g_hMainWnd);
    EXPECT_NE(boxes[0].text.find(L"0x80070002"), std::wstring::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find(L"WebView2 Runtime is not installed"), std::wstring::npos) << boxes[0].text;
    EXPECT_TRUE(IsWindow(g_hMainWnd));

    // A later failure, of a new request, is told again.
    RequestBrowserEnvironment();
    Settle();
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(TabCreation, CtrlWClosesTheWindowOnlyOnceTheEngineCouldNotStart) {
    const WPARAM ctrlW = MAKEWPARAM(ID_CLOSE_TAB_SHORTCUT, 1);
    // Before the engine answers there is no tab yet, and nothing to close.
    SendMessageW(g_hMainWnd, WM_COMMAND, ctrlW, 0);
    Settle();
    ASSERT_TRUE(IsWindow(g_hMainWnd));

    MessageBoxAnswerer answerer;
    devengine::GetKnobs().environmentResult = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    RequestBrowserEnvironment();
    Settle();
    ASSERT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    Click(ID_CLOSE_TAB);
    Settle();
    ASSERT_TRUE(IsWindow(g_hMainWnd)) << "the X button closes tabs only";
    SendMessageW(g_hMainWnd, WM_COMMAND, ctrlW, 0);
    Settle();
    EXPECT_FALSE(IsWindow(g_hMainWnd));
}

TEST_F(TabCreation, AFirstTabThatCannotBeCreatedIsReported) {
    MessageBoxAnswerer answerer;
    devengine::GetKnobs().controllerResult = E_ABORT;
    StartEngine();
    ASSERT_EQ(MessageBoxAnswerer::Seen().size(), 1u);
    EXPECT_NE(MessageBoxAnswerer::Seen()[0].text.find(L"0x80004004"), std::wstring::npos);

    // Without a web view, likewise; with a tab open, a failed "+" stays silent.
    devengine::GetKnobs() = devengine::Knobs();
    devengine::GetKnobs().nullCoreWebView2 = true;
    StartEngine();
    EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 2u);
    devengine::GetKnobs().nullCoreWebView2 = false;
    OpenTabs(1);
    devengine::GetKnobs().nullController = true;
    OpenTabs(1);
    EXPECT_EQ(MessageBoxAnswerer::Seen().size(), 2u);
    EXPECT_EQ(g_tabs.size(), 1u);
    ExpectConsistent();
}

TEST_F(TabCreation, StartFailuresArePostedNotShownInsideTheEngineCall) {
    // A missing loader library: the request fails at once.
    ::StartEngine(L"C:\\nowhere\\velquin.exe");
    EXPECT_TRUE(IsQueued(WM_APP_ENGINE_START_FAILED));
    MSG msg;
    PeekMessageW(&msg, g_hMainWnd, WM_APP_ENGINE_START_FAILED, WM_APP_ENGINE_START_FAILED, PM_REMOVE);
    EXPECT_EQ(static_cast<HRESULT>(msg.wParam), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));

    // A completion with success but no environment.
    devengine::GetKnobs().nullEnvironment = true;
    RequestBrowserEnvironment();
    while (devengine::PendingCount() > 0 && !IsQueued(WM_APP_ENGINE_START_FAILED)) {
        MSG next;
        if (PeekMessageW(&next, nullptr, 0, 0, PM_REMOVE) && next.message != WM_APP_ENGINE_START_FAILED) {
            DispatchMessageW(&next);
        }
    }
    EXPECT_TRUE(IsQueued(WM_APP_ENGINE_START_FAILED));
    EXPECT_TRUE(g_tabs.empty());
    PeekMessageW(&msg, g_hMainWnd, WM_APP_ENGINE_START_FAILED, WM_APP_ENGINE_START_FAILED, PM_REMOVE);
}

TEST_F(TabCreation, CtrlWFromThePageClosesTheCurrentTabOncePerKeyDown) {
    StartEngine();
    OpenTabs(3);
    const int current = TabViewIds()[3];

    devengine::TriggerAcceleratorKey(current, COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W', false);
    devengine::TriggerAcceleratorKey(current, COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP, 'W', true);
    devengine::TriggerAcceleratorKey(current, COREWEBVIEW2_KEY_EVENT_KIND_SYSTEM_KEY_DOWN, 'W', true);
    devengine::TriggerAcceleratorKey(current, COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'Q', true);
    Settle();
    EXPECT_EQ(g_tabs.size(), 4u);
    EXPECT_TRUE(Calls(current, L"put_Handled 1").empty());

    // Ctrl+W and Ctrl+Shift+W: each key-down closes one tab, after its event.
    devengine::TriggerAcceleratorKey(current, COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W', true);
    devengine::TriggerAcceleratorKey(current, COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W', true, true);
    EXPECT_TRUE(devengine::RunPending());
    EXPECT_EQ(Calls(current, L"put_Handled 1").size(), 2u);
    EXPECT_TRUE(devengine::GetView(current).closed);
    EXPECT_EQ(g_tabs.size(), 2u);
    ExpectConsistent();

    // Held down on the new current tab: one tab per key-down until one is left.
    for (int i = 0; i < 5; ++i) {
        devengine::TriggerAcceleratorKey(TabViewIds()[g_currentTab], COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W',
                                         true);
        Settle();
    }
    EXPECT_EQ(g_tabs.size(), 1u);
    ExpectConsistent();
}

TEST_F(TabCreation, CtrlWInTheMessageLoopClosesTheCurrentTabAndIsNotDelivered) {
    StartEngine();
    OpenTabs(2);
    SetWindowTextW(g_hAddressBar, L"");
    {
        CtrlHeld ctrl;
        PostMessageW(g_hAddressBar, WM_KEYDOWN, 'W', 0x00110001);
        PostMessageW(g_hAddressBar, WM_KEYDOWN, 'W', 0x40110001);
        PostQuitMessage(7);
        EXPECT_EQ(RunMessageLoop(), 7);
    }
    EXPECT_EQ(g_tabs.size(), 1u);
    EXPECT_EQ(AddressBarText(), L"browser://newtab") << "no W reached the address bar";

    // Without Ctrl the key is translated and typed.
    SetWindowTextW(g_hAddressBar, L"");
    PostMessageW(g_hAddressBar, WM_KEYDOWN, 'W', 0x00110001);
    PostQuitMessage(0);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(AddressBarText(), L"w");
}

TEST_F(TabCreation, EveryEngineReferenceIsReleasedAtShutdown) {
    const long liveBefore = devengine::LiveObjectCount();
    const long heldBefore = devengine::HeldHandlerCount();
    StartEngine();
    OpenTabs(4);
    Click(ID_CLOSE_TAB);
    devengine::TriggerTitleChange(TabViewIds()[0], L"t");
    devengine::TriggerWebMessage(TabViewIds()[0], L"focus_url");
    Settle();
    EXPECT_GT(devengine::LiveObjectCount(), liveBefore);
    EXPECT_GT(devengine::HeldHandlerCount(), heldBefore);

    ReleaseEngineObjects();
    // The strip lets its items go with the tab list.
    EXPECT_TRUE(TabCaptions().empty());
    EXPECT_EQ(g_currentTab, -1);
    Settle();
    EXPECT_EQ(devengine::LiveObjectCount(), liveBefore);
    EXPECT_EQ(devengine::HeldHandlerCount(), heldBefore);
    EXPECT_EQ(devengine::HandlerAddRefCount() - devengine::HandlerReleaseCount(), heldBefore);
}

}  // namespace
