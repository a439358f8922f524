// The history at scale: recording 100,000 source changes of the current tab,
// and building the History report's text of the first 10,000, 50,000 and
// 100,000 of them. Both must grow linearly: a constant cost per entry.
//
// The stand-in engine fires the source changes as events (a new address within
// the page each time), in batches of 1,000. The tab is wired by hand so that
// the only handler of its source changes is a timed call of the browser's
// OnSourceChanged: the figures are the browser's own work (address bar and
// history), apart from the engine's delivery, which is shown on its own row.
// Recording grows linearly when a change costs the same however long the
// history is: in the second half, every tenth batch is followed at once by a
// batch recorded into an empty history, and the two are compared.
#include "bench/BenchSupport.h"
#include "bench/InProcessBrowser.h"
#include "core/History.h"
#include "core/SourceChanges.h"
#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "devengine/DevEngine.h"
#include "engine/Handler.h"

#include <string>
#include <utility>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

const size_t kCheckpoints[] = {10000, 50000, 100000};
const size_t kChangesPerBatch = 1000;
const size_t kBatchesPerComparison = 10;
const int kTextRuns = 11;
// A change may cost at most this much more with a long history than with none.
const double kFlatPerChange = 1.5;
// Linear growth from 10,000 to 100,000 entries is 10x. Allowed: twice that,
// for caches that 100,000 entries outgrow; quadratic growth would be 100x.
const double kLinearGrowth = 20.0;

double g_browserMs = 0;

// A tab as tab creation makes it, with a timed OnSourceChanged as its only handler.
void OpenTimedTab() {
    BrowserTab tab;
    const auto keep = [&tab](HRESULT, ICoreWebView2Controller* controller) {
        tab.controller = controller;
        return S_OK;
    };
    const auto timed = [](ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) {
        const double start = NowMs();
        const HRESULT result = OnSourceChanged(sender, args);
        g_browserMs += NowMs() - start;
        return result;
    };
    const ComPtr<ICoreWebView2Environment> environment = RequestEnvironment();
    if (environment) {
        environment->CreateCoreWebView2Controller(
            g_hMainWnd, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(keep).Get());
        Settle();
    }
    if (!tab.controller || FAILED(tab.controller->get_CoreWebView2(&tab.webview)) || !tab.webview) {
        Note("the engine made no tab");
        exit(1);
    }
    tab.webview->add_SourceChanged(MakeHandler<ICoreWebView2SourceChangedEventHandler>(timed).Get(), nullptr);
    g_tabs.push_back(tab);
    SwitchToTab(0);
}

struct Batch {
    double browserMs;    // in OnSourceChanged
    double deliveredMs;  // the whole batch, engine included
};

// Fires kChangesPerBatch source changes, addresses numbered from `first`, and
// delivers them.
Batch RecordBatch(int viewId, size_t first) {
    const double browserBefore = g_browserMs;
    const double start = NowMs();
    for (size_t i = 0; i < kChangesPerBatch; ++i) {
        devengine::TriggerSourceChange(viewId, L"https://www.example.com/articles/" + std::to_wstring(first + i));
    }
    Settle();
    return Batch{g_browserMs - browserBefore, NowMs() - start};
}

// The same batch recorded into an empty history (and index), which is then dropped.
Batch RecordBatchWithoutHistory(int viewId, size_t first) {
    std::vector<std::wstring> kept;
    AddressIndex keptIndex;
    kept.swap(g_history);
    std::swap(keptIndex, g_historyIndex);
    const Batch batch = RecordBatch(viewId, first);
    g_history.swap(kept);
    std::swap(keptIndex, g_historyIndex);
    return batch;
}

// The goal cell for a growth from 10,000 entries.
std::string GrowthGoal(double growth) {
    return Goal("linear (" + Factor(growth) + " from 10,000; <= 20x)", growth <= kLinearGrowth);
}

// What the address bar's own update costs: the first `count` addresses put
// into it one after another, as OnSourceChanged does.
double TimeAddressBarUpdates(size_t count) {
    const double start = NowMs();
    for (size_t i = 0; i < count; ++i) SetWindowTextW(g_hAddressBar, g_history[i].c_str());
    return NowMs() - start;
}

// HistoryText of the first 10,000, 50,000 and 100,000 entries, the sizes
// taken in turn, kTextRuns times each, so that a machine that slows down for a
// while slows all of them alike.
std::vector<Summary> TimeHistoryTexts() {
    std::vector<std::vector<std::wstring>> histories;
    for (size_t size : kCheckpoints) histories.emplace_back(g_history.begin(), g_history.begin() + size);
    std::vector<std::vector<double>> runs(histories.size());
    size_t length = 0;
    for (int run = 0; run < kTextRuns; ++run) {
        for (size_t i = 0; i < histories.size(); ++i) {
            const double start = NowMs();
            length += HistoryText(histories[i]).size();
            runs[i].push_back(NowMs() - start);
        }
    }
    if (length == 0) Note("empty history text");
    std::vector<Summary> summaries;
    for (const std::vector<double>& samples : runs) summaries.push_back(Summarize(samples));
    return summaries;
}

}  // namespace

int RunHistoryBench() {
    PrepareUiThread();
    OpenBrowserWindow();
    OpenTimedTab();
    const int viewId = devengine::ViewIdOf(g_tabs[0].webview.Get());

    std::vector<double> recordMs;  // up to each checkpoint
    std::vector<double> longToEmpty;
    double browserMs = 0;
    double deliveredMs = 0;
    size_t changes = 0;
    for (size_t checkpoint : kCheckpoints) {
        while (changes < checkpoint) {
            const Batch batch = RecordBatch(viewId, changes);
            changes += kChangesPerBatch;
            browserMs += batch.browserMs;
            deliveredMs += batch.deliveredMs;
            if (changes > kCheckpoints[2] / 2 && changes % (kBatchesPerComparison * kChangesPerBatch) == 0) {
                longToEmpty.push_back(batch.browserMs / RecordBatchWithoutHistory(viewId, changes).browserMs);
            }
        }
        if (g_history.size() != checkpoint) {
            Note("the history holds %zu entries, not %zu", g_history.size(), checkpoint);
            return 1;
        }
        recordMs.push_back(browserMs);
    }
    const std::vector<Summary> texts = TimeHistoryTexts();

    const double addressBarMs = TimeAddressBarUpdates(kCheckpoints[0]);
    for (size_t i = 0; i < recordMs.size(); ++i) {
        PrintRow("History", "record " + Count(kCheckpoints[i]) + " source changes (OnSourceChanged)",
                 Duration(recordMs[i]) + " (" + Duration(recordMs[i] / kCheckpoints[i]) + " each)");
    }
    const Summary perChange = Summarize(longToEmpty);
    PrintRow("History",
             Format("a change with about 60,000 to 100,000 entries / with none (median of %zu pairs of batches)",
                    longToEmpty.size()),
             Factor(perChange.median), Factor(perChange.min) + " - " + Factor(perChange.max),
             Goal("linear: the same cost per change (<= 1.5x)", perChange.median <= kFlatPerChange));
    PrintRow("History",
             "the address bar's SetWindowTextW alone (part of each change), " + Count(kCheckpoints[0]) + " times",
             Duration(addressBarMs) + " (" + Duration(addressBarMs / kCheckpoints[0]) + " each)");
    PrintRow("History", "the same " + Count(kCheckpoints[2]) + " changes delivered by the stand-in engine, whole",
             Duration(deliveredMs));
    for (size_t i = 0; i < texts.size(); ++i) {
        PrintRow("History",
                 "HistoryText of the first " + Count(kCheckpoints[i]) + Format(" entries (median of %d)", kTextRuns),
                 Duration(texts[i].median), DurationRange(texts[i]),
                 i + 1 == texts.size() ? GrowthGoal(texts[i].median / texts[0].median) : "");
    }

    CloseBrowser();
    return 0;
}
