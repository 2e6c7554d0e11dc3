// The pre-install scan dialog (template 143): memory, master boot record and
// system files, run one after the other as messages the dialog posts to
// itself. It takes no input and ends by itself with result 1; a stop of the
// installation is signalled only by closing the front end's "Setup" window.
#pragma once

#include <cstdint>

#include "platform/port.h"

constexpr int kScanDialogTemplate = 143;

std::intptr_t PreInstallScanDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam);
