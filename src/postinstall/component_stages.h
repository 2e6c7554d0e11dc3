// The optional components, in the order the user is asked about them: run by
// "/endsetup" and by the reconfiguration for a second system alike.
#pragma once

void RunComponentStages();
