#include "services/zvmsi/memory_scan.h"

// No virus of those the product knows can be active in a 32-bit Windows
// session that is running setup, so memory counts as clean. The test build
// ZVMSI_REPORTS_INFECTION stands for a library that found one.
ZVMSI_API std::int16_t InitiateMemoryScan(std::int32_t option) {
  (void)option;
#ifdef ZVMSI_REPORTS_INFECTION
  return 1;
#else
  return 0;
#endif
}
