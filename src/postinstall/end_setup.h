// "/endsetup": after the front end has copied the product's files, turns them
// into a working installation on the running system.
#pragma once

// `argumentText` is the whole argument text, beginning with the verb; its
// list holds the source directory and the install directory.
void HandleEndSetup(const char* argumentText);

// The offer of the full scan when the pre-install scan found a virus.
constexpr const char* kDisinfectTitle = "Disinfect Your System";
constexpr const char* kDisinfectText =
    "One or more files on your computer are infected.  It is highly recommended that you scan "
    "the system to eliminate the virus(es).\n\nNOTE : After Zelvane eliminates the virus(es), you "
    "should create a Rescue Diskette.  This will help you recover at times of crisis. Setup will "
    "prompt you to create a rescue diskette.\n\nWould you like to disinfect your system now ?";

// The full scan of every drive, offered when the pre-install scan found a
// virus; returns once the scan has ended, with ExecFile's result.
int RunDisinfection();
