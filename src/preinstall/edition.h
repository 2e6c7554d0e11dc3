// The edition of the copy being installed: its type and whether it is an
// express version, an OEM copy or a complimentary copy, recorded in the
// current user's registry and in the info record named by `InfoIniPath`.
#pragma once

#include <cstdint>

#include "platform/port.h"

// The edition type and the three flags (nonzero = set) with the name of the
// holder of a complimentary copy. An OEM copy first asks for the OEM's details.
void RecordEdition(const char* editionType, int expressFlag, int oemFlag, int complimentaryFlag,
                   const char* complimentaryName);

// The dialog of template 142 that asks for the OEM's contact details. It has
// no close box and Escape does nothing: OK is the only way out.
std::intptr_t OemDetailsDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam);
// Records the four details from the dialog's fields and ends the dialog with 1.
void SaveOemDetails(port::Window dialog);
