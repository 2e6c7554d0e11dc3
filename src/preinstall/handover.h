// The hand-over values under the version key that tell a "/initsetup" run
// it was started while the pre-install stage removes the previous version
// ("CalledFromInstall", also across a restart) or by the uninstaller
// ("CalledFromUninst").
#pragma once

// 1 when the value, read into 5 characters, begins with '1'; a missing value gives 0.
int IsCalledFromInstall();
int IsCalledFromUninst();
// "CalledFromInstall" = "1", data length 1.
void SetCalledFromInstall();
void ClearCalledFromInstall();

// The version key of `ProductVersion`: the key "SOFTWARE|Brackwell|Zelvane|" and the version.
void FormProductVersionKey(char* key, unsigned size);
