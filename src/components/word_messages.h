// The messages of the Word stage. All are owned by no window.
#pragma once

#include "platform/port.h"

// Word is not installed, or its program is missing, when the components
// dialog opens.
constexpr const char* kWordMissingText =
    "Could not locate MS-Word. If you install MS-Word later, load it and open ZVFW.DOC file "
    "for macro virus protection.";
constexpr const char* kWordMissingTitle = "Warning";

// The installer document is not in the install directory.
constexpr const char* kInstallerDocMissingText =
    "Could not locate ZVFW.DOC.\n\nUnable to install Word macro virus solution.";
constexpr const char* kInstallerDocMissingTitle = "Setup Error";

// Word could not be started on the installer document.
constexpr const char* kWordNotStartedText =
    "Unable to install Word macro virus solution. Load MS-WORD and open ZVFW.DOC file for "
    "macro virus protection.";
constexpr const char* kWordNotStartedTitle = "Error";

constexpr unsigned kWordMessageType = port::mb::Ok | port::mb::IconInformation;
