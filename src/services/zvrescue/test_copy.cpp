// Test copies of ZVRESCUE.DLL for the Wine tests: each export answers
// ZVRESCUE_RESULT without touching a disk, and a copy built with
// ZVRESCUE_WITHOUT_RESCUE_CREATE or ZVRESCUE_WITHOUT_EMERGENCY_DISK lacks
// that export (its other one answers 1).
#include "services/zvrescue/rescue.h"

#ifndef ZVRESCUE_RESULT
#define ZVRESCUE_RESULT 1
#endif

#ifndef ZVRESCUE_WITHOUT_RESCUE_CREATE
ZVRESCUE_API int RescueCreate(char, std::int32_t, port::Instance) { return ZVRESCUE_RESULT; }
#endif

#ifndef ZVRESCUE_WITHOUT_EMERGENCY_DISK
ZVRESCUE_API int CreateEmergencyDisk(char, port::Window, port::Instance) {
  return ZVRESCUE_RESULT;
}
#endif
