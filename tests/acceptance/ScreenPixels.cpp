#include "ScreenPixels.h"

#include <algorithm>
#include <cstdlib>

bool CaptureScreen(const RECT& screenRect, ScreenImage* image) {
    const LONG width = screenRect.right - screenRect.left;
    const LONG height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (memory != nullptr && bitmap != nullptr) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (copied) {
        image->width = width;
        image->height = height;
        image->pixels.resize(static_cast<size_t>(width) * height);
        const auto* source = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < image->pixels.size(); ++i) {
            // The DIB holds blue, green, red from the low byte up.
            image->pixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
        }
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied;
}

int CountPixelsNear(const ScreenImage& image, COLORREF colour, int tolerance) {
    return static_cast<int>(std::count_if(image.pixels.begin(), image.pixels.end(), [&](COLORREF pixel) {
        return std::abs(GetRValue(pixel) - GetRValue(colour)) <= tolerance &&
               std::abs(GetGValue(pixel) - GetGValue(colour)) <= tolerance &&
               std::abs(GetBValue(pixel) - GetBValue(colour)) <= tolerance;
    }));
}

RECT DarkPixelBounds(const ScreenImage& image, int brightness) {
    RECT bounds = {image.width, image.height, 0, 0};
    for (LONG y = 0; y < image.height; ++y) {
        for (LONG x = 0; x < image.width; ++x) {
            const COLORREF pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
            if ((GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3 >= brightness) continue;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    return bounds.right > bounds.left ? bounds : RECT{};
}
