#include "bench/BenchSupport.h"

#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

std::string FormatList(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

Summary Summarize(std::vector<double> samples) {
    Summary summary;
    if (samples.empty()) return summary;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    summary.median = samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    summary.min = samples.front();
    summary.max = samples.back();
    return summary;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatList(format, args);
    va_end(args);
    return text;
}

std::string Count(size_t count) {
    std::string digits = std::to_string(count);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

std::string Duration(double ms) {
    if (ms < 1.0) return Format("%.0f us", ms * 1000.0);
    if (ms < 10.0) return Format("%.2f ms", ms);
    if (ms < 1000.0) return Format("%.1f ms", ms);
    return Format("%.2f s", ms / 1000.0);
}

std::string DurationRange(const Summary& summary) { return Duration(summary.min) + " - " + Duration(summary.max); }

std::string Bytes(double bytes) {
    const double size = bytes < 0 ? -bytes : bytes;
    if (size < 1024.0) return Format("%.0f bytes", bytes);
    if (size < 1024.0 * 1024.0) return Format("%.0f KiB", bytes / 1024.0);
    return Format("%.1f MiB", bytes / (1024.0 * 1024.0));
}

std::string BytesRange(const Summary& summary) { return Bytes(summary.min) + " - " + Bytes(summary.max); }

std::string Factor(double factor) { return Format("%.2fx", factor); }

std::string Goal(const std::string& goal, bool met) { return goal + (met ? ": met" : ": NOT met"); }

void PrintRow(const std::string& area, const std::string& figure, const std::string& value, const std::string& range,
              const std::string& goal) {
    printf("| %s | %s | %s | %s | %s |\n", area.c_str(), figure.c_str(), value.c_str(), range.c_str(), goal.c_str());
    fflush(stdout);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path);
    return program.substr(0, program.find_last_of(L"\\/"));
}

void Note(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = FormatList(format, args);
    va_end(args);
    fprintf(stderr, "%s\n", text.c_str());
    fflush(stderr);
}

double PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        return 0;
    }
    // Windows reports the commit charge in both fields; Wine 8 leaves
    // PrivateUsage at 0 and reports the process's anonymous resident memory as
    // PagefileUsage.
    return static_cast<double>(counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage);
}
