// The resident protection, the programs started with Windows, and the restart.
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"
#include "services/zvutil/product_records.h"
#include "services/zvutil/zvutil.h"

using namespace zvutil;

int IsAutoProtectLoaded(void) { return port::FindTopWindow(kAutoProtectWindow) != 0 ? 1 : 0; }

// The Run values of the on-line protection, the scheduler, the toolbar and
// the Word template keeper.
int RemoveEntriesFromStartup(void) {
  static const char* const kRunValues[] = {"Zelvane On-Line Protection", "Zelvane Scheduler",
                                           "Zelvane ToolBar", "ZVFW"};
  for (const char* value : kRunValues) DeleteRegistryValue(port::HkeyLocalMachine, kRunKey, value);
  return 1;
}

int RestartWindows(void) { port::RestartSystem(); }
