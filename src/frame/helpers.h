// Two small operations that the dialogs and stages share.
#pragma once

#include <cstdint>

#include "platform/port.h"

// The directory of ZVSET's own module file, in short form, ending in a
// backslash. `size` bounds both the module file name and its short form.
void GetModuleDir(char* buffer, std::uint16_t size);

// Centres a window on the primary screen, keeping its size, without repainting.
void CentreWindow(port::Window window);
