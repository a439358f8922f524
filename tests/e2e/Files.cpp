#include "Files.h"

#include <windows.h>

#include <string>

namespace {

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
}

std::wstring ThisProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The folder of this test run: "velquin-e2e-<n>" under the Linux /tmp, with
// the first <n> nobody else has taken (runs in other Wine prefixes may share
// process ids). Removed when the test program ends.
class RunFolder {
public:
    RunFolder() {
        const std::wstring stem = L"Z:\\tmp\\velquin-e2e-" + std::to_wstring(GetTickCount64()) + L"-";
        for (unsigned n = 0; path_.empty(); ++n) {
            const std::wstring candidate = stem + std::to_wstring(n);
            if (CreateDirectoryW(candidate.c_str(), nullptr)) path_ = candidate;
            else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
    }
    ~RunFolder() {
        if (!path_.empty()) RemoveFolderTree(path_);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

const std::wstring& RunFolderPath() {
    static const RunFolder folder;
    return folder.Path();
}

std::wstring Utf16FromUtf8(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

}  // namespace

std::wstring BuiltProgramsFolder() { return FolderOf(ThisProgramPath()) + L"\\e2e-bin"; }

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring ExtendedPath(const std::wstring& path) { return L"\\\\?\\" + path; }

bool CreateFolders(const std::wstring& path) {
    if (GetFileAttributesW(ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const size_t separator = path.find_last_of(L'\\');
    if (separator != std::wstring::npos && separator > 2 && !CreateFolders(path.substr(0, separator))) return false;
    return CreateDirectoryW(ExtendedPath(path).c_str(), nullptr) != FALSE;
}

bool CopyFileInto(const std::wstring& name, const std::wstring& fromFolder, const std::wstring& toFolder) {
    return CopyFileW(ExtendedPath(fromFolder + L"\\" + name).c_str(), ExtendedPath(toFolder + L"\\" + name).c_str(),
                     FALSE) != FALSE;
}

void RemoveFolderTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(ExtendedPath(path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveFolderTree(child);
            } else {
                DeleteFileW(ExtendedPath(child).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(ExtendedPath(path).c_str());
}

std::wstring ReadUtf8File(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::wstring();
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return Utf16FromUtf8(bytes);
}

std::wstring LinuxPath(const std::wstring& windowsPath) {
    std::wstring path = windowsPath.substr(windowsPath.rfind(L':') + 1);
    for (wchar_t& c : path) {
        if (c == L'\\') c = L'/';
    }
    return path;
}

ScratchFolder::ScratchFolder() {
    static unsigned counter = 0;
    path_ = RunFolderPath() + L"\\" + std::to_wstring(++counter);
    CreateFolders(path_);
}

ScratchFolder::~ScratchFolder() { RemoveFolderTree(path_); }
