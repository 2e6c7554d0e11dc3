// The startup components: which of the product's resident programs start
// with Windows, whether rescue and emergency diskettes are made, and the
// offer to schedule scans at once.
#pragma once

#include <cstdint>

#include "platform/port.h"

// The edition Type of the current user's vendor key, read anew at every use;
// 3 is the edition that also offers the emergency diskette. A missing value
// reads as 0.
int GetEditionType();

// The dialog (template 103 for edition Type 3, else 102): sets the five
// component choices of the setup state.
void RunStartupComponentsDialog();
std::intptr_t StartupComponentsDialog(port::Window dialog, unsigned message,
                                      std::uintptr_t wParam, std::intptr_t lParam);

// Makes the Run key and the configuration file's startup record match the
// three start choices.
void RegisterStartupPrograms();

// Asks whether to schedule scans now; Yes runs RunSchedulerSetup.
void OfferScheduler();
// Starts the scheduler and waits while its window is shown.
void RunSchedulerSetup();
