// The suite's web pages: small HTML files, each with a <title>, written into
// a fresh folder under the user's temporary folder and opened by their file:
// addresses. No network is needed. Other files may go into the folder too.
#pragma once

#include <string>

class TestPages {
public:
    // Creates the folder; Error() says why if it could not.
    TestPages();
    // Deletes the folder with the files in it.
    ~TestPages();
    TestPages(const TestPages&) = delete;
    TestPages& operator=(const TestPages&) = delete;

    const std::wstring& Error() const { return error_; }
    const std::wstring& Folder() const { return folder_; }

    // Writes (or rewrites) page `name` with this title, and `head` and
    // `body` markup after its own, and returns its address, or an empty
    // string if it could not be written.
    std::wstring Write(const std::wstring& name, const std::wstring& title, const std::wstring& head = L"",
                       const std::wstring& body = L"");
    // Writes file `name` (with its extension) with these bytes; false if it
    // could not be written.
    bool WriteBytes(const std::wstring& name, const std::string& bytes);

private:
    std::wstring folder_;
    std::wstring error_;
};

// The file: address of a local path in the engine's normalised form:
// "C:\dir\a b.html" is "file:///C:/dir/a%20b.html".
std::wstring FileAddress(const std::wstring& path);
