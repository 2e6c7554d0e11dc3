#include "zvsim_bench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/port.h"
#include "platform/sim/sim.h"

namespace fs = std::filesystem;

namespace zvbench {
namespace {

constexpr int kClasses = 100000;
constexpr char kHive[] = "/registry/95/HKEY_LOCAL_MACHINE.reg";

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void RegistryLoad(benchmark::State& state, const std::string& folder) {
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    std::unique_ptr<sim::Machine> machine = sim::Machine::Open(folder);
    state.SetIterationTime(Seconds(Clock::now() - start));
  }
  state.counters["keys"] = 2.0 * kClasses;
  state.counters["MB"] = static_cast<double>(fs::file_size(folder + kHive)) / 1e6;
}

void RegistrySave(benchmark::State& state, const std::string& folder) {
  std::unique_ptr<sim::Machine> machine = sim::Machine::Open(folder);
  int run = 0;
  for (auto _ : state) {
    machine->WriteRegistry(port::HkeyLocalMachine, "SOFTWARE\\Bench", "Run", std::to_string(++run));
    const Clock::time_point start = Clock::now();
    machine->Save();
    state.SetIterationTime(Seconds(Clock::now() - start));
  }
}

}  // namespace

void MakeHive(const std::string& folder) {
  sim::CreateMachine(folder, sim::MachineKind::Windows95);
  std::ofstream reg(folder + kHive, std::ios::binary | std::ios::app);
  char line[200];
  for (int i = 0; i < kClasses; ++i) {
    std::snprintf(line, sizeof line,
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{%08X-0000-0000-C000-000000000046}]"
                  "\r\n@=\"Bench object %d\"\r\n\r\n",
                  0x10000000u + static_cast<unsigned>(i) * 2654435761u % 0x70000000u, i);
    reg << line;
    std::snprintf(line, sizeof line,
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{%08X-0000-0000-C000-000000000046}"
                  "\\InprocServer32]\r\n@=\"C:\\\\WINDOWS\\\\SYSTEM\\\\OBJ%05d.DLL\"\r\n\r\n",
                  0x10000000u + static_cast<unsigned>(i) * 2654435761u % 0x70000000u, i);
    reg << line;
  }
}

void RegisterHiveBenchmarks(const std::string& folder) {
  benchmark::RegisterBenchmark("RegistryLoad", RegistryLoad, folder)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("RegistrySave", RegistrySave, folder)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
}

}  // namespace zvbench
