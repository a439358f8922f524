// What every benchmark shares: a clock, summaries of samples, private memory
// and the rows of the result table.
//
// Each benchmark prints its figures as rows of one markdown table
// (| Area | Figure | Value | Range | Goal |); scripts/bench prints the header
// and the rows of all of them together. Everything else goes to stderr.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Milliseconds from an arbitrary start, read from the performance counter.
double NowMs();

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
};
// Median, smallest and largest sample; all zero for no samples.
Summary Summarize(std::vector<double> samples);

// snprintf into a string.
std::string Format(const char* format, ...);

// A count with thousands separated: "100,000".
std::string Count(size_t count);
// A duration in the unit that suits it: "850 us", "12.3 ms", "2.41 s".
std::string Duration(double ms);
// "min-max" of a summary, as durations.
std::string DurationRange(const Summary& summary);
// Bytes as "12.3 MiB", "85 KiB" or "41 bytes".
std::string Bytes(double bytes);
// "min - max" of a summary, as bytes.
std::string BytesRange(const Summary& summary);
// A factor, "1.07x".
std::string Factor(double factor);

// The goal column: the goal followed by whether this run met it.
std::string Goal(const std::string& goal, bool met);

// Prints one row of the result table to stdout at once.
void PrintRow(const std::string& area, const std::string& figure, const std::string& value,
              const std::string& range = "", const std::string& goal = "");

// The folder this program's executable is in, without a trailing separator.
std::wstring ProgramFolder();

// Progress and problems, to stderr.
void Note(const char* format, ...);

// The process's private memory (PROCESS_MEMORY_COUNTERS_EX PrivateUsage, or
// PagefileUsage where PrivateUsage is not filled in); 0 if it cannot be read.
double PrivateBytes(HANDLE process);
