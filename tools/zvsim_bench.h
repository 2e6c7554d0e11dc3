// The simulator's side of the benchmark (tools/zvinx_bench.cpp): a machine
// whose registry has a real machine's size, loaded and saved.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <time.h>

namespace zvbench {

// The thread's processor time: the machine may be shared, and with the files
// in the page cache the work waits for nothing else.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return time_point(duration(std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec));
  }
};

// Makes a Windows 95 machine in `folder` whose HKEY_LOCAL_MACHINE holds
// 200,000 keys more: 100,000 class ids under one key, each with a subkey.
void MakeHive(const std::string& folder);

// RegistryLoad (the machine opened) and RegistrySave (one value changed, the
// machine saved) on the machine that MakeHive made.
void RegisterHiveBenchmarks(const std::string& folder);

}  // namespace zvbench
