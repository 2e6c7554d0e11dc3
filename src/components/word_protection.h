// Word macro-virus protection: the components dialog, where Word lives, and
// the installation of the product's protective global template into Word.
#pragma once

// The components dialog "Select Components to Install" (template 149):
// records the choices of Word protection and the shell extensions.
void RunComponentsDialog();

// Installs the protective template when the user chose it: by file
// replacement for Word 97, by running Word on ZVFW.DOC for older Word; then
// backs the template up and registers the template keeper. 1 when the
// template was installed.
int InstallWordProtection();

// Word's directory, ending in a backslash, into a buffer of kPathSize
// characters; 1 when found, 0 when not.
int GetWordDirectory(char* buffer);
// Word's directory followed by "winword.exe"; 1 when found, 0 when not.
int FindWordExecutable(char* buffer);
// Word's template directory, in short form, ending in a backslash; 1 when
// found, 0 when not.
int GetWordTemplateDirectory(char* buffer);

// Sends WM_CLOSE to every top-level window whose title holds both "word"
// and "zvfw" in any letter case: Word's windows showing the installer
// document.
void CloseWordWindows();
