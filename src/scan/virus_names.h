// The names of the viruses the scanners report by id, and the names stored
// in the signature index ZV.INX.
#pragma once

#include <cstdint>

// 30 rows of 25 characters; row k names virus id 2000 + k.
constexpr int kVirusNameRows = 30;
constexpr int kVirusNameSize = 25;
extern char VirusNames2000[kVirusNameRows][kVirusNameSize];
// Row k names virus id 8000 + k; only row 0 is ever filled.
extern char VirusNames8000[kVirusNameRows][kVirusNameSize];
// Two rows 38 bytes apart, each a 16-byte name field and data of the memory
// scanner that this program does not read; row k names virus id 5000 + k.
constexpr int kVirusNames5000Rows = 2;
constexpr int kVirusNames5000Stride = 38;
constexpr int kVirusNames5000NameSize = 16;
extern const char VirusNames5000[kVirusNames5000Rows][kVirusNames5000Stride];

// Fills the two run-time tables; called each time the scan dialog opens.
void BuildVirusNameTables();

// Reads the name of entry `entry` of ZV.INX beside the program into `name`
// (at least 17 characters). 1 with the name filled in; 0, with `name` left
// as it was, when the index cannot be opened or has no such entry.
int ReadIndexName(std::int16_t entry, char* name);
