// Files a test page refers to: an icon of one colour and a tone to play.
#pragma once

#include <windows.h>

#include <string>

// A PNG image `side` pixels square, all of `colour`; empty if the imaging
// component cannot make one.
std::string SolidPng(COLORREF colour, int side);

// A WAV file of a 440 Hz tone lasting `seconds`.
std::string ToneWav(int seconds);
