// The icon on each tab: the page's own icon, the New Tab page's, the plain
// page, the speaker, and the image list that holds them.
#include "BrowserFixture.h"

#include "core/TabActions.h"
#include "core/TabIcons.h"
#include "core/TabSound.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>
#include <objbase.h>
#include <wrl/client.h>

#include <vector>

namespace {

using TabIcons = BrowserFixture;
using Microsoft::WRL::ComPtr;

const wchar_t kIconUri[] = L"https://example.com/favicon.ico";

// The image the strip's item `index` shows.
int ImageOfTab(int index) {
    TCITEMW item = {};
    item.mask = TCIF_IMAGE;
    item.iImage = -2;
    SendMessageW(g_hTabCtrl, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int ImageCount() { return ImageList_GetImageCount(TabImages()); }

// Image `image` as drawn on white: its colours, row by row.
std::vector<COLORREF> DrawnImage(int image) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(TabImages(), image, dc, 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF MiddleOfImage(int image) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    return DrawnImage(image)[static_cast<size_t>(size / 2 * size + size / 2)];
}

class TabIconsOnAPage : public TabIcons {
protected:
    void SetUp() override {
        TabIcons::SetUp();
        StartEngine();
        PressEnterInAddressBar(L"https://example.com/");
        view_ = TabViewIds()[0];
    }
    int view_ = 0;
};

TEST_F(TabIcons, TheStripHasTheFixedImagesFromTheStart) {
    ASSERT_NE(TabImages(), nullptr);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(g_hTabCtrl, TCM_GETIMAGELIST, 0, 0)), TabImages());
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
}

TEST_F(TabIcons, TheNewTabPageShowsVelquinsIconAndAWebPageThePlainOne) {
    StartEngine();
    EXPECT_EQ(ImageOfTab(0), kNewTabPageImage);
    PressEnterInAddressBar(L"https://example.com/");
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    PressEnterInAddressBar(L"browser://newtab");
    EXPECT_EQ(ImageOfTab(0), kNewTabPageImage);
}

TEST_F(TabIconsOnAPage, ThePagesIconArrivesForItsTab) {
    OpenTabs(1);
    devengine::TriggerFavicon(view_, kIconUri, devengine::FaviconContent::kPng, RGB(255, 0, 0));
    Settle();
    EXPECT_EQ(Calls(view_, L"GetFavicon").size(), 1u);
    ASSERT_GE(ImageOfTab(0), kFixedTabImageCount);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount + 1);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(255, 0, 0));
    EXPECT_EQ(ImageOfTab(1), kNewTabPageImage);

    // A new icon replaces the tab's image.
    devengine::TriggerFavicon(view_, L"https://example.com/other.png", devengine::FaviconContent::kPng,
                              RGB(0, 255, 0));
    Settle();
    EXPECT_EQ(ImageCount(), kFixedTabImageCount + 1);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(0, 255, 0));
}

TEST_F(TabIconsOnAPage, APageWithoutAnIconShowsThePlainPage) {
    devengine::TriggerFavicon(view_, kIconUri);
    Settle();
    ASSERT_GE(ImageOfTab(0), kFixedTabImageCount);
    devengine::TriggerFavicon(view_, L"");
    Settle();
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
}

TEST_F(TabIconsOnAPage, AnIconThatIsNoImageShowsThePlainPage) {
    devengine::TriggerFavicon(view_, kIconUri);
    Settle();
    devengine::TriggerFavicon(view_, L"https://example.com/broken.ico", devengine::FaviconContent::kNotAnImage);
    Settle();
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
}

TEST_F(TabIconsOnAPage, AFailedIconRequestShowsThePlainPage) {
    devengine::TriggerFavicon(view_, kIconUri);
    Settle();
    devengine::GetKnobs().faviconResult = E_FAIL;
    devengine::TriggerFavicon(view_, L"https://example.com/other.png");
    Settle();
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
}

TEST_F(TabIconsOnAPage, ANewPageNeverShowsThePreviousPagesIcon) {
    devengine::TriggerFavicon(view_, kIconUri);
    Settle();
    ASSERT_GE(ImageOfTab(0), kFixedTabImageCount);
    // The icon of the next page is asked for, but has not arrived yet.
    PressEnterInAddressBar(L"https://example.org/");
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
}

TEST_F(TabIconsOnAPage, AnIconForAnEarlierPageIsNotShown) {
    devengine::TriggerFavicon(view_, kIconUri);
    devengine::TriggerFavicon(view_, L"");
    Settle();
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
}

TEST_F(TabIconsOnAPage, AnIconForATabClosedMeanwhileGoesNowhere) {
    OpenTabs(1);
    const int view = TabViewIds()[1];
    devengine::TriggerFavicon(view, kIconUri);
    ASSERT_TRUE(devengine::DeliverNext());  // the change: the icon is asked for
    ASSERT_EQ(Calls(view, L"GetFavicon").size(), 1u);
    CloseTab(1);
    Settle();  // the answer comes for a tab that is gone
    EXPECT_EQ(ImageCount(), kFixedTabImageCount);
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
}

TEST_F(TabIconsOnAPage, AnIconForATabMovedMeanwhileGoesToThatTab) {
    OpenTabs(1);
    devengine::TriggerFavicon(view_, kIconUri, devengine::FaviconContent::kPng, RGB(255, 0, 0));
    ASSERT_TRUE(devengine::DeliverNext());  // asked for; the answer is on its way
    ASSERT_EQ(Calls(view_, L"GetFavicon").size(), 1u);
    MoveTab(0, 1);
    Settle();
    ASSERT_EQ(TabViewIds()[1], view_);
    ASSERT_GE(ImageOfTab(1), kFixedTabImageCount);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(1)), RGB(255, 0, 0));
    EXPECT_EQ(ImageOfTab(0), kNewTabPageImage);

    // It stays with its tab through a move back.
    MoveTab(1, 0);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(255, 0, 0));
    EXPECT_EQ(ImageOfTab(1), kNewTabPageImage);
}

TEST_F(TabIconsOnAPage, APageChangingItsIconShowsTheOldOneUntilTheNewArrives) {
    devengine::TriggerFavicon(view_, L"https://example.com/0.png", devengine::FaviconContent::kPng, RGB(255, 0, 0));
    Settle();
    ASSERT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(255, 0, 0));
    // Changes faster than the answers come: the tab ends on the latest.
    devengine::TriggerFavicon(view_, L"https://example.com/1.png", devengine::FaviconContent::kPng, RGB(0, 255, 0));
    devengine::TriggerFavicon(view_, L"https://example.com/2.png", devengine::FaviconContent::kPng, RGB(0, 0, 255));
    ASSERT_TRUE(devengine::DeliverNext());
    ASSERT_TRUE(devengine::DeliverNext());
    ASSERT_EQ(Calls(view_, L"GetFavicon").size(), 3u);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(255, 0, 0));
    Settle();
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(0, 0, 255));
    EXPECT_EQ(ImageCount(), kFixedTabImageCount + 1);
}

TEST_F(TabIconsOnAPage, ANewDocumentAsksForItsIconAgainAndTheSameDocumentKeepsIt) {
    devengine::TriggerFavicon(view_, kIconUri, devengine::FaviconContent::kPng, RGB(255, 0, 0));
    Settle();
    const int own = ImageOfTab(0);
    ASSERT_GE(own, kFixedTabImageCount);
    // An address the page changed itself (a fragment, a pushed state).
    ASSERT_TRUE(devengine::TriggerSourceChange(view_, L"https://example.com/#part", false));
    Settle();
    EXPECT_EQ(ImageOfTab(0), own);
    EXPECT_EQ(Calls(view_, L"GetFavicon").size(), 1u);
    // A new document with the same icon, of which the engine tells nothing:
    // the previous page's goes at once, and the page's own is asked for.
    ASSERT_TRUE(devengine::TriggerSourceChange(view_, L"https://example.com/next", true));
    ASSERT_TRUE(devengine::DeliverNext());
    EXPECT_EQ(ImageOfTab(0), kPlainPageImage);
    Settle();
    EXPECT_EQ(Calls(view_, L"GetFavicon").size(), 2u);
    ASSERT_GE(ImageOfTab(0), kFixedTabImageCount);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(255, 0, 0));
}

TEST_F(TabIconsOnAPage, AnEarlierAnswerWithoutAnImageLeavesTheLaterOne) {
    devengine::TriggerFavicon(view_, L"https://example.com/broken.png", devengine::FaviconContent::kNotAnImage);
    devengine::TriggerFavicon(view_, L"https://example.com/good.png", devengine::FaviconContent::kPng, RGB(0, 0, 255));
    Settle();
    ASSERT_EQ(Calls(view_, L"GetFavicon").size(), 2u);
    ASSERT_GE(ImageOfTab(0), kFixedTabImageCount);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(0, 0, 255));
}

TEST_F(TabIconsOnAPage, ClosingATabKeepsTheOtherTabsIcons) {
    OpenTabs(2);
    const std::vector<int> views = TabViewIds();
    devengine::TriggerFavicon(views[1], kIconUri, devengine::FaviconContent::kPng, RGB(255, 0, 0));
    devengine::TriggerFavicon(views[2], kIconUri, devengine::FaviconContent::kPng, RGB(0, 0, 255));
    devengine::TriggerFavicon(view_, kIconUri, devengine::FaviconContent::kPng, RGB(0, 255, 0));
    Settle();
    ASSERT_EQ(ImageCount(), kFixedTabImageCount + 3);
    CloseTab(1);
    EXPECT_EQ(ImageCount(), kFixedTabImageCount + 2);
    EXPECT_EQ(MiddleOfImage(ImageOfTab(0)), RGB(0, 255, 0));
    // The closed tab's image came before the last tab's, which moved down.
    EXPECT_EQ(g_tabs[1].iconImage, kFixedTabImageCount);
}

TEST_F(TabIconsOnAPage, AnEngineWithoutIconsShowsThePlainPage) {
    devengine::GetKnobs().withholdFavicon = true;
    OpenTabs(1);
    PressEnterInAddressBar(L"https://example.org/");
    devengine::TriggerFavicon(TabViewIds()[1], kIconUri);
    Settle();
    EXPECT_TRUE(Calls(TabViewIds()[1], L"GetFavicon").empty());
    EXPECT_EQ(ImageOfTab(1), kPlainPageImage);
}

TEST_F(TabIconsOnAPage, APlayingTabShowsASpeakerCrossedWhileMuted) {
    devengine::TriggerFavicon(view_, kIconUri);
    Settle();
    const int own = ImageOfTab(0);
    ASSERT_GE(own, kFixedTabImageCount);

    devengine::TriggerAudio(view_, true);
    Settle();
    EXPECT_EQ(ImageOfTab(0), kSoundImage);
    ToggleTabMute(0);
    Settle();
    EXPECT_EQ(ImageOfTab(0), kMutedSoundImage);
    devengine::TriggerAudio(view_, false);
    Settle();
    EXPECT_EQ(ImageOfTab(0), own);
    // Muted without sound: its own icon.
    ASSERT_TRUE(IsTabMuted(0));
    devengine::TriggerAudio(view_, true);
    Settle();
    EXPECT_EQ(ImageOfTab(0), kMutedSoundImage);
    ToggleTabMute(0);
    Settle();
    EXPECT_EQ(ImageOfTab(0), kSoundImage);
}

TEST_F(TabIcons, TheSpeakersWavesAndTheCrossShowRightOfItsCone) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    // Pixels in the right quarter of the image that are dark, or red.
    const auto rightQuarter = [size](int image, bool red) {
        const std::vector<COLORREF> pixels = DrawnImage(image);
        int count = 0;
        for (size_t i = 0; i < pixels.size(); ++i) {
            const COLORREF c = pixels[i];
            const bool isRed = GetRValue(c) > 150 && GetGValue(c) < 80 && GetBValue(c) < 80;
            const bool isDark = GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
            if (static_cast<int>(i % size) >= size * 3 / 4 && (red ? isRed : isDark)) ++count;
        }
        return count;
    };
    EXPECT_GE(rightQuarter(kSoundImage, false), size / 3) << "no sound waves";
    EXPECT_EQ(rightQuarter(kSoundImage, true), 0);
    EXPECT_GE(rightQuarter(kMutedSoundImage, true), size / 3) << "no cross";
}

TEST_F(TabIcons, OpeningAndClosing500TabsLeavesTheImageListAsItWas) {
    StartEngine();
    const int start = ImageCount();
    OpenTabs(500);
    for (int view : TabViewIds()) devengine::TriggerFavicon(view, kIconUri);
    Settle();
    EXPECT_EQ(ImageCount(), start + 501);
    while (g_tabs.size() > 1) CloseTab(static_cast<int>(g_tabs.size()) - 1);
    devengine::TriggerFavicon(TabViewIds()[0], L"");
    Settle();
    EXPECT_EQ(ImageCount(), start);
}

// A stream of `bytes` bytes of `fill`.
ComPtr<IStream> StreamOf(size_t bytes, BYTE fill) {
    ComPtr<IStream> stream;
    EXPECT_TRUE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)));
    std::vector<BYTE> data(bytes, fill);
    ULONG written = 0;
    stream->Write(data.data(), static_cast<ULONG>(data.size()), &written);
    return stream;
}

TEST(TabIconDecoding, BytesThatAreNoImageAnEmptyOrAHugeStreamDecodeToNothing) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    EXPECT_EQ(DecodeIconImage(nullptr, 16), nullptr);
    EXPECT_EQ(DecodeIconImage(StreamOf(0, 0).Get(), 16), nullptr);
    EXPECT_EQ(DecodeIconImage(StreamOf(100, 0x42).Get(), 16), nullptr);
    // A PNG signature at the start of more bytes than an icon may have.
    ComPtr<IStream> huge = StreamOf(kMaxIconBytes + 1, 0);
    const BYTE signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    LARGE_INTEGER start = {};
    huge->Seek(start, STREAM_SEEK_SET, nullptr);
    huge->Write(signature, sizeof(signature), nullptr);
    EXPECT_EQ(DecodeIconImage(huge.Get(), 16), nullptr);
    CoUninitialize();
}

}  // namespace
