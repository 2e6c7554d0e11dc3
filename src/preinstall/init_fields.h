// The nine fields that the front end passes with "/initsetup", each kept in
// a buffer of its own size: a longer field is cut to what its buffer holds.
#pragma once

#include "frame/setup_state.h"

constexpr int kFlagFieldSize = 8;            // a flag or a number: 7 characters
constexpr int kComplimentaryNameSize = 36;   // 35 characters

struct InitSetupFields {
  char sourceDir[kPathSize];     // 1: where the front end's SETUP.EXE lies (setup disk 1)
  char secondDir[kPathSize];     // 2: a directory, only shortened
  char number[kFlagFieldSize];   // 3: read and ignored
  char editionType[kFlagFieldSize];      // 4
  char expressFlag[kFlagFieldSize];      // 5
  char oemFlag[kFlagFieldSize];          // 6
  char complimentaryFlag[kFlagFieldSize];  // 7
  char complimentaryName[kComplimentaryNameSize];  // 8
};

// Takes the fields of the list that begins after the verb's ten characters;
// field 9 goes into `ProductVersion`. Nothing past the list is read: a field
// that is not there reads as empty, and a missing version keeps the one
// `ProductVersion` holds.
void TakeInitSetupFields(const char* argumentText, InitSetupFields& fields);
