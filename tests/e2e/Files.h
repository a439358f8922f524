// Files and folders for end-to-end runs: where the build put the programs, and
// throw-away folders (whose paths may be longer than MAX_PATH).
//
// The throw-away folders live under the Linux /tmp, which Wine shows as drive
// Z:, so that Linux programs started by the tests (xdotool, wine) can use them.
#pragma once

#include <string>

// The folder that holds velquin.exe and WebView2Loader.dll as the build copies
// them: "e2e-bin" beside this test program.
std::wstring BuiltProgramsFolder();

// Paths and window class names compare without regard to case.
bool SameIgnoringCase(const std::wstring& a, const std::wstring& b);

// `path` in the form Win32 file calls accept beyond MAX_PATH ("\\?\" + path).
std::wstring ExtendedPath(const std::wstring& path);

// Creates `path` and every missing folder above it.
bool CreateFolders(const std::wstring& path);

bool CopyFileInto(const std::wstring& name, const std::wstring& fromFolder, const std::wstring& toFolder);

// Deletes a folder with everything in it; ignores what cannot be deleted.
void RemoveFolderTree(const std::wstring& path);

// The whole content of a file, read while another process may be writing it,
// as UTF-16 from UTF-8. Empty when the file is missing.
std::wstring ReadUtf8File(const std::wstring& path);

// A Windows path under Z:\ as Linux sees it ("Z:\tmp\a" is "/tmp/a").
std::wstring LinuxPath(const std::wstring& windowsPath);

// A fresh, empty folder of this test run, deleted with its content when the
// object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};
