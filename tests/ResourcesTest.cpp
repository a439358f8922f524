// Checks the resources built into velquin.exe: the MAINICON icon group and its
// images, the application manifest and the version record. The executable is
// loaded as a data file, so nothing of it runs; FindBrowserExe says where it
// is looked for.

#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Full path of velquin.exe, or empty when it is in none of the places looked at:
// the test's own folder, the folder above it (tests/ under the build folder),
// and, for builds with a folder per configuration (tests/Release/), the
// configuration's folder beside tests/ (Release/).
std::wstring FindBrowserExe() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return std::wstring();
    const std::wstring ownFolder = FolderOf(std::wstring(buffer.data(), length));
    const std::wstring parent = FolderOf(ownFolder);
    const std::wstring configuration = ownFolder.substr(parent.size());  // "\\Release", with its separator
    const std::wstring grandparent = FolderOf(parent);
    const std::wstring besideTests = grandparent.empty() ? std::wstring() : grandparent + configuration;
    for (const std::wstring& folder : {ownFolder, parent, besideTests}) {
        if (folder.empty()) continue;
        const std::wstring candidate = folder + L"\\velquin.exe";
        if (FileExists(candidate)) return candidate;
    }
    return std::wstring();
}

uint16_t ReadU16(const std::vector<unsigned char>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t ReadU32(const std::vector<unsigned char>& bytes, size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 16) | (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

uint32_t ReadU32BigEndian(const std::vector<unsigned char>& bytes, size_t offset) {
    return (static_cast<uint32_t>(bytes[offset]) << 24) | (static_cast<uint32_t>(bytes[offset + 1]) << 16) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 8) | static_cast<uint32_t>(bytes[offset + 3]);
}

bool IsPng(const std::vector<unsigned char>& bytes) {
    return bytes.size() >= sizeof(kPngSignature) &&
           std::memcmp(bytes.data(), kPngSignature, sizeof(kPngSignature)) == 0;
}

// One entry of an RT_GROUP_ICON resource (GRPICONDIRENTRY, 14 bytes, packed).
struct GroupEntry {
    unsigned width;      // 0 stands for 256 or more
    unsigned height;
    unsigned colourCount;
    unsigned planes;
    unsigned bitCount;
    uint32_t bytesInRes;
    unsigned id;         // RT_ICON resource holding the image
};

// What an RT_ICON image says about itself.
struct IconImage {
    bool png = false;
    long width = 0;
    long height = 0;          // for a bitmap: the image's, not the doubled header value
    unsigned bitsPerPixel = 0;
};

// Reads the size and depth from a PNG's IHDR or from a bitmap's BITMAPINFOHEADER.
// Returns false when the data is neither a PNG nor a complete 32-bit icon bitmap.
bool DescribeImage(const std::vector<unsigned char>& bytes, IconImage* image, std::string* problem) {
    if (IsPng(bytes)) {
        // Signature, then the IHDR chunk: length, "IHDR", width, height, depth, colour type.
        if (bytes.size() < 33 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
            *problem = "PNG without an IHDR chunk first";
            return false;
        }
        image->png = true;
        image->width = static_cast<long>(ReadU32BigEndian(bytes, 16));
        image->height = static_cast<long>(ReadU32BigEndian(bytes, 20));
        const unsigned depth = bytes[24];
        const unsigned colourType = bytes[25];
        // Colour type 6 is RGBA: four channels of `depth` bits.
        image->bitsPerPixel = colourType == 6 ? 4 * depth : 0;
        return true;
    }
    if (bytes.size() < sizeof(BITMAPINFOHEADER)) {
        *problem = "too short for a BITMAPINFOHEADER";
        return false;
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof(header));
    if (header.biSize != sizeof(BITMAPINFOHEADER)) {
        *problem = "neither a PNG nor a BITMAPINFOHEADER (biSize " + std::to_string(header.biSize) + ")";
        return false;
    }
    if (header.biCompression != BI_RGB) {
        *problem = "bitmap is compressed";
        return false;
    }
    if (header.biHeight != 2 * header.biWidth) {
        *problem = "bitmap height " + std::to_string(header.biHeight) + " is not twice its width " +
                   std::to_string(header.biWidth) + " (colour bitmap plus mask)";
        return false;
    }
    image->png = false;
    image->width = header.biWidth;
    image->height = header.biHeight / 2;
    image->bitsPerPixel = header.biBitCount;
    const size_t colourBytes = static_cast<size_t>(image->width) * image->height * 4;
    const size_t maskBytes = static_cast<size_t>((image->width + 31) / 32 * 4) * image->height;
    if (bytes.size() < sizeof(BITMAPINFOHEADER) + colourBytes + maskBytes) {
        *problem = "bitmap data shorter than its pixels and mask";
        return false;
    }
    return true;
}

// Alpha of pixel (x, y), y counted from the top, in a 32-bit icon bitmap.
unsigned BitmapAlpha(const std::vector<unsigned char>& bytes, long size, long x, long y) {
    const long row = size - 1 - y;  // rows are stored bottom-up
    return bytes[sizeof(BITMAPINFOHEADER) + (static_cast<size_t>(row) * size + x) * 4 + 3];
}

// Removes <!-- ... --> so that words in comments do not count as markup.
std::string WithoutComments(std::string text) {
    for (size_t start; (start = text.find("<!--")) != std::string::npos;) {
        const size_t end = text.find("-->", start);
        text.erase(start, end == std::string::npos ? std::string::npos : end + 3 - start);
    }
    return text;
}

// The first element `<name ...>` whose text contains `mustContain`, or empty.
std::string FindElement(const std::string& xml, const std::string& name, const std::string& mustContain) {
    const std::string open = "<" + name;
    for (size_t start = xml.find(open); start != std::string::npos; start = xml.find(open, start + 1)) {
        const char after = start + open.size() < xml.size() ? xml[start + open.size()] : '\0';
        if (after != ' ' && after != '\t' && after != '\r' && after != '\n' && after != '/' && after != '>') continue;
        const size_t end = xml.find('>', start);
        if (end == std::string::npos) return std::string();
        const std::string element = xml.substr(start, end + 1 - start);
        if (element.find(mustContain) != std::string::npos) return element;
    }
    return std::string();
}

// Value of attribute `name` in an element's text; "<missing>" when absent.
std::string Attribute(const std::string& element, const std::string& name) {
    for (size_t at = element.find(name); at != std::string::npos; at = element.find(name, at + 1)) {
        const char before = at > 0 ? element[at - 1] : '\0';
        if (before != ' ' && before != '\t' && before != '\r' && before != '\n') continue;
        size_t pos = at + name.size();
        while (pos < element.size() && (element[pos] == ' ' || element[pos] == '\t')) ++pos;
        if (pos >= element.size() || element[pos] != '=') continue;
        ++pos;
        while (pos < element.size() && (element[pos] == ' ' || element[pos] == '\t')) ++pos;
        if (pos >= element.size() || (element[pos] != '"' && element[pos] != '\'')) continue;
        const char quote = element[pos];
        const size_t close = element.find(quote, pos + 1);
        if (close == std::string::npos) continue;
        return element.substr(pos + 1, close - pos - 1);
    }
    return "<missing>";
}

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        exePath_ = FindBrowserExe();
        if (!exePath_.empty()) {
            module_ = LoadLibraryExW(exePath_.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
            loadError_ = module_ ? 0 : GetLastError();
        }
    }

    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }

    void SetUp() override {
        ASSERT_FALSE(exePath_.empty()) << "velquin.exe not found beside the test, above it or beside its folder";
        ASSERT_NE(module_, nullptr) << "LoadLibraryExW failed with error " << loadError_;
    }

    // The bytes of a resource; empty when it does not exist.
    static std::vector<unsigned char> Resource(LPCWSTR type, LPCWSTR name) {
        HRSRC info = FindResourceW(module_, name, type);
        if (!info) return {};
        HGLOBAL handle = LoadResource(module_, info);
        const DWORD size = SizeofResource(module_, info);
        const void* data = handle ? LockResource(handle) : nullptr;
        if (!data || size == 0) return {};
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        return std::vector<unsigned char>(bytes, bytes + size);
    }

    static std::vector<unsigned char> IconGroup() { return Resource(RT_GROUP_ICON, L"MAINICON"); }

    // The entries of the MAINICON group; adds a failure and returns none when it is malformed.
    static std::vector<GroupEntry> IconGroupEntries() {
        const std::vector<unsigned char> group = IconGroup();
        EXPECT_GE(group.size(), 6u) << "no RT_GROUP_ICON named MAINICON";
        if (group.size() < 6) return {};
        EXPECT_EQ(ReadU16(group, 0), 0u) << "reserved word";
        EXPECT_EQ(ReadU16(group, 2), 1u) << "resource type 1 (icon)";
        const unsigned count = ReadU16(group, 4);
        EXPECT_EQ(group.size(), 6u + 14u * count) << "group size for " << count << " entries";
        if (group.size() < 6u + 14u * count) return {};
        std::vector<GroupEntry> entries;
        for (unsigned i = 0; i < count; ++i) {
            const size_t at = 6 + 14 * i;
            entries.push_back(GroupEntry{group[at], group[at + 1], group[at + 2], ReadU16(group, at + 4),
                                         ReadU16(group, at + 6), ReadU32(group, at + 8), ReadU16(group, at + 12)});
        }
        return entries;
    }

    static std::string Manifest() {
        const std::vector<unsigned char> bytes =
            Resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
        return std::string(bytes.begin(), bytes.end());
    }

    static std::wstring exePath_;
    static HMODULE module_;
    static DWORD loadError_;
};

std::wstring ResourcesTest::exePath_;
HMODULE ResourcesTest::module_ = nullptr;
DWORD ResourcesTest::loadError_ = 0;

TEST_F(ResourcesTest, IconGroupHoldsNineSquareImagesOfTheListedSizes) {
    const std::vector<GroupEntry> entries = IconGroupEntries();
    ASSERT_EQ(entries.size(), 9u);

    std::vector<long> sizes;
    for (const GroupEntry& entry : entries) {
        SCOPED_TRACE("RT_ICON " + std::to_string(entry.id));
        const std::vector<unsigned char> bytes = Resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_FALSE(bytes.empty()) << "the group names an icon image that does not exist";
        EXPECT_EQ(bytes.size(), entry.bytesInRes) << "size recorded in the group";

        IconImage image;
        std::string problem;
        ASSERT_TRUE(DescribeImage(bytes, &image, &problem)) << problem;
        EXPECT_EQ(image.width, image.height) << "not square";
        // The group records sizes in one byte each, 0 meaning 256 or more.
        const unsigned recorded = image.width >= 256 ? 0u : static_cast<unsigned>(image.width);
        EXPECT_EQ(entry.width, recorded);
        EXPECT_EQ(entry.height, recorded);
        sizes.push_back(image.width);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<long>{16, 24, 32, 48, 64, 96, 128, 256, 512}));
}

TEST_F(ResourcesTest, EveryImageIs32BitAndOnlyThe512PixelOneIsPng) {
    const std::vector<GroupEntry> entries = IconGroupEntries();
    ASSERT_FALSE(entries.empty());

    for (const GroupEntry& entry : entries) {
        SCOPED_TRACE("RT_ICON " + std::to_string(entry.id));
        EXPECT_EQ(entry.planes, 1u);
        EXPECT_EQ(entry.bitCount, 32u);
        EXPECT_EQ(entry.colourCount, 0u);

        const std::vector<unsigned char> bytes = Resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        IconImage image;
        std::string problem;
        ASSERT_TRUE(DescribeImage(bytes, &image, &problem)) << problem;
        EXPECT_EQ(image.bitsPerPixel, 32u) << "size " << image.width;
        if (image.width == 512) {
            EXPECT_TRUE(image.png) << "the 512 pixel image must be PNG-compressed";
        } else {
            EXPECT_FALSE(image.png) << "the " << image.width << " pixel image must be a bitmap";
        }
    }
}

TEST_F(ResourcesTest, BitmapsHaveTransparentCornersAndAnOpaqueMiddle) {
    const std::vector<GroupEntry> entries = IconGroupEntries();
    ASSERT_FALSE(entries.empty());

    int bitmaps = 0;
    for (const GroupEntry& entry : entries) {
        const std::vector<unsigned char> bytes = Resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        IconImage image;
        std::string problem;
        ASSERT_TRUE(DescribeImage(bytes, &image, &problem)) << problem;
        if (image.png) continue;
        ++bitmaps;
        SCOPED_TRACE("size " + std::to_string(image.width));
        const long last = image.width - 1;
        EXPECT_EQ(BitmapAlpha(bytes, image.width, 0, 0), 0u) << "top left corner";
        EXPECT_EQ(BitmapAlpha(bytes, image.width, last, 0), 0u) << "top right corner";
        EXPECT_EQ(BitmapAlpha(bytes, image.width, 0, last), 0u) << "bottom left corner";
        EXPECT_EQ(BitmapAlpha(bytes, image.width, last, last), 0u) << "bottom right corner";
        EXPECT_EQ(BitmapAlpha(bytes, image.width, image.width / 2, image.width / 2), 255u) << "middle";
    }
    EXPECT_EQ(bitmaps, 8);
}

TEST_F(ResourcesTest, SystemPicksTheMatchingImageForLargeAndSmallIcons) {
    const std::vector<unsigned char> group = IconGroup();
    ASSERT_FALSE(group.empty());
    const std::vector<GroupEntry> entries = IconGroupEntries();

    for (const int size : {16, 32}) {
        SCOPED_TRACE("size " + std::to_string(size));
        // Windows' own choice of image for this size must be the image of exactly that size.
        const int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data()), TRUE, size, size,
                                                   LR_DEFAULTCOLOR);
        const auto chosen = std::find_if(entries.begin(), entries.end(),
                                         [id](const GroupEntry& e) { return static_cast<int>(e.id) == id; });
        ASSERT_NE(chosen, entries.end()) << "LookupIconIdFromDirectoryEx returned " << id;
        EXPECT_EQ(chosen->width, static_cast<unsigned>(size));

        HICON icon = static_cast<HICON>(LoadImageW(module_, L"MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << "LoadImageW failed with error " << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_NE(info.hbmColor, nullptr) << "a 32-bit icon has a colour bitmap";
        ASSERT_NE(GetObjectW(info.hbmColor, sizeof(colour), &colour), 0);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(ResourcesTest, ManifestAsksForTheInvokersLevelAndCommonControls6) {
    const std::string manifest = WithoutComments(Manifest());
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";

    const std::string level = FindElement(manifest, "requestedExecutionLevel", "level");
    ASSERT_FALSE(level.empty()) << manifest;
    EXPECT_EQ(Attribute(level, "level"), "asInvoker");
    EXPECT_EQ(Attribute(level, "uiAccess"), "false");

    const std::string controls =
        FindElement(manifest, "assemblyIdentity", "\"Microsoft.Windows.Common-Controls\"");
    ASSERT_FALSE(controls.empty()) << manifest;
    EXPECT_EQ(Attribute(controls, "type"), "win32");
    EXPECT_EQ(Attribute(controls, "name"), "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(Attribute(controls, "version"), "6.0.0.0");
    EXPECT_EQ(Attribute(controls, "processorArchitecture"), "*");
    EXPECT_EQ(Attribute(controls, "publicKeyToken"), "6595b64144ccf1df");
    EXPECT_EQ(Attribute(controls, "language"), "*");
    // It must be a dependency of the program, not the program's own identity.
    const size_t dependency = manifest.find("<dependentAssembly");
    ASSERT_NE(dependency, std::string::npos);
    EXPECT_GT(manifest.find(controls), dependency);
}

TEST_F(ResourcesTest, ManifestDeclaresNoDpiAwareness) {
    const std::string manifest = WithoutComments(Manifest());
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    // Covers both <dpiAware> and <dpiAwareness>, in any spelling of case.
    EXPECT_EQ(Lowercase(manifest).find("dpiaware"), std::string::npos) << manifest;
}

TEST_F(ResourcesTest, VersionRecordIs1000AndNamesVelquin) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exePath_.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record, error " << GetLastError();
    std::vector<unsigned char> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(exePath_.c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u) << "file version 1.0";
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u) << "file version .0.0";
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u) << "product version 1.0";
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u) << "product version .0.0";

    // The strings are looked up the way Explorer does: through the first translation.
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0409) << "U.S. English";
    EXPECT_EQ(translation[1], 1200) << "Unicode";

    wchar_t block[32];
    swprintf(block, 32, L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    const auto text = [&](const wchar_t* name) -> std::wstring {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const std::wstring key = std::wstring(block) + name;
        if (!VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) || !value)
            return L"<missing>";
        return std::wstring(value);  // zero-terminated
    };
    EXPECT_EQ(text(L"FileDescription"), L"Velquin");
    EXPECT_EQ(text(L"FileVersion"), L"1.0.0.0");
    EXPECT_EQ(text(L"ProductVersion"), L"1.0.0.0");
}

}  // namespace
