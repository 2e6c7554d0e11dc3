// The front end's top-level window "Setup": hidden while a stage runs, shown
// and raised after it, closed to stop the whole installation. Each does
// nothing when there is no such window.
#pragma once

void HideSetupWindow();
void ShowSetupWindow();
// Sends WM_CLOSE and returns once the window has handled it.
void CloseSetupWindow();
