// What the fuzz targets share: a check that aborts (so that libFuzzer keeps
// the input that broke a property), and the small simulated machine that the
// targets needing files or a registry run on, made once per process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/sim/sim.h"

namespace fuzz {

[[noreturn]] void Fail(const char* file, int line, const char* what);

// A folder of this process's own under the temporary directory, removed at exit.
const std::string& ScratchFolder();

// The Windows 95 machine of this process (in ScratchFolder()/machine).
sim::Machine& TheMachine();
// Runs `body` as one process of the program on TheMachine(); a run that does
// not end normally is a failure.
void RunOnMachine(const std::function<void()>& body);

// Files through the port, inside a run: whole contents in and out.
void PutFile(const char* path, const std::string& bytes);
bool GetFile(const char* path, std::string& bytes);

// Splits fuzz input into pieces at a separator byte sequence, so that a
// target can take several texts from one input.
std::string TakeUntil(const std::uint8_t*& data, std::size_t& size, char separator);

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::fuzz::Fail(__FILE__, __LINE__, #condition))
