// Reference balance at exit: after a busy session, with failures, closed
// tabs and requests still pending when the window closes, the program ends
// as start-up does (the loop ends, then the engine references go) and the
// engine has released each handler object exactly as often as it took it,
// every engine object is gone, and nothing the session allocated outlives it.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/History.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/Startup.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Objects allocated with operator new and not yet deleted, in the whole test
// program: handler objects, tabs, strings.
std::atomic<long long> g_liveAllocations{0};

}  // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    ++g_liveAllocations;
    return block;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete(void* block) noexcept {
    if (block == nullptr) return;
    --g_liveAllocations;
    std::free(block);
}
void operator delete[](void* block) noexcept { ::operator delete(block); }
void operator delete(void* block, std::size_t) noexcept { ::operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { ::operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { ::operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { ::operator delete(block); }

namespace {

class ReferenceBalance : public ReliabilityFixture {
protected:
    // Tabs, navigations, every kind of page event, every engine failure, tabs
    // closed by "X" and by Ctrl+W from the page, then the window closed with
    // tab requests still pending, through the program's own message loop.
    void BusySession() {
        StartEngine();
        OpenTabs(5);
        PressEnterInAddressBar(L"a.example");
        PressEnterInAddressBar(L"hello world");
        PressEnterInAddressBar(L"browser://newtab");
        for (int id : {ID_BACK, ID_NEXT, ID_RELOAD}) Click(id);
        Settle();
        for (int view : TabViewIds()) {
            devengine::TriggerTitleChange(view, L"Title");
            devengine::TriggerSourceChange(view, L"https://b.example/");
            devengine::TriggerWebMessage(view, L"focus_url");
            devengine::TriggerNonStringWebMessage(view);
        }
        Settle();

        devengine::Knobs& knobs = devengine::GetKnobs();
        knobs.nullController = true;
        OpenTabs(1);
        knobs.nullController = false;
        knobs.controllerResult = E_ABORT;
        OpenTabs(1);
        knobs.controllerResult = S_OK;
        knobs.nullCoreWebView2 = true;
        OpenTabs(1);
        knobs.nullCoreWebView2 = false;
        knobs.coreWebView2Result = E_FAIL;
        OpenTabs(1);
        knobs.coreWebView2Result = S_OK;
        knobs.sourceResult = E_FAIL;
        knobs.titleResult = E_FAIL;
        knobs.nonStringMessages = true;
        const int first = TabViewIds()[0];
        devengine::TriggerSourceChange(first, L"https://c.example/");
        devengine::TriggerTitleChange(first, L"Lost");
        devengine::TriggerWebMessage(first, L"focus_url");
        SelectTab(0);
        Settle();
        devengine::ResetKnobs();
        knobs.nullSource = true;
        knobs.nullTitle = true;
        devengine::TriggerSourceChange(first, L"https://d.example/");
        devengine::TriggerTitleChange(first, L"Lost too");
        SelectTab(1);
        Settle();
        devengine::ResetKnobs();

        Click(ID_CLOSE_TAB);
        devengine::TriggerAcceleratorKey(TabViewIds()[g_currentTab], COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W', true);
        Settle();
        EXPECT_EQ(g_tabs.size(), 4u);

        // The window closes as its close box does, with two tabs still asked for.
        Click(ID_NEW_TAB);
        Click(ID_NEW_TAB);
        PostMessageW(g_hMainWnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(RunMessageLoop(), 0);
        EXPECT_FALSE(IsWindow(g_hMainWnd));
    }
};

TEST_F(ReferenceBalance, ABusySessionReleasesEveryReferenceAndEveryObject) {
    const long addRefs = devengine::HandlerAddRefCount();
    const long releases = devengine::HandlerReleaseCount();
    BusySession();
    ExpectReferencesBalanced();
    EXPECT_GT(devengine::HandlerAddRefCount() - addRefs, 40) << "the session handed the engine its handlers";
    EXPECT_EQ(devengine::HandlerReleaseCount() - releases, devengine::HandlerAddRefCount() - addRefs);

    // The same session again, measured: what the first one left for good (the
    // lists' capacity, the engine's first-use state) is there already.
    RestartBrowser();
    const long long before = g_liveAllocations;
    BusySession();
    ExpectReferencesBalanced();
    devengine::Reset();  // the engine's records of its views and calls
    // What the browser keeps by design: the history and the closed tabs' addresses.
    g_history.clear();
    g_closedTabs.clear();
    EXPECT_EQ(g_liveAllocations - before, 0) << "objects the session allocated and never freed";
}

}  // namespace
