#include "postinstall/component_stages.h"

#include "components/diskettes.h"
#include "components/shell_extensions.h"
#include "components/startup_components.h"
#include "components/word_protection.h"
#include "frame/setup_state.h"

void RunComponentStages() {
  RunComponentsDialog();
  if (WantWordProtection) InstallWordProtection();
  if (WantShellExtensions) InstallShellExtensions();
  RunStartupComponentsDialog();
  RegisterStartupPrograms();
  if (WantRescueDisk || WantEmergencyDisk) MakeDiskettes();
  if (WantScheduler) OfferScheduler();
}
