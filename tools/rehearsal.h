// A rehearsal: one scenario folder run on a fresh simulated machine, step by
// step as the setup front end would, with each stage's transcript and, at
// the end, what the installation changed on the machine.
//
// The scenario folder:
//   scenario     the steps, one a line ('#' starts a comment):
//                  machine 95|nt|dual   the fresh machine (first; required)
//                  boot 95|NT           which Windows runs (default: the machine's)
//                  /VERB...             a stage: ZVSET started with this argument text
//                  copy FROM TO         the front end copies the files of folder FROM
//                                       (a Windows path without blanks) into folder TO
//                  uninstall-entry COMMAND
//                                       the front end registers its uninstall command
//                  restart              Windows starts again and runs its Run and
//                                       RunOnce entries
//   answers      the scripted user (optional), used across all the stages
//   machine.ini  entries added to the fresh machine's machine.ini (optional)
//   registry     REGEDIT4 text added to the booted system's registry (optional)
//   disk/        files added to the machine's drives: disk/C/..., disk/A/... (optional)
//   expected     what the rehearsal prints (kept for the tests)
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Runs the scenario in `scenarioFolder` on a machine made in `machineFolder`
// (which must not exist or be empty) and prints the rehearsal to standard
// output. 0 when every step ran, 1 when one stopped or the scenario is bad.
int Rehearse(const std::string& scenarioFolder, const std::string& machineFolder);

// The parts of a rehearsal, for the sweeps that run one scenario many times.
// Makes the scenario's fresh machine in `machineFolder`: the machine of its
// kind with the scenario's files, machine.ini entries and registry content.
void MakeScenarioMachine(const std::string& scenarioFolder, const std::string& machineFolder);

struct StepsOutcome {
  bool finished = false;  // every step ran (or the front end's window closed)
  std::string stopped;    // why the stage that stopped did
};
// Runs the scenario's steps on the machine in `machineFolder` as it is now,
// its answers followed by `moreAnswers`, printing the transcript to `out`;
// `afterEachStep`, when given, is called after each step that ran, with the
// machine saved. Throws sim::Error for a bad scenario or a machine that
// cannot be opened.
StepsOutcome RunScenarioSteps(const std::string& scenarioFolder, const std::string& machineFolder,
                              std::FILE* out, const std::string& moreAnswers = "",
                              const std::function<void()>& afterEachStep = nullptr);
