// Word before Word 97 installs the protection itself: it is run on the
// product's installer document ZVFW.DOC, and setup waits until the document
// reports that it is done.
#pragma once

// Runs Word on ZVFW.DOC and waits; sets WordTemplateInstalled when the
// document reported its installation done.
void InstallForOlderWord();
