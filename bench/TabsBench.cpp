// Tab operations at scale: creating, switching and closing a tab with 10, 100
// and 500 tabs open, in this process on the real main window with the stand-in
// engine.
//
// At each size, one sample is a cycle that leaves the tab count as it was:
// "+" (a new tab at the end, made current, New Tab page shown), a click on a
// tab of the strip, then "X" on that tab. The clicked tab moves from the first
// to the last over the samples, so closing shifts anything from all tabs to
// none. Each step is timed until everything it caused has been delivered:
// engine completions and events, window messages and paints.
//
// Half the samples of each size are taken going up (10, 100, 500 tabs), half
// coming back down, so that a machine that slows down or speeds up meanwhile
// does not pass for growth.
#include "bench/BenchSupport.h"
#include "bench/InProcessBrowser.h"
#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <vector>

namespace {

const size_t kSizes[] = {10, 100, 500};
const int kSamples = 40;
const int kWarmUpCycles = 3;

// Creating and switching must not grow with the tab count; closing may grow
// with it, at most in proportion.
const double kFlatGrowth = 2.0;

struct Samples {
    std::vector<double> create;
    std::vector<double> select;
    std::vector<double> close;
};

template <typename Step>
double Timed(Step step) {
    const double start = NowMs();
    step();
    Settle();
    return NowMs() - start;
}

// Adds half of the samples at `size` tabs open: numbers `first`, `first` + 2,
// ... of kSamples, whose number places the clicked tab along the strip.
void MeasureAt(size_t size, int first, Samples& samples) {
    SetTabCount(size);
    for (int cycle = -kWarmUpCycles; cycle < kSamples / 2; ++cycle) {
        const int sample = cycle < 0 ? first : first + 2 * cycle;
        const int index = static_cast<int>(static_cast<size_t>(sample) * (size + 1) / kSamples);
        const double create = Timed([] { ClickButton(ID_NEW_TAB); });
        const double select = Timed([index] { SelectTab(index); });
        const double close = Timed([] { ClickButton(ID_CLOSE_TAB); });
        if (g_tabs.size() != size || g_currentTab != (index < static_cast<int>(size) ? index : index - 1)) {
            Note("tab count or current tab wrong after a cycle at %zu tabs", size);
            exit(1);
        }
        if (cycle < 0) continue;
        samples.create.push_back(create);
        samples.select.push_back(select);
        samples.close.push_back(close);
    }
}

void PrintOperation(const char* operation, size_t size, const std::vector<double>& samples) {
    const Summary summary = Summarize(samples);
    PrintRow("Tabs", Format("%s, %zu tabs open (median of %d)", operation, size, kSamples), Duration(summary.median),
             DurationRange(summary));
}

}  // namespace

int RunTabsBench() {
    PrepareUiThread();
    OpenBrowserWindow();
    StartBrowserEngine();

    const size_t sizes = sizeof(kSizes) / sizeof(kSizes[0]);
    std::vector<Samples> samples(sizes);
    for (size_t i = 0; i < sizes; ++i) {
        Note("tabs: %zu open, going up", kSizes[i]);
        MeasureAt(kSizes[i], 0, samples[i]);
    }
    for (size_t i = sizes; i-- > 0;) {
        Note("tabs: %zu open, coming down", kSizes[i]);
        MeasureAt(kSizes[i], 1, samples[i]);
    }

    std::vector<Summary> create, select, close;
    for (size_t i = 0; i < sizes; ++i) {
        PrintOperation("create (\"+\")", kSizes[i], samples[i].create);
        PrintOperation("switch (click on a tab)", kSizes[i], samples[i].select);
        PrintOperation("close (\"X\")", kSizes[i], samples[i].close);
        create.push_back(Summarize(samples[i].create));
        select.push_back(Summarize(samples[i].select));
        close.push_back(Summarize(samples[i].close));
    }

    const double createGrowth = create[2].median / create[0].median;
    const double selectGrowth = select[2].median / select[0].median;
    const double closeTo100 = close[1].median / close[0].median;
    const double closeTo500 = close[2].median / close[1].median;
    PrintRow("Tabs", "growth of create, 10 to 500 tabs (medians)", Factor(createGrowth), "",
             Goal("flat (<= 2x)", createGrowth <= kFlatGrowth));
    PrintRow("Tabs", "growth of switch, 10 to 500 tabs (medians)", Factor(selectGrowth), "",
             Goal("flat (<= 2x)", selectGrowth <= kFlatGrowth));
    PrintRow("Tabs", "growth of close, 10 to 100 / 100 to 500 tabs (medians)",
             Factor(closeTo100) + " / " + Factor(closeTo500), "",
             Goal("at most linear (<= 10x / <= 5x)", closeTo100 <= 10.0 && closeTo500 <= 5.0));

    CloseBrowser();
    return 0;
}
