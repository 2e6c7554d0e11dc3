// A picture of a window as it is on the screen, frame and caption included.
#pragma once

#include <windows.h>

// Writes the window's picture to `path` as a 24-bit BMP file; false when the
// window could not be read or the file not written.
bool SaveWindowPicture(HWND window, const char* path);
