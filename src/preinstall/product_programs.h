// The product's running programs, closed before the front end copies
// anything, and the restart that removes the resident protection.
#pragma once

// Closes the toolbar and the scheduler, insists until the user has closed the
// scanner and, while the resident protection is loaded, restarts Windows
// after arranging the resume; then the run ends there.
void CloseProductPrograms(const char* sourceDir);
