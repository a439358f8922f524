// Loading: the Reload button reads "Stop" while the current tab loads and a
// click then stops it; F5 and Ctrl+R always reload; a tab whose page process
// exits is no longer loading.
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

using Loading = BrowserFixture;

std::wstring ReloadButtonText() {
    wchar_t text[32] = {};
    GetWindowTextW(GetDlgItem(g_hMainWnd, ID_RELOAD), text, 32);
    return text;
}

TEST_F(Loading, TheButtonReadsStopWhileTheCurrentTabLoadsAndAClickStopsIt) {
    StartEngine();
    OpenTabs(1);
    const std::vector<int> views = TabViewIds();
    EXPECT_EQ(ReloadButtonText(), L"Reload");

    devengine::GetKnobs().holdNavigations = true;
    PressEnterInAddressBar(L"https://slow.test/");
    EXPECT_EQ(ReloadButtonText(), L"Stop");
    // A switch shows the other tab's state at once, and back.
    SelectTab(0);
    EXPECT_EQ(ReloadButtonText(), L"Reload");
    SelectTab(1);
    EXPECT_EQ(ReloadButtonText(), L"Stop");

    // F5 and Ctrl+R still reload; a click stops.
    ASSERT_TRUE(devengine::TriggerAcceleratorKey(views[1], COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, VK_F5));
    ASSERT_TRUE(devengine::TriggerAcceleratorKey(views[1], COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'R', true));
    Settle();
    EXPECT_EQ(Calls(views[1], L"Reload").size(), 2u);
    EXPECT_EQ(ReloadButtonText(), L"Stop");
    Click(ID_RELOAD);
    EXPECT_EQ(Calls(views[1], L"Stop").size(), 1u);
    Settle();
    EXPECT_EQ(ReloadButtonText(), L"Reload");
    EXPECT_EQ(AddressBarText(), L"browser://newtab") << "the stopped page never came";

    // A background tab's loading leaves the button alone.
    ASSERT_EQ(devengine::GetWebView(views[0])->Navigate(L"https://other.test/"), S_OK);
    Settle();
    EXPECT_EQ(ReloadButtonText(), L"Reload");

    // A slow page that arrives ends the loading too; then a click reloads.
    PressEnterInAddressBar(L"https://slow.test/");
    ASSERT_EQ(ReloadButtonText(), L"Stop");
    ASSERT_TRUE(devengine::ReleaseNavigation(views[1]));
    Settle();
    EXPECT_EQ(ReloadButtonText(), L"Reload");
    EXPECT_EQ(AddressBarText(), L"https://slow.test/");
    devengine::GetKnobs().holdNavigations = false;
    Click(ID_RELOAD);
    EXPECT_EQ(Calls(views[1], L"Reload").size(), 3u);
}

TEST_F(Loading, AReplacedNavigationThatEndsLateLeavesTheLatestOneLoading) {
    StartEngine();
    const int view = TabViewIds()[0];
    devengine::GetKnobs().holdNavigations = true;
    devengine::GetKnobs().lateReplacedCompletion = true;
    PressEnterInAddressBar(L"https://first.test/");
    Settle();
    // The first navigation's completion comes after the second one's start.
    PressEnterInAddressBar(L"https://second.test/");
    Settle();
    EXPECT_EQ(ReloadButtonText(), L"Stop");
    ASSERT_TRUE(devengine::ReleaseNavigation(view));
    Settle();
    EXPECT_EQ(ReloadButtonText(), L"Reload");
    EXPECT_EQ(AddressBarText(), L"https://second.test/");
}

TEST_F(Loading, APageWhoseProcessExitsIsNoLongerLoading) {
    StartEngine();
    const int view = TabViewIds()[0];
    PressEnterInAddressBar(L"https://crash.test/");
    devengine::GetKnobs().holdNavigations = true;
    Click(ID_RELOAD);
    Settle();
    ASSERT_EQ(ReloadButtonText(), L"Stop");
    // The first exit reloads the page, which loads again; the second, soon
    // after, is left alone, and nothing will complete its navigation.
    for (const wchar_t* after : {L"Stop", L"Reload"}) {
        ASSERT_TRUE(devengine::TriggerProcessFailure(view, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED));
        Settle();
        EXPECT_EQ(ReloadButtonText(), after);
    }
    EXPECT_EQ(Calls(view, L"Reload").size(), 2u);
}

}  // namespace
