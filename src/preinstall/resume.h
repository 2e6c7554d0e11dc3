// The resume after a restart: the RunOnce entry that runs "zvset.exe
// /runonce" at the next start of Windows, and that run, which starts the
// front end's SETUP.EXE again from the source directory.
#pragma once

// The RunOnce entry with this program's directory as the system reports it,
// and "SetupDrv" = the source directory under the version key.
void ScheduleResume(const char* sourceDir);
// The handler of "/runonce": asks for setup disk 1 until SETUP.EXE is there
// (Cancel starts nothing), then starts it. The rest of the command line is
// not read.
void HandleRunOnce();
