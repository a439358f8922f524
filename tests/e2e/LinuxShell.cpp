#include "LinuxShell.h"

#include "Files.h"
#include "Polling.h"

#include <windows.h>

namespace {

// A file the shell writes its exit status into, as Windows and as Linux see it.
struct StatusFile {
    std::wstring windowsPath;
    std::wstring linuxPath;
};

StatusFile NextStatusFile() {
    static const ScratchFolder folder;
    static unsigned counter = 0;
    const std::wstring path = folder.Path() + L"\\status-" + std::to_wstring(++counter);
    return StatusFile{path, LinuxPath(path)};
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool StartShell(const std::wstring& script, std::wstring* environment) {
    std::wstring commandLine = L"/bin/sh -c \"" + script + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                        environment != nullptr ? CREATE_UNICODE_ENVIRONMENT : 0,
                        environment != nullptr ? &(*environment)[0] : nullptr, nullptr, &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

bool RunShell(const std::wstring& script) {
    const StatusFile status = NextStatusFile();
    // Written under another name first and then renamed, so that the file
    // never appears half written.
    const std::wstring part = status.linuxPath + L".part";
    if (!StartShell(script + L"; echo $? > " + part + L"; mv " + part + L" " + status.linuxPath)) return false;
    const bool finished = WaitUntil([&status] { return FileExists(status.windowsPath); });
    const std::wstring exitStatus = finished ? ReadUtf8File(status.windowsPath) : std::wstring();
    DeleteFileW(status.windowsPath.c_str());
    return exitStatus == L"0\n";
}
