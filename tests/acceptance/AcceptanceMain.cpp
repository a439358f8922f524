// AcceptanceTest.exe <folder> [--no-engine-runtime] [GoogleTest options]: runs
// the acceptance suite against the velquin.exe in <folder>, with whatever
// engine loader sits beside it. --no-engine-runtime: that loader finds no
// engine runtime installed; only the tests of that case run, the others are
// skipped.
#include "BrowserUnderTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    g_engineRuntimeAbsent = argc == 3 && std::wcscmp(argv[2], L"--no-engine-runtime") == 0;
    if (argc != (g_engineRuntimeAbsent ? 3 : 2)) {
        std::fprintf(stderr,
                     "usage: AcceptanceTest <folder with velquin.exe> [--no-engine-runtime] [GoogleTest options]\n");
        return 2;
    }
    // Absolute, so that the browser finds its loader and profile folder
    // whatever the suite's working folder.
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
    g_browserFolder = length > 0 && length < MAX_PATH ? full : argv[1];
    while (!g_browserFolder.empty() && (g_browserFolder.back() == L'\\' || g_browserFolder.back() == L'/')) {
        g_browserFolder.pop_back();
    }
    const DWORD attributes = GetFileAttributesW((g_browserFolder + L"\\velquin.exe").c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        std::fprintf(stderr, "AcceptanceTest: no velquin.exe in the folder given\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
