// The benchmarks that run the browser inside this process:
//
//   velquin_inprocess_bench tabs      tab operations at 10, 100 and 500 tabs
//   velquin_inprocess_bench history   100,000 source changes and the History text
//   velquin_inprocess_bench memory    the browser's and the stand-in engine's memory
//   velquin_inprocess_bench suggestions  the address bar's suggestions with 1,000,000 History entries
//
// Each prints rows of the result table (see BenchSupport.h). "memory-run
// browser|engine" is one measured process of "memory".
#include "bench/BenchSupport.h"

#include <string>

int RunTabsBench();
int RunHistoryBench();
int RunMemoryShareBench();
int RunSuggestionsBench();
int RunMemoryChild(const std::string& kind);

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "tabs") return RunTabsBench();
    if (mode == "history") return RunHistoryBench();
    if (mode == "memory") return RunMemoryShareBench();
    if (mode == "suggestions") return RunSuggestionsBench();
    if (mode == "memory-run" && argc > 2) return RunMemoryChild(argv[2]);
    Note("usage: velquin_inprocess_bench tabs|history|memory|suggestions");
    return 2;
}
