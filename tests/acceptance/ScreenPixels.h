// What a person sees of part of the screen: its pixels, as drawn.
#pragma once

#include <windows.h>

#include <vector>

struct ScreenImage {
    LONG width = 0;
    LONG height = 0;
    std::vector<COLORREF> pixels;  // row by row, from the top left
};

// Copies the rectangle of the screen; false if it cannot be read.
bool CaptureScreen(const RECT& screenRect, ScreenImage* image);

// How many pixels are within `tolerance` of `colour` in each of red, green and blue.
int CountPixelsNear(const ScreenImage& image, COLORREF colour, int tolerance);

// The smallest rectangle (in the image) holding every pixel darker than
// `brightness` (0 to 255, the mean of red, green and blue); empty if none is.
RECT DarkPixelBounds(const ScreenImage& image, int brightness);
