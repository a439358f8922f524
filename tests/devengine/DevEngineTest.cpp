// Tests of the stand-in engine itself: asynchronous delivery, the page model,
// the page window, closing, the failure knobs, the control channel and
// reference balance.
#include "devengine/DevEngine.h"
#include "engine/Handler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <string>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace {

const HRESULT kClosed = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);

std::wstring TakeString(LPWSTR text) {
    std::wstring copy = text != nullptr ? text : L"(null)";
    CoTaskMemFree(text);
    return copy;
}

std::wstring HexOf(HRESULT hr) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::wstring SourceOf(ICoreWebView2* webView) {
    LPWSTR source = nullptr;
    webView->get_Source(&source);
    return TakeString(source);
}

std::wstring TitleOf(ICoreWebView2* webView) {
    LPWSTR title = nullptr;
    webView->get_DocumentTitle(&title);
    return TakeString(title);
}

class DevEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        devengine::Reset();
        // Hidden: Wine without a window manager takes seconds to destroy a
        // shown top-level window. Its children still take focus and clicks.
        parent_ = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }

    void TearDown() override {
        webView_.Reset();
        controller_.Reset();
        environment_.Reset();
        devengine::Reset();
        if (IsWindow(parent_)) DestroyWindow(parent_);
        devengine::RunPending();
        // Every engine object and every handler reference is gone.
        EXPECT_EQ(devengine::LiveObjectCount(), 0);
        EXPECT_EQ(devengine::HeldHandlerCount(), 0);
        CoUninitialize();
    }

    // Completes an environment request; returns the completion's result.
    HRESULT StartEnvironment() {
        HRESULT completed = E_PENDING;
        const HRESULT hr = devengine::CreateEnvironment(
            nullptr, L"C:\\data\\Browser_Data", nullptr,
            MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(
                [&](HRESULT result, ICoreWebView2Environment* environment) {
                    completed = result;
                    environment_ = environment;
                    return S_OK;
                }).Get());
        EXPECT_EQ(hr, S_OK);
        EXPECT_EQ(completed, E_PENDING) << "completed inside the request";
        EXPECT_TRUE(devengine::RunPending());
        return completed;
    }

    // Completes a controller request on `parent`; the result goes to *result.
    ComPtr<ICoreWebView2Controller> CreateController(HWND parent, HRESULT* result = nullptr) {
        ComPtr<ICoreWebView2Controller> created;
        HRESULT completed = E_PENDING;
        EXPECT_EQ(environment_->CreateCoreWebView2Controller(
                      parent, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
                                  [&](HRESULT hr, ICoreWebView2Controller* controller) {
                                      completed = hr;
                                      created = controller;
                                      return S_OK;
                                  }).Get()),
                  S_OK);
        EXPECT_EQ(completed, E_PENDING) << "completed inside the request";
        EXPECT_TRUE(devengine::RunPending());
        if (result != nullptr) *result = completed;
        return created;
    }

    // A view with its web view, on the test's parent window.
    void OpenView() {
        ASSERT_EQ(StartEnvironment(), S_OK);
        controller_ = CreateController(parent_);
        ASSERT_NE(controller_, nullptr);
        ASSERT_EQ(controller_->get_CoreWebView2(&webView_), S_OK);
    }

    HWND parent_ = nullptr;
    ComPtr<ICoreWebView2Environment> environment_;
    ComPtr<ICoreWebView2Controller> controller_;
    ComPtr<ICoreWebView2> webView_;
};

TEST_F(DevEngineTest, CompletionsAndEventsArriveLaterAndHandlersAreReleased) {
    ASSERT_EQ(StartEnvironment(), S_OK);
    ASSERT_NE(environment_, nullptr);
    EXPECT_EQ(devengine::HeldHandlerCount(), 0) << "completion handler kept after its call";
    ASSERT_EQ(devengine::EnvironmentRequests().size(), 1u);
    EXPECT_EQ(devengine::EnvironmentRequests()[0].userDataFolder, L"C:\\data\\Browser_Data");
    EXPECT_FALSE(devengine::EnvironmentRequests()[0].browserFolderGiven);

    controller_ = CreateController(parent_);
    ASSERT_NE(controller_, nullptr);
    ASSERT_EQ(controller_->get_CoreWebView2(&webView_), S_OK);
    EXPECT_EQ(devengine::ViewIds(), std::vector<int>{1});
    EXPECT_EQ(devengine::ViewIdOf(webView_.Get()), 1);
    EXPECT_EQ(SourceOf(webView_.Get()), L"about:blank");
    EXPECT_EQ(TitleOf(webView_.Get()), L"");

    std::vector<std::wstring> events;
    EventRegistrationToken token = {};
    ASSERT_EQ(webView_->add_SourceChanged(MakeHandler<ICoreWebView2SourceChangedEventHandler>(
                                              [&](ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) {
                                                  BOOL isNew = FALSE;
                                                  args->get_IsNewDocument(&isNew);
                                                  EXPECT_EQ(sender, webView_.Get());
                                                  events.push_back(L"source " + SourceOf(sender) +
                                                                   (isNew ? L" new" : L" same"));
                                                  return S_OK;
                                              }).Get(),
                                          nullptr),
              S_OK);
    ASSERT_EQ(webView_->add_DocumentTitleChanged(MakeHandler<ICoreWebView2DocumentTitleChangedEventHandler>(
                                                     [&](ICoreWebView2* sender, IUnknown*) {
                                                         events.push_back(L"title " + TitleOf(sender));
                                                         return S_OK;
                                                     }).Get(),
                                                 &token),
              S_OK);
    EXPECT_EQ(devengine::HeldHandlerCount(), 2);

    ASSERT_EQ(webView_->Navigate(L"https://www.example.com/a"), S_OK);
    EXPECT_TRUE(events.empty()) << "event fired inside Navigate";
    EXPECT_EQ(SourceOf(webView_.Get()), L"about:blank") << "navigation took effect before it was delivered";
    EXPECT_TRUE(devengine::RunPending());
    EXPECT_EQ(events, (std::vector<std::wstring>{L"source https://www.example.com/a new", L"title www.example.com"}));

    // A removed handler is released and no longer called.
    ASSERT_EQ(webView_->remove_DocumentTitleChanged(token), S_OK);
    EXPECT_EQ(devengine::HeldHandlerCount(), 1);
    events.clear();
    devengine::TriggerSourceChange(1, L"https://www.example.com/a#part");
    devengine::TriggerTitleChange(1, L"Renamed");
    EXPECT_TRUE(devengine::RunPending());
    EXPECT_EQ(events, std::vector<std::wstring>{L"source https://www.example.com/a#part same"});
    EXPECT_EQ(TitleOf(webView_.Get()), L"Renamed");
}

// Events queued together ride on one message, arrive in order, and still
// arrive when that message is taken from the queue without being handled.
TEST_F(DevEngineTest, ABurstOfEventsTakesOneMessageThatMayBeLost) {
    OpenView();
    std::vector<std::wstring> sources;
    ASSERT_EQ(webView_->add_SourceChanged(MakeHandler<ICoreWebView2SourceChangedEventHandler>(
                                              [&](ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs*) {
                                                  sources.push_back(SourceOf(sender));
                                                  return S_OK;
                                              }).Get(),
                                          nullptr),
              S_OK);
    std::vector<std::wstring> expected;
    for (int i = 0; i < 100; ++i) {
        expected.push_back(L"https://www.example.com/" + std::to_wstring(i));
        ASSERT_TRUE(devengine::TriggerSourceChange(1, expected.back()));
    }
    MSG msg;
    int posted = 0;
    while (posted < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) ++posted;
    EXPECT_EQ(posted, 1) << "posted messages for 100 events";
    EXPECT_TRUE(sources.empty());
    EXPECT_TRUE(devengine::RunPending());
    EXPECT_EQ(sources, expected);
}

TEST_F(DevEngineTest, PageModelFollowsNavigationsAndTheBackForwardList) {
    OpenView();
    devengine::SetPageTitle(L"https://a.example/", L"Page A");
    webView_->NavigateToString(L"<title>Caf\u00e9</title><p>x</p>");
    webView_->Navigate(L"https://a.example/");
    webView_->Navigate(L"https://www.google.com/search?q=hello+w%C3%B6rld&hl=en");
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(TitleOf(webView_.Get()), L"hello w\u00f6rld - Google Search");

    webView_->GoBack();
    ASSERT_TRUE(devengine::RunPending());
    devengine::ViewInfo view = devengine::GetView(1);
    EXPECT_EQ(view.source, L"https://a.example/");
    EXPECT_EQ(view.title, L"Page A");
    EXPECT_TRUE(view.canGoBack);
    EXPECT_TRUE(view.canGoForward);

    webView_->GoBack();
    webView_->GoBack();  // already at the first page: nothing happens
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(SourceOf(webView_.Get()), L"data:text/html;charset=utf-8;base64,PHRpdGxlPkNhZsOpPC90aXRsZT48cD54PC9wPg==");
    EXPECT_EQ(TitleOf(webView_.Get()), L"Caf\u00e9");
    wchar_t windowText[256] = {};
    GetWindowTextW(devengine::GetView(1).pageWindow, windowText, 256);
    EXPECT_EQ(SourceOf(webView_.Get()), windowText);

    // A new navigation drops the pages ahead; a page without a title is
    // titled by its address.
    webView_->NavigateToString(L"<p>ab</p>");
    webView_->GoForward();
    webView_->Reload();
    ASSERT_TRUE(devengine::RunPending());
    view = devengine::GetView(1);
    EXPECT_EQ(view.source, L"data:text/html;charset=utf-8;base64,PHA+YWI8L3A+");
    EXPECT_EQ(view.title, view.source);
    EXPECT_EQ(view.html, L"<p>ab</p>");
    EXPECT_FALSE(view.canGoForward);
    EXPECT_EQ(devengine::CallLog(1),
              (std::vector<std::wstring>{L"NavigateToString", L"Navigate https://a.example/",
                                         L"Navigate https://www.google.com/search?q=hello+w%C3%B6rld&hl=en", L"GoBack",
                                         L"GoBack", L"GoBack", L"NavigateToString", L"GoForward", L"Reload"}));
}

// Writes `html` (UTF-8) to `path`, replacing what is there.
void WriteFileText(const std::wstring& path, const std::string& html) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, html.data(), static_cast<DWORD>(html.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, html.size());
}

TEST_F(DevEngineTest, LocalFilesGiveTheirOwnTitleAndReadBackNormalised) {
    OpenView();
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"devengine file " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring page = folder + L"\\caf\u00e9.html";
    const std::wstring bare = folder + L"\\bare.html";
    WriteFileText(page, "<html><head><TITLE>\n  Caf\xc3\xa9   page </TITLE></head></html>");
    WriteFileText(bare, "<p>no title</p>");

    // The address as typed: lower-case drive, back slashes, blanks, non-ASCII.
    std::wstring typed = L"FILE:" + page;
    typed[5] = static_cast<wchar_t>(towlower(typed[5]));
    webView_->Navigate(typed.c_str());
    ASSERT_TRUE(devengine::RunPending());
    std::wstring expected = L"file:///" + page;
    std::replace(expected.begin(), expected.end(), L'\\', L'/');
    expected[8] = static_cast<wchar_t>(towupper(expected[8]));
    for (size_t blank = expected.find(L' '); blank != std::wstring::npos; blank = expected.find(L' ', blank)) {
        expected.replace(blank, 1, L"%20");
    }
    expected.replace(expected.find(L"\u00e9"), 1, L"%C3%A9");
    EXPECT_EQ(SourceOf(webView_.Get()), expected);
    EXPECT_EQ(TitleOf(webView_.Get()), L"Caf\u00e9 page");

    // Reload reads the file again; an unchanged title fires nothing.
    std::vector<std::wstring> titles;
    EventRegistrationToken token = {};
    ASSERT_EQ(webView_->add_DocumentTitleChanged(MakeHandler<ICoreWebView2DocumentTitleChangedEventHandler>(
                                                     [&](ICoreWebView2* sender, IUnknown*) {
                                                         titles.push_back(TitleOf(sender));
                                                         return S_OK;
                                                     }).Get(),
                                                 &token),
              S_OK);
    webView_->Reload();
    ASSERT_TRUE(devengine::RunPending());
    WriteFileText(page, "<title>Changed</title>");
    webView_->Reload();
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(titles, std::vector<std::wstring>{L"Changed"});
    EXPECT_EQ(SourceOf(webView_.Get()), expected);

    // Without a <title>, or without the file, a page is titled by its address.
    webView_->Navigate((L"file:///" + bare).c_str());
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(TitleOf(webView_.Get()), SourceOf(webView_.Get()));
    DeleteFileW(bare.c_str());
    webView_->Reload();
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(TitleOf(webView_.Get()), SourceOf(webView_.Get()));

    DeleteFileW(page.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(DevEngineTest, PageWindowFollowsBoundsVisibilityAndClicks) {
    OpenView();
    const HWND page = devengine::GetView(1).pageWindow;
    ASSERT_TRUE(IsWindow(page));
    EXPECT_EQ(GetParent(page), parent_);

    controller_->put_Bounds(RECT{10, 70, 610, 470});
    RECT placed;
    GetWindowRect(page, &placed);
    MapWindowPoints(HWND_DESKTOP, parent_, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 70);
    EXPECT_EQ(placed.right, 610);
    EXPECT_EQ(placed.bottom, 470);
    controller_->put_IsVisible(FALSE);
    EXPECT_FALSE(HasVisibleStyle(page));
    BOOL visible = TRUE;
    controller_->get_IsVisible(&visible);
    EXPECT_FALSE(visible);
    controller_->put_IsVisible(TRUE);
    EXPECT_TRUE(HasVisibleStyle(page));

    std::vector<std::wstring> messages;
    webView_->add_WebMessageReceived(MakeHandler<ICoreWebView2WebMessageReceivedEventHandler>(
                                         [&](ICoreWebView2*, ICoreWebView2WebMessageReceivedEventArgs* args) {
                                             LPWSTR text = nullptr;
                                             const HRESULT hr = args->TryGetWebMessageAsString(&text);
                                             LPWSTR json = nullptr;
                                             args->get_WebMessageAsJson(&json);
                                             messages.push_back(HexOf(hr) + L" " + TakeString(text) + L" " +
                                                                TakeString(json));
                                             return S_OK;
                                         }).Get(),
                                     nullptr);
    EXPECT_FALSE(devengine::ClickPage(1, true)) << "a search box on a page without one";
    webView_->NavigateToString(L"<title>New Tab</title><div onclick='post()'>Search Google...</div>");
    ASSERT_TRUE(devengine::RunPending());

    SetFocus(parent_);
    ASSERT_TRUE(devengine::ClickPage(1, false));
    EXPECT_EQ(GetFocus(), page);
    SetFocus(parent_);
    ASSERT_TRUE(devengine::ClickPage(1, true));
    EXPECT_EQ(GetFocus(), page);
    EXPECT_TRUE(messages.empty()) << "message delivered inside the click";
    devengine::GetKnobs().nonStringMessages = true;
    ASSERT_TRUE(devengine::ClickPage(1, true));
    devengine::TriggerNonStringWebMessage(1, L"42");
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"0x00000000 focus_url \"focus_url\"",
                                                    L"0x80070057 (null) {\"message\":\"focus_url\"}",
                                                    L"0x80070057 (null) 42"}));
}

TEST_F(DevEngineTest, ClosedViewsFailEveryCallAndDropTheirEvents) {
    OpenView();
    int titleEvents = 0;
    webView_->add_DocumentTitleChanged(MakeHandler<ICoreWebView2DocumentTitleChangedEventHandler>(
                                           [&](ICoreWebView2*, IUnknown*) {
                                               ++titleEvents;
                                               return S_OK;
                                           }).Get(),
                                       nullptr);
    const HWND page = devengine::GetView(1).pageWindow;
    devengine::TriggerTitleChange(1, L"Never seen");
    ASSERT_EQ(controller_->Close(), S_OK);
    EXPECT_EQ(devengine::PendingCount(), 0u);
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(devengine::HeldHandlerCount(), 0);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(titleEvents, 0);
    EXPECT_TRUE(devengine::GetView(1).closed);

    LPWSTR text = nullptr;
    EXPECT_EQ(webView_->get_Source(&text), kClosed);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(webView_->get_DocumentTitle(&text), kClosed);
    EXPECT_EQ(webView_->Navigate(L"https://a.example/"), kClosed);
    EXPECT_EQ(webView_->GoBack(), kClosed);
    EXPECT_EQ(controller_->put_IsVisible(TRUE), kClosed);
    EXPECT_EQ(controller_->put_Bounds(RECT{}), kClosed);
    EXPECT_EQ(controller_->Close(), kClosed);
    ComPtr<ICoreWebView2> again;
    EXPECT_EQ(controller_->get_CoreWebView2(&again), kClosed);
    EXPECT_FALSE(devengine::TriggerTitleChange(1, L"x"));
    EXPECT_EQ(devengine::CallLog(1).back(), L"get_CoreWebView2 [closed]");

    // Destroying the parent closes a view; a request whose parent is gone by
    // its completion fails.
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                       nullptr, nullptr);
    ComPtr<ICoreWebView2Controller> second = CreateController(other);
    ASSERT_NE(second, nullptr);
    DestroyWindow(other);
    EXPECT_TRUE(devengine::GetView(2).closed);
    EXPECT_EQ(second->put_IsVisible(TRUE), kClosed);

    HRESULT result = S_OK;
    const HWND doomed = CreateWindowExW(0, L"STATIC", L"doomed", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                        nullptr, nullptr);
    environment_->CreateCoreWebView2Controller(
        doomed, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
                    [&](HRESULT hr, ICoreWebView2Controller* controller) {
                        result = controller == nullptr ? hr : E_UNEXPECTED;
                        return S_OK;
                    }).Get());
    DestroyWindow(doomed);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(result, HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE));

    // Letting go of the last reference to a controller closes its view too.
    CreateController(parent_).Reset();
    EXPECT_TRUE(devengine::GetView(3).closed);
    EXPECT_EQ(devengine::ViewIds(), (std::vector<int>{1, 2, 3}));
}

TEST_F(DevEngineTest, KnobsMakeRequestsAndGettersFail) {
    devengine::GetKnobs().createResult = E_ACCESSDENIED;
    bool called = false;
    EXPECT_EQ(devengine::CreateEnvironment(nullptr, L"x", nullptr,
                                           MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(
                                               [&](HRESULT, ICoreWebView2Environment*) {
                                                   called = true;
                                                   return S_OK;
                                               }).Get()),
              E_ACCESSDENIED);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_FALSE(called);

    ASSERT_TRUE(devengine::SetKnob(L"create_result", L"0"));
    ASSERT_TRUE(devengine::SetKnob(L"environment_result", L"0x80070002"));
    EXPECT_FALSE(devengine::SetKnob(L"no_such_knob", L"1"));
    EXPECT_FALSE(devengine::SetKnob(L"null_title", L"yes"));
    EXPECT_EQ(StartEnvironment(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(environment_, nullptr);

    devengine::ResetKnobs();
    devengine::GetKnobs().environmentDelayMs = 200;
    const ULONGLONG start = GetTickCount64();
    ASSERT_EQ(StartEnvironment(), S_OK);
    EXPECT_GE(GetTickCount64() - start, 190u);

    devengine::GetKnobs().controllerResult = E_ABORT;
    HRESULT result = S_OK;
    EXPECT_EQ(CreateController(parent_, &result), nullptr);
    EXPECT_EQ(result, E_ABORT);
    devengine::ResetKnobs();

    controller_ = CreateController(parent_);
    ASSERT_NE(controller_, nullptr);
    devengine::GetKnobs().coreWebView2Result = E_FAIL;
    EXPECT_EQ(controller_->get_CoreWebView2(&webView_), E_FAIL);
    devengine::GetKnobs().coreWebView2Result = S_OK;
    devengine::GetKnobs().nullCoreWebView2 = true;
    EXPECT_EQ(controller_->get_CoreWebView2(&webView_), S_OK);
    EXPECT_EQ(webView_, nullptr);
    devengine::ResetKnobs();
    ASSERT_EQ(controller_->get_CoreWebView2(&webView_), S_OK);

    LPWSTR text = nullptr;
    devengine::GetKnobs().sourceResult = E_FAIL;
    EXPECT_EQ(webView_->get_Source(&text), E_FAIL);
    devengine::GetKnobs().nullTitle = true;
    EXPECT_EQ(webView_->get_DocumentTitle(&text), S_OK);
    EXPECT_EQ(text, nullptr);
}

TEST_F(DevEngineTest, QueuedControllerCompletionsCanBeReordered) {
    ASSERT_EQ(StartEnvironment(), S_OK);
    // Each completion records its request's number, negative when it brought no controller.
    std::vector<int> completed;
    const auto request = [&](int number) {
        EXPECT_EQ(environment_->CreateCoreWebView2Controller(
                      parent_, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
                                   [&completed, number](HRESULT, ICoreWebView2Controller* controller) {
                                       completed.push_back(controller != nullptr ? number : -number);
                                       return S_OK;
                                   }).Get()),
                  S_OK);
    };

    request(1);
    devengine::GetKnobs().controllerResult = E_ABORT;
    request(2);
    devengine::ResetKnobs();
    request(3);
    EXPECT_EQ(devengine::ReorderControllerCompletions(), 3u);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(completed, (std::vector<int>{3, -2, 1}));

    // A seed gives one order, every time; each request still completes once.
    std::vector<int> orders[2];
    for (std::vector<int>& order : orders) {
        completed.clear();
        for (int number = 1; number <= 8; ++number) request(number);
        EXPECT_EQ(devengine::ReorderControllerCompletions(7), 8u);
        ASSERT_TRUE(devengine::RunPending());
        order = completed;
    }
    EXPECT_EQ(orders[0], orders[1]);
    std::vector<int> sorted = orders[0];
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_NE(orders[0], sorted);
    EXPECT_EQ(devengine::ReorderControllerCompletions(7), 0u) << "nothing left to reorder";
}

TEST_F(DevEngineTest, EnvironmentRequestNeedsASingleThreadedApartment) {
    HRESULT onOtherThread = S_OK;
    std::thread([&]() {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        onOtherThread = devengine::CreateEnvironment(nullptr, L"x", nullptr, nullptr);
        CoUninitialize();
    }).join();
    EXPECT_EQ(onOtherThread, RPC_E_CHANGED_MODE);
}

TEST_F(DevEngineTest, AcceleratorKeysShowTheirModifiersToTheHandler) {
    OpenView();
    std::vector<std::wstring> seen;
    EventRegistrationToken first = {};
    EventRegistrationToken second = {};
    const auto handler = MakeHandler<ICoreWebView2AcceleratorKeyPressedEventHandler>(
        [&](ICoreWebView2Controller* sender, ICoreWebView2AcceleratorKeyPressedEventArgs* args) {
            EXPECT_EQ(sender, controller_.Get());
            COREWEBVIEW2_KEY_EVENT_KIND kind;
            UINT key = 0;
            COREWEBVIEW2_PHYSICAL_KEY_STATUS status = {};
            args->get_KeyEventKind(&kind);
            args->get_VirtualKey(&key);
            args->get_PhysicalKeyStatus(&status);
            seen.push_back(std::to_wstring(kind) + L" " + std::to_wstring(key) +
                           (GetKeyState(VK_CONTROL) < 0 ? L" ctrl" : L"") +
                           (GetKeyState(VK_SHIFT) < 0 ? L" shift" : L"") + (GetKeyState(VK_MENU) < 0 ? L" alt" : L"") +
                           (status.IsKeyReleased ? L" released" : L""));
            args->put_Handled(TRUE);
            return S_OK;
        });
    ASSERT_EQ(controller_->add_AcceleratorKeyPressed(handler.Get(), &first), S_OK);
    ASSERT_EQ(controller_->add_AcceleratorKeyPressed(handler.Get(), &second), S_OK);
    EXPECT_NE(first.value, second.value);
    controller_->remove_AcceleratorKeyPressed(second);

    devengine::TriggerAcceleratorKey(1, COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W', true, false);
    devengine::TriggerAcceleratorKey(1, COREWEBVIEW2_KEY_EVENT_KIND_KEY_UP, VK_F5, false, true);
    EXPECT_TRUE(seen.empty());
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"0 87 ctrl", L"1 116 shift released"}));
    EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "keyboard state not restored";
    EXPECT_EQ(devengine::CallLog(1).back(), L"put_Handled 1");

    // Keys typed into the page window: those with Ctrl or Alt, those typing no
    // character, and Escape are offered; Alt combinations as system keys.
    seen.clear();
    const HWND page = devengine::GetView(1).pageWindow;
    BYTE keys[256];
    GetKeyboardState(keys);
    const auto pressWith = [&](int modifier, UINT message, WPARAM key, LPARAM lParam) {
        BYTE held[256];
        memcpy(held, keys, sizeof(held));
        held[modifier] = 0x80;
        SetKeyboardState(held);
        SendMessageW(page, message, key, lParam);
        SetKeyboardState(keys);
    };
    pressWith(VK_CONTROL, WM_KEYDOWN, 'T', 1);
    pressWith(VK_MENU, WM_SYSKEYDOWN, VK_LEFT, 1 | (1 << 29));
    pressWith(VK_MENU, WM_SYSKEYDOWN, 'D', 1 | (1 << 29));
    pressWith(VK_SHIFT, WM_KEYDOWN, VK_SHIFT, 1);
    for (const WPARAM key : {WPARAM{'A'}, WPARAM{VK_TAB}, WPARAM{VK_RETURN}, WPARAM{VK_F5}, WPARAM{VK_F6},
                             WPARAM{VK_ESCAPE}, WPARAM{VK_PRIOR}, WPARAM{VK_NEXT}}) {
        SendMessageW(page, WM_KEYDOWN, key, 1);
    }
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"0 84 ctrl", L"2 37 alt", L"2 68 alt", L"0 116", L"0 117", L"0 27",
                                               L"0 33", L"0 34"}));

    // The control channel's keys, Alt ones as system keys.
    seen.clear();
    EXPECT_TRUE(devengine::RunControlCommand(L"accel 1 0x25 alt"));
    EXPECT_TRUE(devengine::RunControlCommand(L"accel 1 0x25 alt keyup"));
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"2 37 alt", L"3 37 alt released"}));
}

TEST_F(DevEngineTest, HistoryChangedFollowsEveryMoveAlongTheBackForwardList) {
    OpenView();
    std::vector<std::wstring> seen;
    const auto handler = MakeHandler<ICoreWebView2HistoryChangedEventHandler>([&](ICoreWebView2* sender, IUnknown*) {
        EXPECT_EQ(sender, webView_.Get());
        BOOL back = FALSE;
        BOOL forward = FALSE;
        EXPECT_EQ(sender->get_CanGoBack(&back), S_OK);
        EXPECT_EQ(sender->get_CanGoForward(&forward), S_OK);
        seen.push_back(SourceOf(sender) + (back ? L" back" : L"") + (forward ? L" forward" : L""));
        return S_OK;
    });
    EventRegistrationToken token = {};
    ASSERT_EQ(webView_->add_HistoryChanged(handler.Get(), &token), S_OK);

    webView_->Navigate(L"https://a.example/");
    webView_->Navigate(L"https://b.example/");
    webView_->Reload();
    ASSERT_TRUE(devengine::RunPending());
    webView_->GoBack();
    ASSERT_TRUE(devengine::RunPending());
    webView_->GoBack();  // nothing before the first page: no change, no event
    webView_->GoForward();
    ASSERT_TRUE(devengine::RunPending());
    ASSERT_TRUE(devengine::TriggerSourceChange(1, L"https://b.example/#part"));
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"https://a.example/", L"https://b.example/ back",
                                               L"https://a.example/ forward", L"https://b.example/ back",
                                               L"https://b.example/#part back"}));

    // The knob makes both questions fail.
    ASSERT_TRUE(devengine::SetKnob(L"can_go_result", L"0x80004005"));
    BOOL answer = TRUE;
    EXPECT_EQ(webView_->get_CanGoBack(&answer), E_FAIL);
    EXPECT_EQ(webView_->get_CanGoForward(&answer), E_FAIL);
    devengine::GetKnobs().canGoResult = S_OK;

    seen.clear();
    webView_->remove_HistoryChanged(token);
    webView_->GoBack();
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_TRUE(seen.empty());
}

// The events of view 1 whose names begin with `event`, from the engine log.
std::vector<std::wstring> EventsOfView1(const std::wstring& event) {
    const std::wstring prefix = L"view 1 event " + event;
    std::vector<std::wstring> events;
    for (const std::wstring& line : devengine::EngineLog()) {
        if (line.compare(0, prefix.size(), prefix) == 0) events.push_back(line.substr(13));
    }
    return events;
}

TEST_F(DevEngineTest, NavigationStartingAndCompletedBracketEveryNavigationAndStopEndsAHeldOne) {
    OpenView();
    webView_->Navigate(L"https://a.example/");
    EXPECT_TRUE(EventsOfView1(L"Navigation").empty()) << "fired inside the call";
    ASSERT_TRUE(devengine::RunPending());
    webView_->Reload();
    webView_->GoBack();  // nothing before the first page: no navigation
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(EventsOfView1(L"Navigation"), (std::vector<std::wstring>{
                                                L"NavigationStarting id=1 https://a.example/",
                                                L"NavigationCompleted id=1 success=1",
                                                L"NavigationStarting id=2 https://a.example/",
                                                L"NavigationCompleted id=2 success=1",
                                            }));

    // Held: the page comes only when released, and never once stopped.
    devengine::GetKnobs().holdNavigations = true;
    webView_->Navigate(L"https://slow.example/");
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_TRUE(devengine::GetView(1).navigating);
    EXPECT_EQ(webView_->Stop(), S_OK);
    EXPECT_EQ(EventsOfView1(L"Navigation").size(), 5u) << "completed inside Stop";
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(EventsOfView1(L"NavigationCompleted").back(), L"NavigationCompleted id=3 success=0");
    EXPECT_FALSE(devengine::ReleaseNavigation(1));
    EXPECT_EQ(devengine::GetView(1).source, L"https://a.example/");
    webView_->Navigate(L"https://slow.example/");
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_TRUE(devengine::RunControlCommand(L"release-navigation 1"));
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(webView_->Stop(), S_OK);  // nothing under way
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(EventsOfView1(L"NavigationCompleted").back(), L"NavigationCompleted id=4 success=1");
    EXPECT_EQ(devengine::GetView(1).source, L"https://slow.example/");
    EXPECT_EQ(EventsOfView1(L"Navigation").size(), 8u);
}

TEST_F(DevEngineTest, AReplacedNavigationCanCompleteAfterTheNextStarts) {
    OpenView();
    ASSERT_TRUE(devengine::SetKnob(L"hold_navigations", L"1"));
    ASSERT_TRUE(devengine::SetKnob(L"late_replaced_completion", L"1"));
    webView_->Navigate(L"https://first.example/");
    ASSERT_TRUE(devengine::RunPending());
    webView_->Navigate(L"https://second.example/");
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(EventsOfView1(L"Navigation"), (std::vector<std::wstring>{
                                                L"NavigationStarting id=1 https://first.example/",
                                                L"NavigationStarting id=2 https://second.example/",
                                                L"NavigationCompleted id=1 success=0",
                                            }));
    EXPECT_TRUE(devengine::GetView(1).navigating) << "the second is still under way";
}

TEST_F(DevEngineTest, PagesEnterAndLeaveFullScreenAndExitFullscreenScriptEndsIt) {
    OpenView();
    std::vector<std::wstring> results;
    const auto completed = MakeHandler<ICoreWebView2ExecuteScriptCompletedHandler>([&](HRESULT hr, LPCWSTR json) {
        results.push_back(HexOf(hr) + L" " + json);
        return S_OK;
    });
    EXPECT_TRUE(devengine::RunControlCommand(L"fullscreen 1 enter"));
    EXPECT_TRUE(devengine::TriggerFullScreen(1, true));  // no change: no second event
    ASSERT_TRUE(devengine::RunPending());
    BOOL contains = FALSE;
    EXPECT_EQ(webView_->get_ContainsFullScreenElement(&contains), S_OK);
    EXPECT_TRUE(contains);
    EXPECT_EQ(webView_->ExecuteScript(L"document.title", completed.Get()), S_OK);
    EXPECT_EQ(webView_->ExecuteScript(L"document.exitFullscreen()", completed.Get()), S_OK);
    EXPECT_TRUE(results.empty()) << "completed inside the call";
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(results, (std::vector<std::wstring>{L"0x00000000 null", L"0x00000000 {}"}));
    EXPECT_EQ(webView_->get_ContainsFullScreenElement(&contains), S_OK);
    EXPECT_FALSE(contains);
    EXPECT_EQ(devengine::CallLog(1).back(), L"ExecuteScript document.exitFullscreen()");

    // Escape left to the page ends it; so does a new document.
    ASSERT_TRUE(devengine::TriggerFullScreen(1, true));
    ASSERT_TRUE(devengine::TriggerAcceleratorKey(1, COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, VK_ESCAPE));
    ASSERT_TRUE(devengine::TriggerFullScreen(1, true));
    webView_->Navigate(L"https://a.example/");
    ASSERT_TRUE(devengine::RunPending());
    const std::wstring entered = L"ContainsFullScreenElementChanged 1";
    const std::wstring left = L"ContainsFullScreenElementChanged 0";
    EXPECT_EQ(EventsOfView1(L"Contains"), (std::vector<std::wstring>{entered, left, entered, left, entered, left}));
}

TEST_F(DevEngineTest, ControlChannelRunsCommandsFromAnotherWindow) {
    OpenView();
    const HWND channel = devengine::StartControlChannel();
    ASSERT_EQ(FindWindowExW(HWND_MESSAGE, nullptr, L"VelquinDevEngineControl",
                            std::to_wstring(GetCurrentProcessId()).c_str()),
              channel);
    const auto send = [&](const std::wstring& command) {
        COPYDATASTRUCT data = {0, static_cast<DWORD>(command.size() * sizeof(wchar_t)),
                               const_cast<wchar_t*>(command.data())};
        return SendMessageW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    };
    EXPECT_EQ(send(L"title 1 Two words"), 1);
    EXPECT_EQ(send(L"source 1 https://b.example/"), 1);
    EXPECT_EQ(send(L"knob null_source 1"), 1);
    EXPECT_EQ(send(L"title 9 no such view"), 0);
    EXPECT_EQ(send(L"accel 1 W ctrl sideways"), 0);
    EXPECT_EQ(send(L"fly 1"), 0);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::GetView(1).title, L"Two words");
    EXPECT_EQ(devengine::GetView(1).source, L"https://b.example/");
    EXPECT_TRUE(devengine::GetKnobs().nullSource);
}

TEST_F(DevEngineTest, ObjectsAnswerOnlyTheirOwnInterfaces) {
    OpenView();
    ComPtr<ICoreWebView2> fromController;
    EXPECT_EQ(controller_.As(&fromController), E_NOINTERFACE);
    ComPtr<IUnknown> identity;
    EXPECT_EQ(webView_.As(&identity), S_OK);
    ComPtr<ICoreWebView2> same;
    ASSERT_EQ(controller_->get_CoreWebView2(&same), S_OK);
    EXPECT_EQ(same, webView_);
    EXPECT_EQ(devengine::GetWebView(1), webView_);
    EXPECT_EQ(devengine::GetController(1), controller_);
}

// What a completed GetFavicon's stream holds.
std::string FaviconBytes(ICoreWebView2_15* webView, HRESULT* result) {
    std::string bytes;
    *result = E_PENDING;
    EXPECT_EQ(webView->GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG,
                                  MakeHandler<ICoreWebView2GetFaviconCompletedHandler>([&](HRESULT hr, IStream* stream) {
                                      *result = hr;
                                      char buffer[8192];
                                      ULONG read = 0;
                                      while (stream != nullptr && stream->Read(buffer, sizeof(buffer), &read) == S_OK &&
                                             read > 0) {
                                          bytes.append(buffer, read);
                                      }
                                      return S_OK;
                                  }).Get()),
              S_OK);
    EXPECT_EQ(*result, E_PENDING) << "completed inside the call";
    EXPECT_TRUE(devengine::RunPending());
    return bytes;
}

TEST_F(DevEngineTest, LaterInterfacesAnswerUnlessTheirKnobWithholdsThem) {
    OpenView();
    ComPtr<ICoreWebView2_28> latest;
    ASSERT_EQ(webView_.As(&latest), S_OK);
    ComPtr<ICoreWebView2> base;
    ASSERT_EQ(latest.As(&base), S_OK);
    EXPECT_EQ(base, webView_);
    ComPtr<ICoreWebView2Environment15> environment15;
    EXPECT_EQ(environment_.As(&environment15), S_OK);

    devengine::SetKnob(L"withhold_favicon", L"1");
    devengine::SetKnob(L"withhold_suspend", L"1");
    ComPtr<ICoreWebView2_15> favicon;
    EXPECT_EQ(webView_.As(&favicon), E_NOINTERFACE);
    EXPECT_EQ(favicon, nullptr);
    ComPtr<ICoreWebView2_3> suspend;
    EXPECT_EQ(webView_.As(&suspend), E_NOINTERFACE);
    ComPtr<ICoreWebView2_8> audio;
    EXPECT_EQ(webView_.As(&audio), S_OK) << "one knob holds back one interface";
    ComPtr<ICoreWebView2_16> print;
    EXPECT_EQ(webView_.As(&print), S_OK);

    devengine::SetKnob(L"withhold_find", L"1");
    ComPtr<ICoreWebView2_28> find;
    EXPECT_EQ(webView_.As(&find), E_NOINTERFACE);
    environment15.Reset();
    EXPECT_EQ(environment_.As(&environment15), E_NOINTERFACE);
    ComPtr<ICoreWebView2Environment14> environment14;
    EXPECT_EQ(environment_.As(&environment14), S_OK);
    ComPtr<ICoreWebView2Controller> notAWebView;
    EXPECT_EQ(webView_.As(&notAWebView), E_NOINTERFACE);
}

TEST_F(DevEngineTest, PagesHaveIconsAndSoundUntilTheNextDocument) {
    OpenView();
    ComPtr<ICoreWebView2_15> icons;
    ComPtr<ICoreWebView2_8> sound;
    ASSERT_EQ(webView_.As(&icons), S_OK);
    ASSERT_EQ(webView_.As(&sound), S_OK);
    webView_->Navigate(L"https://a.example/");
    ASSERT_TRUE(devengine::RunPending());

    EXPECT_TRUE(devengine::RunControlCommand(L"favicon 1 png ff0000 https://a.example/favicon.ico"));
    EXPECT_FALSE(devengine::RunControlCommand(L"favicon 1 png red https://a.example/favicon.ico"));
    EXPECT_FALSE(devengine::RunControlCommand(L"favicon 1 png ff0000"));
    EXPECT_TRUE(devengine::RunControlCommand(L"audio 1 start"));
    ASSERT_TRUE(devengine::RunPending());
    LPWSTR uri = nullptr;
    ASSERT_EQ(icons->get_FaviconUri(&uri), S_OK);
    EXPECT_EQ(TakeString(uri), L"https://a.example/favicon.ico");
    HRESULT result = S_OK;
    const std::string png = FaviconBytes(icons.Get(), &result);
    EXPECT_EQ(result, S_OK);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
    BOOL playing = FALSE;
    ASSERT_EQ(sound->get_IsDocumentPlayingAudio(&playing), S_OK);
    EXPECT_TRUE(playing);

    // Muting is logged, fires once per change and outlives the document.
    ASSERT_EQ(sound->put_IsMuted(TRUE), S_OK);
    ASSERT_EQ(sound->put_IsMuted(TRUE), S_OK);
    EXPECT_TRUE(devengine::RunControlCommand(L"favicon 1 broken https://a.example/bad.ico"));
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_NE(FaviconBytes(icons.Get(), &result).substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
    devengine::GetKnobs().faviconResult = E_FAIL;
    EXPECT_TRUE(FaviconBytes(icons.Get(), &result).empty());
    EXPECT_EQ(result, E_FAIL);
    webView_->Navigate(L"https://b.example/");
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::GetView(1).faviconUri, L"");
    EXPECT_FALSE(devengine::GetView(1).playingAudio);
    EXPECT_TRUE(devengine::GetView(1).muted);
    EXPECT_EQ(EventsOfView1(L"Favicon"),
              (std::vector<std::wstring>{L"FaviconChanged https://a.example/favicon.ico",
                                         L"FaviconChanged https://a.example/bad.ico", L"FaviconChanged (none)"}));
    EXPECT_EQ(EventsOfView1(L"Is"), (std::vector<std::wstring>{L"IsDocumentPlayingAudioChanged 1",
                                                               L"IsMutedChanged 1",
                                                               L"IsDocumentPlayingAudioChanged 0"}));
    const std::vector<std::wstring> calls = devengine::CallLog(1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"put_IsMuted 1"), 2);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"GetFavicon png"), 3);

    // An icon asked for before the view closed is still answered.
    devengine::GetKnobs().faviconResult = S_OK;
    HRESULT late = E_FAIL;
    ASSERT_EQ(icons->GetFavicon(COREWEBVIEW2_FAVICON_IMAGE_FORMAT_PNG,
                                MakeHandler<ICoreWebView2GetFaviconCompletedHandler>([&](HRESULT hr, IStream*) {
                                    late = hr;
                                    return S_OK;
                                }).Get()),
              S_OK);
    ASSERT_EQ(controller_->Close(), S_OK);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(late, S_OK);
}

TEST_F(DevEngineTest, LocalPagesBringTheIconAndSoundTheyDeclare) {
    OpenView();
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + L"devengine features " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const char iconBytes[] = "\x89PNG any bytes\0 as they are";
    const std::string icon(iconBytes, sizeof iconBytes - 1);
    WriteFileText(folder + L"\\dot.png", icon);
    // Only a file beside the page is an icon: not one elsewhere, nor a missing one.
    WriteFileText(folder + L"\\playing.html",
                  "<html><head><link rel=\"stylesheet\" href=\"dot.png\"><LINK REL=\"icon\" href=\"../dot.png\">"
                  "<link rel=\"icon\" href=\"gone.png\"><link href=\"dot.png\" rel=\"Icon\"></head>"
                  "<body><AUDIO src=\"tone.wav\" loop autoplay></AUDIO></body></html>");
    WriteFileText(folder + L"\\quiet.html", "<audio src=\"tone.wav\"></audio><link rel=\"icon\" href=\"c:\\dot.png\">");

    const std::wstring folderUrl = L"file:///" + folder + L"/";
    webView_->Navigate((folderUrl + L"playing.html").c_str());
    ASSERT_TRUE(devengine::RunPending());
    std::wstring expectedUri = devengine::GetView(1).source;
    expectedUri = expectedUri.substr(0, expectedUri.rfind(L'/') + 1) + L"dot.png";
    EXPECT_EQ(devengine::GetView(1).faviconUri, expectedUri);
    EXPECT_TRUE(devengine::GetView(1).playingAudio);
    ComPtr<ICoreWebView2_15> icons;
    ASSERT_EQ(webView_.As(&icons), S_OK);
    HRESULT result = E_FAIL;
    EXPECT_EQ(FaviconBytes(icons.Get(), &result), icon);
    // A reload stops the sound; the page starts it again once loaded.
    webView_->Reload();
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(EventsOfView1(L"IsDocument"), (std::vector<std::wstring>{L"IsDocumentPlayingAudioChanged 1",
                                                                       L"IsDocumentPlayingAudioChanged 0",
                                                                       L"IsDocumentPlayingAudioChanged 1"}));

    webView_->Navigate((folderUrl + L"quiet.html").c_str());
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::GetView(1).faviconUri, L"");
    EXPECT_FALSE(devengine::GetView(1).playingAudio);
    for (const wchar_t* name : {L"dot.png", L"playing.html", L"quiet.html"}) DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(DevEngineTest, HiddenViewsSleepUnlessRefusedAndToolsAreLogged) {
    OpenView();
    ComPtr<ICoreWebView2_3> sleep;
    ComPtr<ICoreWebView2_19> memory;
    ComPtr<ICoreWebView2_16> print;
    ComPtr<ICoreWebView2_28> tools;
    ComPtr<ICoreWebView2Environment15> environment15;
    ASSERT_EQ(webView_.As(&sleep), S_OK);
    ASSERT_EQ(webView_.As(&memory), S_OK);
    ASSERT_EQ(webView_.As(&print), S_OK);
    ASSERT_EQ(webView_.As(&tools), S_OK);
    ASSERT_EQ(environment_.As(&environment15), S_OK);
    std::vector<std::wstring> outcomes;
    const auto completed = MakeHandler<ICoreWebView2TrySuspendCompletedHandler>([&](HRESULT hr, BOOL suspended) {
        outcomes.push_back(HexOf(hr) + (suspended ? L" 1" : L" 0"));
        return S_OK;
    });

    EXPECT_TRUE(FAILED(sleep->TrySuspend(completed.Get()))) << "a visible view";
    ASSERT_EQ(controller_->put_IsVisible(FALSE), S_OK);
    ASSERT_EQ(memory->put_MemoryUsageTargetLevel(COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW), S_OK);
    devengine::GetKnobs().refuseSuspend = true;
    ASSERT_EQ(sleep->TrySuspend(completed.Get()), S_OK);
    ASSERT_TRUE(devengine::RunPending());
    devengine::GetKnobs().refuseSuspend = false;
    ASSERT_EQ(sleep->TrySuspend(completed.Get()), S_OK);
    EXPECT_EQ(outcomes.size(), 1u) << "completed inside the call";
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_TRUE(devengine::GetView(1).suspended);
    EXPECT_EQ(devengine::GetView(1).memoryLevel, COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW);
    ASSERT_EQ(controller_->put_IsVisible(TRUE), S_OK);
    EXPECT_FALSE(devengine::GetView(1).suspended) << "showing it wakes it";
    devengine::GetKnobs().suspendResult = E_OUTOFMEMORY;
    ASSERT_EQ(controller_->put_IsVisible(FALSE), S_OK);
    EXPECT_EQ(sleep->TrySuspend(completed.Get()), E_OUTOFMEMORY);
    devengine::GetKnobs().suspendResult = S_OK;

    ASSERT_EQ(print->ShowPrintUI(COREWEBVIEW2_PRINT_DIALOG_KIND_BROWSER), S_OK);
    ComPtr<ICoreWebView2FindOptions> options;
    ASSERT_EQ(environment15->CreateFindOptions(&options), S_OK);
    ASSERT_EQ(options->put_FindTerm(L"needle"), S_OK);
    ComPtr<ICoreWebView2Find> find;
    ASSERT_EQ(tools->get_Find(&find), S_OK);
    ASSERT_EQ(find->Start(options.Get(), nullptr), S_OK);
    ASSERT_EQ(find->FindNext(), S_OK);
    ASSERT_EQ(find->FindPrevious(), S_OK);
    EXPECT_TRUE(devengine::GetView(1).findActive);
    ASSERT_EQ(options->put_SuppressDefaultFindDialog(TRUE), S_OK);
    ASSERT_EQ(find->Start(options.Get(), nullptr), S_OK);
    ASSERT_EQ(find->Stop(), S_OK);
    EXPECT_FALSE(devengine::GetView(1).findActive);

    // A completion still comes for a view closed meanwhile, with its error.
    ASSERT_EQ(sleep->TrySuspend(completed.Get()), S_OK);
    ASSERT_EQ(controller_->Close(), S_OK);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(outcomes, (std::vector<std::wstring>{L"0x00000000 0", L"0x00000000 1", HexOf(kClosed) + L" 0"}));
    EXPECT_EQ(find->FindNext(), kClosed);
    std::vector<std::wstring> calls;
    for (const std::wstring& call : devengine::CallLog(1)) {
        if (call.find(L"IsVisible") == std::wstring::npos) calls.push_back(call);
    }
    EXPECT_EQ(calls, (std::vector<std::wstring>{
                         L"TrySuspend", L"put_MemoryUsageTargetLevel low", L"TrySuspend", L"TrySuspend", L"TrySuspend",
                         L"ShowPrintUI browser", L"Find Start needle", L"Find FindNext", L"Find FindPrevious",
                         L"Find Start needle (no dialog)", L"Find Stop", L"TrySuspend", L"Close",
                         L"Find FindNext [closed]"}));
}

}  // namespace

TEST_F(DevEngineTest, NewWindowRequestsWaitForTheDeferralAndLoadTheHandedOverView) {
    OpenView();
    ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args;
    ComPtr<ICoreWebView2Deferral> deferral;
    EventRegistrationToken token = {};
    ASSERT_EQ(webView_->add_NewWindowRequested(
                  MakeHandler<ICoreWebView2NewWindowRequestedEventHandler>(
                      [&](ICoreWebView2* sender, ICoreWebView2NewWindowRequestedEventArgs* request) {
                          EXPECT_EQ(sender, webView_.Get());
                          args = request;
                          request->put_Handled(TRUE);
                          return request->GetDeferral(&deferral);
                      }).Get(),
                  &token),
              S_OK);
    ASSERT_TRUE(devengine::TriggerNewWindowRequest(1, L"https://n.example/"));
    ASSERT_TRUE(devengine::RunPending());
    ASSERT_NE(deferral, nullptr);
    LPWSTR uri = nullptr;
    ASSERT_EQ(args->get_Uri(&uri), S_OK);
    EXPECT_EQ(TakeString(uri), L"https://n.example/");

    // Only a fresh view of the same environment is taken.
    ComPtr<ICoreWebView2> fresh;
    ComPtr<ICoreWebView2> navigated;
    const auto freshController = CreateController(parent_);
    const auto navigatedController = CreateController(parent_);
    freshController->get_CoreWebView2(&fresh);
    navigatedController->get_CoreWebView2(&navigated);
    navigated->Navigate(L"https://elsewhere.example/");
    EXPECT_EQ(args->put_NewWindow(navigated.Get()), E_INVALIDARG);
    EXPECT_EQ(args->put_NewWindow(fresh.Get()), S_OK);
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::NewWindowRequests().at(0).outcome, L"") << "acted before the deferral completed";

    EXPECT_EQ(deferral->Complete(), S_OK);
    EXPECT_NE(deferral->Complete(), S_OK);
    EXPECT_NE(args->put_NewWindow(nullptr), S_OK) << "answer taken after the deferral completed";
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::NewWindowRequests().at(0).outcome, L"view 2");
    EXPECT_EQ(SourceOf(fresh.Get()), L"https://n.example/");

    // Nobody answers: the engine opens a window of its own.
    ASSERT_EQ(webView_->remove_NewWindowRequested(token), S_OK);
    ASSERT_TRUE(devengine::TriggerNewWindowRequest(1, L"https://stray.example/"));
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(devengine::NewWindowRequests().at(1).outcome, L"stray");
    const auto log = devengine::EngineLog();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::wstring& line) { return line.compare(0, 13, L"stray window ") == 0; }),
              1);
}

TEST_F(DevEngineTest, ABrowserProcessExitFailsItsOwnEnvironmentOnly) {
    OpenView();
    std::vector<COREWEBVIEW2_PROCESS_FAILED_KIND> kinds;
    ASSERT_EQ(webView_->add_ProcessFailed(MakeHandler<ICoreWebView2ProcessFailedEventHandler>(
                                              [&](ICoreWebView2*, ICoreWebView2ProcessFailedEventArgs* failed) {
                                                  COREWEBVIEW2_PROCESS_FAILED_KIND kind;
                                                  EXPECT_EQ(failed->get_ProcessFailedKind(&kind), S_OK);
                                                  kinds.push_back(kind);
                                                  return S_OK;
                                              }).Get(),
                                          nullptr),
              S_OK);
    // A render process exit leaves the view usable.
    ASSERT_TRUE(devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED));
    ASSERT_TRUE(devengine::RunPending());
    EXPECT_EQ(webView_->Reload(), S_OK);

    const ComPtr<ICoreWebView2Environment> first = environment_;
    ASSERT_EQ(StartEnvironment(), S_OK);
    const auto other = CreateController(parent_);
    ASSERT_NE(other, nullptr);
    // A navigation queued before the exit never happens.
    webView_->Navigate(L"https://lost.example/");
    ASSERT_TRUE(devengine::TriggerProcessFailure(1, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED));
    ASSERT_TRUE(devengine::RunPending());

    const COREWEBVIEW2_PROCESS_FAILED_KIND expected[] = {COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED,
                                                         COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED};
    EXPECT_EQ(kinds, std::vector<COREWEBVIEW2_PROCESS_FAILED_KIND>(std::begin(expected), std::end(expected)));
    const HRESULT dead = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
    EXPECT_EQ(webView_->Navigate(L"https://a.example/"), dead);
    EXPECT_EQ(controller_->put_IsVisible(FALSE), dead);
    EXPECT_EQ(first->CreateCoreWebView2Controller(parent_, nullptr), dead);
    EXPECT_FALSE(devengine::TriggerTitleChange(1, L"late"));
    EXPECT_TRUE(devengine::GetView(1).failed);
    EXPECT_FALSE(devengine::GetView(1).closed);
    EXPECT_EQ(devengine::GetView(1).source, L"about:blank");
    EXPECT_FALSE(devengine::GetView(2).failed);
    EXPECT_EQ(other->put_IsVisible(FALSE), S_OK);

    // Closing the dead view still lets its handler go.
    EXPECT_EQ(controller_->Close(), S_OK);
    EXPECT_TRUE(devengine::GetView(1).closed);
    EXPECT_EQ(devengine::HeldHandlerCount(), 0);
}
