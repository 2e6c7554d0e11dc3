#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "builtin_libraries.h"
#include "frame/setup_state.h"
#include "platform/port.h"

namespace fs = std::filesystem;

namespace fuzz {
namespace {

// The transcript grows with every run: the machine is opened afresh after
// this many, so that a long fuzzing run keeps a small memory.
constexpr int kRunsPerOpening = 2000;

std::unique_ptr<sim::Machine> machine;
int runs = 0;

void RemoveScratch() {
  machine.reset();
  std::error_code ec;
  fs::remove_all(ScratchFolder(), ec);
}

}  // namespace

void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: property violated: %s\n", file, line, what);
  std::abort();
}

const std::string& ScratchFolder() {
  // Never destroyed: the exit handler that removes it needs it.
  static const std::string* const folder = [] {
    const fs::path path = fs::temp_directory_path() / ("zvset-fuzz-" + std::to_string(::getpid()));
    std::error_code ec;
    fs::remove_all(path, ec);
    fs::create_directories(path);
    std::atexit(RemoveScratch);
    return new std::string(path.string());
  }();
  return *folder;
}

sim::Machine& TheMachine() {
  const std::string folder = ScratchFolder() + "/machine";
  if (machine && runs >= kRunsPerOpening) machine.reset();
  if (!machine) {
    if (!fs::exists(folder)) sim::CreateMachine(folder, sim::MachineKind::Windows95);
    RegisterBuiltinLibraries();
    machine = sim::Machine::Open(folder);
    runs = 0;
  }
  return *machine;
}

void RunOnMachine(const std::function<void()>& body) {
  sim::Machine& m = TheMachine();
  ++runs;
  const sim::RunResult result = m.Run([&] {
    ResetSetupState();
    body();
    return 0;
  });
  if (result.ending != sim::RunResult::Ending::Exited) {
    std::fprintf(stderr, "run did not end normally: %s\n", result.message.c_str());
    std::abort();
  }
}

void PutFile(const char* path, const std::string& bytes) {
  port::SetAttributes(path, port::AttrNormal);
  const port::File f = port::OpenFile(path, port::GenericWrite, 0, port::CreateAlways);
  FUZZ_CHECK(f != port::InvalidFile);
  if (!bytes.empty())
    FUZZ_CHECK(port::WriteTo(f, bytes.data(), static_cast<std::uint32_t>(bytes.size())) ==
               bytes.size());
  port::CloseFile(f);
}

bool GetFile(const char* path, std::string& bytes) {
  const port::File f = port::OpenFile(path, port::GenericRead, port::ShareRead, port::OpenExisting);
  if (f == port::InvalidFile) return false;
  bytes.clear();
  char block[4096];
  while (std::uint32_t n = port::ReadFrom(f, block, sizeof block)) bytes.append(block, n);
  port::CloseFile(f);
  return true;
}

std::string TakeUntil(const std::uint8_t*& data, std::size_t& size, char separator) {
  std::string piece;
  while (size > 0) {
    const char c = static_cast<char>(*data++);
    --size;
    if (c == separator) break;
    piece += c;
  }
  return piece;
}

}  // namespace fuzz
