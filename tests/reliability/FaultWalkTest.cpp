// Engine faults mixed with ordinary use: a seeded random walk over "+", "X",
// tab selection, Back, Next, Reload, Enter with odd text, page events on open
// and closed views, Ctrl+W from the page and the engine's failure knobs turned
// on and off. After every step the tab list must match a model of the tabs and
// agree with the strip and the visible page, and the captions must match what
// the engine delivered; every hundred steps the history too.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/CommandIds.h"
#include "core/History.h"
#include "core/SourceChanges.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>
#include <wrl/client.h>

#include <cwchar>
#include <map>

namespace {

using Microsoft::WRL::ComPtr;

// How the engine environment request ends.
// Started and StartedAgain walk a started engine with different seeds: two
// walks of 1500 steps, each within a test case's time budget.
enum class EngineStart { Started, CompletionFails, NoEnvironment, RequestFails, StartedAgain };

struct Knob {
    const wchar_t* name;
    const wchar_t* failure;  // the value that turns it on
};

// Every failure the browser can meet after start-up.
const Knob kKnobs[] = {
    {L"source_result", L"0x8007139F"},      {L"null_source", L"1"},
    {L"title_result", L"0x80004005"},       {L"null_title", L"1"},
    {L"controller_result", L"0x80070578"},  {L"null_controller", L"1"},
    {L"corewebview2_result", L"0x80004004"}, {L"null_corewebview2", L"1"},
    {L"nonstring_messages", L"1"},
};

// Pieces of typed text, titles and sources, chosen to meet the rules' edges.
const wchar_t* const kPieces[] = {
    L"",      L"browser://newtab", L"a.b", L"hello world", L"://", L".", L" ", L"%", L"+", L"&", L"#",
    L"%zz",   L"data:text/html",   L"\xD800", L"\xDC00", L"\xD83D\xDE00", L"\x05D0\x05D1", L"\x202E",
    L"\t\x01", L"q=1&r=2",         L"ftp://h/a b", L"localhost:8080", L"about:blank",
};

enum class Action {
    NewTab, CloseTab, Select, Back, Next, Reload, Enter, Title, Source, Message, CtrlW, FlipKnob, KnobsOff, Count
};
const wchar_t* const kActionNames[] = {L"+",      L"X",       L"select",  L"Back",   L"Next",
                                       L"Reload", L"Enter",   L"title",   L"source", L"message",
                                       L"Ctrl+W", L"knob",    L"knobs off"};

class FaultWalk : public ReliabilityFixture, public ::testing::WithParamInterface<EngineStart> {
protected:
    // The engine as the walk begins: the first tab open, or no environment.
    void Begin(uint32_t seed) {
        random_ = Random(seed);
        HideMainWindow();
        started_ = GetParam() == EngineStart::Started || GetParam() == EngineStart::StartedAgain;
        if (started_) {
            StartEngine();
            tabs_ = {1};
            current_ = 0;
            lastViewId_ = 1;
            webViews_.push_back(devengine::GetWebView(1));
            return;
        }
        devengine::Knobs& knobs = devengine::GetKnobs();
        knobs.createResult = GetParam() == EngineStart::RequestFails ? E_ACCESSDENIED : S_OK;
        knobs.environmentResult = GetParam() == EngineStart::CompletionFails ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
                                                                             : S_OK;
        knobs.nullEnvironment = GetParam() == EngineStart::NoEnvironment;
        const HRESULT request = RequestBrowserEnvironment();
        EXPECT_EQ(request, GetParam() == EngineStart::RequestFails ? E_ACCESSDENIED : S_OK);
        // The engine stays broken: each "+" is one more attempt to start it, which fails again.
        Settle();
    }

    void TearDown() override {
        webViews_.clear();
        ReliabilityFixture::TearDown();
    }

    void Run(int steps) {
        for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step) {
            const Action action = Choose();
            SCOPED_TRACE(::testing::Message() << "step " << step << ": " << kActionNames[static_cast<int>(action)]);
            Do(action);
            ExpectModel();
            ExpectEventsApplied(step % 100 == 99, step % 100 == 99);
        }
        ExpectEventsApplied(true);
    }

    uint32_t Below(size_t bound) { return random_.Below(bound); }

    Action Choose() {
        // Weights keep the tab count moving between one and a dozen or so.
        const unsigned newTab = tabs_.size() < 4 ? 14 : tabs_.size() > 12 ? 2 : 8;
        const unsigned weights[] = {newTab, 6, 8, 3, 3, 2, 8, 8, 8, 4, 3, 8, 1};
        unsigned total = 0;
        for (unsigned weight : weights) total += weight;
        unsigned pick = Below(total);
        for (int i = 0; i < static_cast<int>(Action::Count); ++i) {
            if (pick < weights[i]) return static_cast<Action>(i);
            pick -= weights[i];
        }
        return Action::Reload;
    }

    std::wstring RandomText(size_t maxPieces) {
        std::wstring text;
        for (size_t n = Below(maxPieces + 1); n > 0; --n) text += kPieces[Below(std::size(kPieces))];
        return text;
    }

    std::wstring RandomTitle() {
        switch (Below(6)) {
            case 0: return std::wstring(100, L't');
            case 1: return std::wstring(101, L't');
            case 2: return L"data:text/html;base64,PHA+";
            default: return RandomText(4);
        }
    }

    bool On(const wchar_t* knob) const {
        const auto it = knobs_.find(knob);
        return it != knobs_.end() && it->second;
    }
    bool SourceReadable() const { return !On(L"source_result") && !On(L"null_source"); }

    void SetKnob(const Knob& knob, bool on) {
        ASSERT_TRUE(devengine::SetKnob(knob.name, on ? knob.failure : L"0"));
        knobs_[knob.name] = on;
    }

    // Mostly an open tab's view, sometimes any view ever made, closed ones
    // included; 0 before the first.
    int EventView() {
        if (!tabs_.empty() && Below(4) != 0) return tabs_[Below(tabs_.size())];
        return lastViewId_ == 0 ? 0 : static_cast<int>(Below(lastViewId_)) + 1;
    }

    void CloseCurrentInModel() {
        if (tabs_.size() < 2) return;
        tabs_.erase(tabs_.begin() + current_);
        if (current_ >= static_cast<int>(tabs_.size())) current_ = static_cast<int>(tabs_.size()) - 1;
        switched_ = true;
    }

    void Do(Action action) {
        switched_ = false;
        focusAsked_ = false;
        opened_ = 0;
        switch (action) {
            case Action::NewTab: {
                Click(ID_NEW_TAB);
                if (!started_ || On(L"controller_result") || On(L"null_controller")) break;
                const int view = ++lastViewId_;
                if (On(L"corewebview2_result") || On(L"null_corewebview2")) break;
                tabs_.push_back(view);
                opened_ = view;
                current_ = static_cast<int>(tabs_.size()) - 1;
                switched_ = true;
                break;
            }
            case Action::CloseTab:
                Click(ID_CLOSE_TAB);
                CloseCurrentInModel();
                break;
            case Action::Select:
                if (tabs_.empty()) break;
                current_ = static_cast<int>(Below(tabs_.size()));
                SelectTab(current_);
                switched_ = true;
                break;
            case Action::Back: Click(ID_BACK); break;
            case Action::Next: Click(ID_NEXT); break;
            case Action::Reload: Click(ID_RELOAD); break;
            case Action::Enter:
                SetWindowTextW(g_hAddressBar, RandomText(4).c_str());
                SendEnterToAddressBar();
                break;
            case Action::Title: {
                const int view = EventView();
                const std::wstring title = RandomTitle();
                if (view != 0 && !devengine::TriggerTitleChange(view, title)) SendToClosedView(view, false);
                break;
            }
            case Action::Source: {
                const int view = EventView();
                const std::wstring source = L"https://s" + std::to_wstring(Below(50)) + L".example/" + RandomText(3);
                if (view != 0 && !devengine::TriggerSourceChange(view, source)) SendToClosedView(view, true);
                break;
            }
            case Action::Message: {
                const int view = EventView();
                if (view == 0) break;
                if (Below(4) == 0) {
                    devengine::TriggerNonStringWebMessage(view);
                } else {
                    const wchar_t* texts[] = {L"focus_url", L"focus_url ", L"FOCUS_URL", L""};
                    const wchar_t* text = texts[Below(std::size(texts))];
                    SetFocus(g_hMainWnd);
                    // Only the current tab's New Tab page may ask, and only
                    // while the engine can tell that it shows it.
                    const bool fromCurrentNewTabPage = !tabs_.empty() && view == tabs_[current_] &&
                                                       IsNewTabPageSource(devengine::GetView(view).source) &&
                                                       !On(L"source_result") && !On(L"null_source");
                    focusAsked_ = devengine::TriggerWebMessage(view, text) && std::wcscmp(text, L"focus_url") == 0 &&
                                  !On(L"nonstring_messages") && fromCurrentNewTabPage;
                }
                break;
            }
            case Action::CtrlW:
                // From any open tab's page; the current tab is the one that closes.
                if (tabs_.empty()) break;
                ASSERT_TRUE(devengine::TriggerAcceleratorKey(tabs_[Below(tabs_.size())],
                                                             COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, 'W', true));
                CloseCurrentInModel();
                break;
            case Action::FlipKnob: {
                const Knob& knob = kKnobs[Below(std::size(kKnobs))];
                // Off more readily than on, so that most of the walk meets some but not all faults.
                if (On(knob.name)) {
                    SetKnob(knob, false);
                } else if (Below(4) == 0) {
                    SetKnob(knob, true);
                }
                break;
            }
            case Action::KnobsOff:
                for (const Knob& knob : kKnobs) SetKnob(knob, false);
                break;
            case Action::Count:
                break;
        }
        ASSERT_TRUE(devengine::RunPending());
        if (opened_ != 0) webViews_.push_back(devengine::GetWebView(opened_));
    }

    // Hands an event from a view whose tab was closed straight to the
    // browser's handler, as an engine that delivered it late would.
    void SendToClosedView(int view, bool source) {
        const ComPtr<ICoreWebView2> webView = devengine::GetWebView(view);
        if (!webView) return;
        if (source) {
            EXPECT_EQ(OnSourceChanged(webView.Get(), nullptr), S_OK);
        } else {
            EXPECT_EQ(OnDocumentTitleChanged(webView.Get(), nullptr), S_OK);
        }
    }

    void ExpectModel() {
        EXPECT_EQ(static_cast<int>(devengine::ViewIds().size()), lastViewId_);
        if (tabs_.empty()) {
            EXPECT_TRUE(g_tabs.empty());
            EXPECT_EQ(g_currentTab, -1);
            EXPECT_EQ(SendMessageW(g_hTabCtrl, TCM_GETITEMCOUNT, 0, 0), 0);
            EXPECT_TRUE(VisibleViewIds().empty());
            return;
        }
        ExpectConsistent();
        EXPECT_EQ(TabViewIds(), tabs_);
        EXPECT_EQ(g_currentTab, current_);
        if (switched_ && SourceReadable()) {
            EXPECT_EQ(AddressBarText(), AddressForDisplay(devengine::GetView(tabs_[current_]).source));
        }
        if (focusAsked_) {
            EXPECT_EQ(GetFocus(), g_hAddressBar);
        }
    }

    // Replays the engine log since the last call: a delivered title change
    // sets its tab's caption and a delivered source change adds a history
    // entry, unless the engine could not tell the title or source then. The
    // captions are compared every time, the history when `history` is set.
    void ExpectEventsApplied(bool history, bool withCaptions = true) {
        for (const std::wstring& line : log_.NewLines()) {
            int view = 0;
            std::wstring text;
            if (line.compare(0, 5, L"knob ") == 0) {
                const size_t blank = line.find(L' ', 5);
                loggedKnobs_[line.substr(5, blank - 5)] = std::wcstoul(line.c_str() + blank + 1, nullptr, 0);
            } else if (ParseViewEvent(line, L"DocumentTitleChanged", &view, &text)) {
                if (!LoggedOn(L"title_result") && !LoggedOn(L"null_title")) captions_[view] = CaptionForTitle(text);
            } else if (ParseViewEvent(line, L"SourceChanged", &view, &text)) {
                if (!LoggedOn(L"source_result") && !LoggedOn(L"null_source") && !IsNewTabPageSource(text)) {
                    history_.push_back(text);
                }
            }
        }
        std::vector<std::wstring> captions;
        for (int view : tabs_) captions.push_back(captions_.count(view) ? captions_[view] : L"New Tab");
        if (withCaptions) {
            EXPECT_EQ(TabCaptions(), captions);
        }
        if (history) {
            EXPECT_EQ(g_history, history_);
        }
    }

    bool LoggedOn(const wchar_t* knob) {
        const auto it = loggedKnobs_.find(knob);
        return it != loggedKnobs_.end() && it->second != 0;
    }

    Random random_;
    bool started_ = false;
    // The model: view ids of the tabs in strip order, and the current index.
    std::vector<int> tabs_;
    int current_ = -1;
    int lastViewId_ = 0;
    std::map<std::wstring, bool> knobs_;
    // What the step did: made another tab current, asked for the address
    // bar's focus, opened a tab (its view id).
    bool switched_ = false;
    bool focusAsked_ = false;
    int opened_ = 0;
    // Every tab's web view stays reachable after its tab closes.
    std::vector<ComPtr<ICoreWebView2>> webViews_;

    EngineLogFollower log_;
    std::map<std::wstring, unsigned long> loggedKnobs_;
    std::map<int, std::wstring> captions_;
    std::vector<std::wstring> history_;
};

TEST_P(FaultWalk, KeepsTabsStripAndHistoryInStep) {
    MessageBoxAnswerer answerer;  // for the report of an engine that cannot start
    const uint32_t seed = TestSeed(0x5EED0000u + static_cast<uint32_t>(GetParam()));
    SCOPED_TRACE(::testing::Message() << "seed " << seed << " (VELQUIN_RELIABILITY_SEED repeats a walk)");
    Begin(seed);
    Run(started_ ? 1500 : 300);
    if (!started_) {
        for (const std::wstring& line : devengine::EngineLog()) {
            EXPECT_EQ(line.find(L"CreateCoreWebView2Controller"), std::wstring::npos) << "a tab asked of no engine";
        }
    }
}

const char* const kStartNames[] = {"Started", "CompletionFails", "NoEnvironment", "RequestFails", "StartedAgain"};

void PrintTo(EngineStart start, std::ostream* out) { *out << kStartNames[static_cast<int>(start)]; }

std::string StartName(const ::testing::TestParamInfo<EngineStart>& info) {
    return kStartNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EngineStarts, FaultWalk,
                         ::testing::Values(EngineStart::Started, EngineStart::StartedAgain, EngineStart::CompletionFails,
                                           EngineStart::NoEnvironment, EngineStart::RequestFails),
                         StartName);

}  // namespace
