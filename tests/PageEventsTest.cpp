// Engine events: titles, source changes and history, page messages, and the
// address bar's Enter key, against real controls and stand-in views.
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/History.h"
#include "core/NewTabPage.h"
#include "core/SourceChanges.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <wrl/client.h>

namespace {

using PageEvents = BrowserFixture;
using Microsoft::WRL::ComPtr;

const std::wstring kSearch = L"https://www.google.com/search?q=";

TEST_F(PageEvents, TitlesFollowTheirOwnTabIncludingBackgroundTabs) {
    StartEngine();
    OpenTabs(2);
    const std::vector<int> views = TabViewIds();
    devengine::TriggerTitleChange(views[0], L"First");
    devengine::TriggerTitleChange(views[2], L"Third");
    Settle();
    EXPECT_EQ(TabCaptions(), (std::vector<std::wstring>{L"First", L"New Tab", L"Third"}));

    devengine::TriggerTitleChange(views[1], std::wstring(100, L'a'));
    devengine::TriggerTitleChange(views[2], std::wstring(101, L'b'));
    devengine::TriggerTitleChange(views[0], L"");
    Settle();
    EXPECT_EQ(TabCaptions(), (std::vector<std::wstring>{L"New Tab", std::wstring(100, L'a'), L"New Tab"}));

    devengine::TriggerTitleChange(views[1], L"data:text/html,<p>x</p>");
    Settle();
    EXPECT_EQ(TabCaptions()[1], L"New Tab");
}

TEST_F(PageEvents, AFailedTitleRequestKeepsTheCaption) {
    StartEngine();
    const int view = TabViewIds()[0];
    devengine::TriggerTitleChange(view, L"Kept");
    Settle();

    devengine::GetKnobs().titleResult = E_FAIL;
    devengine::TriggerTitleChange(view, L"Lost");
    Settle();
    EXPECT_EQ(TabCaptions()[0], L"Kept");

    devengine::GetKnobs().titleResult = S_OK;
    devengine::GetKnobs().nullTitle = true;
    devengine::TriggerTitleChange(view, L"Lost too");
    Settle();
    EXPECT_EQ(TabCaptions()[0], L"Kept");
}

TEST_F(PageEvents, EventsFromAClosedTabsViewChangeNothing) {
    StartEngine();
    OpenTabs(1);
    ComPtr<ICoreWebView2> closedView = g_tabs[1].webview;
    devengine::TriggerTitleChange(TabViewIds()[0], L"Stays");
    Settle();
    Click(ID_CLOSE_TAB);
    Settle();
    const std::wstring address = AddressBarText();

    EXPECT_EQ(OnDocumentTitleChanged(closedView.Get(), nullptr), S_OK);
    EXPECT_EQ(OnSourceChanged(closedView.Get(), nullptr), S_OK);
    EXPECT_EQ(TabCaptions(), std::vector<std::wstring>{L"Stays"});
    EXPECT_EQ(AddressBarText(), address);
    EXPECT_TRUE(g_history.empty());
}

TEST_F(PageEvents, SourceChangesUpdateTheAddressBarOfTheCurrentTabAndRecordHistory) {
    StartEngine();
    OpenTabs(1);
    const std::vector<int> views = TabViewIds();
    EXPECT_TRUE(g_history.empty()) << "the New Tab page is never recorded";

    devengine::TriggerSourceChange(views[1], L"https://a.example/");
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://a.example/");

    devengine::TriggerSourceChange(views[0], L"https://background.example/");
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://a.example/");

    // Only the New Tab page's own data address is it: one that merely
    // mentions it is a web page, shown and recorded as such.
    const std::wstring lookalike = L"https://evil.example/login#data:text/html";
    devengine::TriggerSourceChange(views[1], L"https://a.example/");
    devengine::TriggerSourceChange(views[1], lookalike);
    Settle();
    EXPECT_EQ(AddressBarText(), lookalike);
    EXPECT_EQ(g_history, (std::vector<std::wstring>{L"https://a.example/", L"https://background.example/",
                                                    L"https://a.example/", lookalike}));
}

TEST_F(PageEvents, ASourceTheEngineCannotTellIsIgnored) {
    StartEngine();
    const int view = TabViewIds()[0];
    SetWindowTextW(g_hAddressBar, L"typed");

    devengine::GetKnobs().sourceResult = E_FAIL;
    devengine::TriggerSourceChange(view, L"https://lost.example/");
    Settle();
    devengine::GetKnobs().sourceResult = S_OK;
    devengine::GetKnobs().nullSource = true;
    devengine::TriggerSourceChange(view, L"https://lost-too.example/");
    Settle();

    EXPECT_EQ(AddressBarText(), L"typed");
    EXPECT_TRUE(g_history.empty());
}

TEST_F(PageEvents, HistoryReportListsEveryAddressOldestFirst) {
    MessageBoxAnswerer answerer;
    Click(ID_HISTORY);
    StartEngine();
    devengine::TriggerSourceChange(TabViewIds()[0], L"a");
    devengine::TriggerSourceChange(TabViewIds()[0], L"b");
    Settle();
    Click(ID_HISTORY);

    const auto& boxes = MessageBoxAnswerer::Seen();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"History");
    EXPECT_EQ(boxes[0].text, L"No history.");
    EXPECT_EQ(boxes[0].owner, g_hMainWnd);
    // The box shows the text's line feeds as line breaks; compare the entries.
    EXPECT_EQ(HistoryText(g_history), L"a\nb\n");
    EXPECT_NE(boxes[1].text.find(L"a"), std::wstring::npos);
    EXPECT_NE(boxes[1].text.find(L"b"), std::wstring::npos);
}

TEST_F(PageEvents, OnlyTheCurrentNewTabPageMayFocusTheAddressBar) {
    StartEngine();
    OpenTabs(1);
    const std::vector<int> views = TabViewIds();
    const HWND page = devengine::GetView(views[1]).pageWindow;
    SetFocus(page);

    for (const wchar_t* ignored : {L"focus_url ", L"FOCUS_URL", L""}) {
        devengine::TriggerWebMessage(views[1], ignored);
        Settle();
        EXPECT_EQ(GetFocus(), page) << ignored;
    }
    devengine::TriggerNonStringWebMessage(views[1]);
    // A background tab, even on the New Tab page, and the current tab on any other page.
    devengine::TriggerWebMessage(views[0], L"focus_url");
    Settle();
    EXPECT_EQ(GetFocus(), page);
    PressEnterInAddressBar(L"https://evil.example/#data:text/html");
    SetFocus(page);
    devengine::TriggerWebMessage(views[1], L"focus_url");
    Settle();
    EXPECT_EQ(GetFocus(), page);

    PressEnterInAddressBar(L"browser://newtab");
    devengine::TriggerWebMessage(views[1], L"focus_url");
    Settle();
    EXPECT_EQ(GetFocus(), g_hAddressBar);
    DWORD start = 1, end = 0;
    SendMessageW(g_hAddressBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(lstrlenW(L"browser://newtab")));
}

TEST_F(PageEvents, ClickingTheSearchBoxOfTheNewTabPageFocusesTheAddressBar) {
    StartEngine();
    SetFocus(g_hMainWnd);
    ASSERT_TRUE(devengine::ClickPage(TabViewIds()[0], true));
    Settle();
    EXPECT_EQ(GetFocus(), g_hAddressBar);
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
}

TEST_F(PageEvents, EnterNavigatesTheCurrentTab) {
    StartEngine();
    OpenTabs(1);
    const std::vector<int> views = TabViewIds();

    PressEnterInAddressBar(L"hello world");
    PressEnterInAddressBar(L"example.com");
    PressEnterInAddressBar(L"1 + 1");
    PressEnterInAddressBar(L"");
    EXPECT_EQ(Calls(views[1], L"Navigate "),
              (std::vector<std::wstring>{L"Navigate " + kSearch + L"hello+world", L"Navigate https://example.com",
                                         L"Navigate " + kSearch + L"1+%2B+1"}));
    EXPECT_TRUE(Calls(views[0], L"Navigate ").empty());
    EXPECT_EQ(AddressBarText(), L"") << "no carriage return was inserted";

    const size_t pages = Calls(views[1], L"NavigateToString").size();
    PressEnterInAddressBar(L"browser://newtab");
    EXPECT_EQ(Calls(views[1], L"NavigateToString").size(), pages + 1);
    EXPECT_EQ(devengine::GetView(views[1]).html, NewTabPageHtml);
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
}

TEST_F(PageEvents, EnterReadsAtMost2047Units) {
    StartEngine();
    PressEnterInAddressBar(std::wstring(2047, L'x') + L" tail.com");
    EXPECT_EQ(Calls(TabViewIds()[0], L"Navigate "),
              std::vector<std::wstring>{L"Navigate " + kSearch + std::wstring(2047, L'x')});
}

TEST_F(PageEvents, EnterBeforeTheFirstTabDoesNothing) {
    PressEnterInAddressBar(L"example.com");
    PressEnterInAddressBar(L"browser://newtab");
    EXPECT_TRUE(devengine::EngineLog().empty());
    EXPECT_EQ(g_currentTab, -1);
}

TEST_F(PageEvents, NavigationButtonsActOnTheCurrentTabOnly) {
    Click(ID_BACK);
    Click(ID_NEXT);
    Click(ID_RELOAD);
    EXPECT_TRUE(devengine::EngineLog().empty());

    StartEngine();
    OpenTabs(1);
    const std::vector<int> views = TabViewIds();
    PressEnterInAddressBar(L"a.example");
    PressEnterInAddressBar(L"b.example");
    Click(ID_BACK);
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://a.example");
    Click(ID_NEXT);
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://b.example");
    Click(ID_RELOAD);
    Settle();
    EXPECT_EQ(Calls(views[1], L"GoBack").size(), 1u);
    EXPECT_EQ(Calls(views[1], L"GoForward").size(), 1u);
    EXPECT_EQ(Calls(views[1], L"Reload").size(), 1u);
    EXPECT_TRUE(Calls(views[0], L"GoBack").empty());
    EXPECT_EQ(g_history, (std::vector<std::wstring>{L"https://a.example", L"https://b.example",
                                                    L"https://a.example", L"https://b.example"}));
}

}  // namespace
