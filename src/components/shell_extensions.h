// The Explorer scan commands: the verb "Zelvane Scan" on programs, drives,
// folders and ARJ and ZIP archives, which runs the scanner on the object.
#pragma once

// Writes the verb keys again when the user kept the shell extensions box.
void InstallShellExtensions();
