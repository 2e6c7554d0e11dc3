// The rescue and emergency diskettes: the drive is chosen, each diskette is
// asked for, the drive prepared, and ZVRESCUE.DLL writes them; failures lead
// back to the drive choice until both wanted diskettes are made or the user
// cancels.
#pragma once

#include <cstdint>

#include "platform/port.h"

void MakeDiskettes();

// Template 135: 0 for drive A, 1 for drive B, -1 for Cancel or no drive.
int SelectDriveDialog();
std::intptr_t SelectDriveProc(port::Window dialog, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam);
// Template 165: only OK closes it.
std::intptr_t RescueDoneDialog(port::Window dialog, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam);

// Each asks for its diskette in FloppyDrive and has it written. Rescue: 1
// written (and told), -1 the drive was not ready (ask for the drive again), 0
// given up, another value the library's. Emergency: nonzero written, 0 not.
std::int16_t MakeRescueDiskette();
std::int16_t MakeEmergencyDiskette();
// The library's result, or 0 when the drive was not readable (the user
// cancelled) or the library or its export is missing.
std::int16_t WriteRescueDiskette(int drive, std::int32_t reserved, port::Instance instance);
std::int16_t WriteEmergencyDiskette(int drive, port::Window owner, port::Instance instance);

// 1 once the drive can be read, 2 when the user cancelled.
int WaitForDrive(int drive);
// 1 when the drive's root can be read, 0 otherwise; the system shows no box.
int ProbeDrive(int drive);
// Saves the current drive and directory in `saved` (260 characters) and
// makes the install directory current; RestoreDirectory goes back.
void EnterInstallDir(char* saved);
void RestoreDirectory(const char* saved);
