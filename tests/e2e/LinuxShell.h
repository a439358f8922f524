// Linux programs started from the Windows test program under Wine.
//
// Wine can start a Linux program with CreateProcessW, but the handle it returns
// cannot be waited for and its exit code means nothing. So a script runs in
// /bin/sh, which at the end writes the exit status into a file of the test
// run's folder, and the test polls for that file.
#pragma once

#include <string>

// Starts `/bin/sh -c "<script>"` and returns at once. `environment` is a block
// as CreateProcessW takes it, or null for this process's environment. The
// script holds no double quotes.
bool StartShell(const std::wstring& script, std::wstring* environment = nullptr);

// Runs the script in /bin/sh, waits until it has finished and returns whether
// it succeeded (exit status 0).
bool RunShell(const std::wstring& script);
