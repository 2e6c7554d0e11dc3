// Setup disk 1, which holds the front end's SETUP.EXE in the source directory.
#pragma once

// Returns once SETUP.EXE is in the source directory, asking for the disk with
// OK only until it is.
void WaitForSetupDisk(const char* sourceDir);

// Asks for setup disk 1 in the drive of `setupPath` (its first character, in
// upper case) with the buttons of `buttons`; the user's answer.
int AskForSetupDisk(const char* setupPath, unsigned buttons);
