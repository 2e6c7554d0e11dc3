// One scenario of the setup records, run the same way on the simulated
// machine and on the real Win32 API under Wine: on Windows NT, with the
// front end's uninstall entry and the other system's path record and info
// record in place, the post-install record steps run, then the import of
// the other system's records.
#pragma once

#include <string>

// The folders the scenario writes into; each build makes them its own way.
extern const char* const kScenarioFolders[];

// The other system's records and the front end's uninstall entry.
void PrepareOtherSystem();
// The record operations, in the order the stages run them.
void RunRecordOperations();
// Every registry value and INI entry the scenario may write, one per line;
// this system's Windows directory reads as <windows>.
std::string DumpRecords();
