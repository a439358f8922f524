#include "BrowserFixture.h"

#include "core/AddressInput.h"
#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/EngineStart.h"
#include "core/History.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/AddressBar.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"

#include <commctrl.h>

namespace {

void RemoveQueuedMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }
}

}  // namespace

void BrowserFixture::SetUp() {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    InitCommonControls();
    devengine::Reset();
    g_tabs.clear();
    g_currentTab = -1;
    g_history.clear();
    g_closedTabs.clear();
    g_environment.Reset();

    static const ATOM windowClass = RegisterMainWindowClass(GetModuleHandleW(nullptr));
    ASSERT_NE(windowClass, 0);
    g_hMainWnd = CreateMainWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(g_hMainWnd, nullptr);
    ShowWindow(g_hMainWnd, SW_SHOWNORMAL);
    SetForegroundWindow(g_hMainWnd);
    Settle();
}

void BrowserFixture::TearDown() {
    // A request the browser left unhandled opened a window outside it.
    for (const devengine::NewWindowRequestInfo& request : devengine::NewWindowRequests()) {
        EXPECT_NE(request.outcome, L"stray") << "stray window for " << testing::PrintToString(request.uri);
    }
    ReleaseEngineObjects();
    if (IsWindow(g_hMainWnd)) DestroyWindow(g_hMainWnd);
    RemoveQueuedMessages();
    devengine::Reset();
    RemoveQueuedMessages();
    CoUninitialize();
}

void BrowserFixture::StartEngine() {
    ASSERT_EQ(RequestBrowserEnvironment(), S_OK);
    Settle();
}

void BrowserFixture::OpenTabs(int count) {
    for (int i = 0; i < count; ++i) Click(ID_NEW_TAB);
    Settle();
}

void BrowserFixture::Settle() {
    ASSERT_TRUE(devengine::RunPending());
}

bool BrowserFixture::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start > timeoutMs) return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

bool BrowserFixture::StepUntil(const std::function<bool()>& done) {
    while (!done()) {
        MSG msg;
        if (PeekMessageW(&msg, g_hMainWnd, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        } else if (!devengine::DeliverNext()) {
            return false;
        }
    }
    return true;
}

std::vector<std::wstring> BrowserFixture::TabCaptions() {
    std::vector<std::wstring> captions;
    const int count = static_cast<int>(SendMessageW(g_hTabCtrl, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(g_hTabCtrl, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}

int BrowserFixture::SelectedTab() {
    return static_cast<int>(SendMessageW(g_hTabCtrl, TCM_GETCURSEL, 0, 0));
}

std::wstring BrowserFixture::AddressBarText() {
    return ReadAddressBarText(g_hAddressBar);
}

std::vector<int> BrowserFixture::TabViewIds() {
    std::vector<int> ids;
    for (const BrowserTab& tab : g_tabs) ids.push_back(devengine::ViewIdOf(tab.webview.Get()));
    return ids;
}

std::vector<int> BrowserFixture::VisibleViewIds() {
    std::vector<int> ids;
    for (int id : devengine::ViewIds()) {
        const devengine::ViewInfo view = devengine::GetView(id);
        if (!view.closed && view.visible) ids.push_back(id);
    }
    return ids;
}

void BrowserFixture::ExpectConsistent() {
    ASSERT_FALSE(g_tabs.empty());
    EXPECT_EQ(TabCaptions().size(), g_tabs.size());
    EXPECT_EQ(SelectedTab(), g_currentTab);
    ASSERT_GE(g_currentTab, 0);
    ASSERT_LT(g_currentTab, static_cast<int>(g_tabs.size()));
    EXPECT_EQ(VisibleViewIds(), std::vector<int>{TabViewIds()[g_currentTab]});
}

void BrowserFixture::Click(int controlId) {
    ClickButton(controlId);
}

void BrowserFixture::PressEnterInAddressBar(const std::wstring& text) {
    SetWindowTextW(g_hAddressBar, text.c_str());
    SendEnterToAddressBar();
    Settle();
}

std::vector<std::wstring> BrowserFixture::Calls(int viewId, const std::wstring& prefix) {
    std::vector<std::wstring> calls;
    for (const std::wstring& call : devengine::CallLog(viewId)) {
        if (call.compare(0, prefix.size(), prefix) == 0) calls.push_back(call);
    }
    return calls;
}

std::wstring SourceOfTab(int index) {
    return devengine::GetView(devengine::ViewIdOf(g_tabs[index].webview.Get())).source;
}

namespace {

// The button the answerer presses.
int g_answer = IDOK;

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Static") != 0) return TRUE;
    const int length = GetWindowTextLengthW(child);
    if (length == 0) return TRUE;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(child, &text[0], length + 1)));
    auto* longest = reinterpret_cast<std::wstring*>(param);
    if (text.size() > longest->size()) *longest = text;
    return TRUE;
}

BOOL CALLBACK AnswerDialog(HWND window, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    static std::vector<HWND> answered;
    for (HWND seen : answered) {
        if (seen == window) return TRUE;
    }
    answered.push_back(window);
    MessageBoxAnswerer::Box box;
    box.owner = GetWindow(window, GW_OWNER);
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    box.caption = caption;
    EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&box.text));
    MessageBoxAnswerer::Seen().push_back(box);
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(g_answer), 0);
    return TRUE;
}

void CALLBACK AnswerOpenBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerDialog, 0);
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int answer) : timer_(SetTimer(nullptr, 0, 50, AnswerOpenBoxes)) {
    g_answer = answer;
    Seen().clear();
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    KillTimer(nullptr, timer_);
}

std::vector<MessageBoxAnswerer::Box>& MessageBoxAnswerer::Seen() {
    static std::vector<Box> seen;
    return seen;
}
