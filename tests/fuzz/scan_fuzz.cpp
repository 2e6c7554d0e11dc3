// Any bytes as a file to scan, with the sample index: the file's
// classification (CheckFileType, GetVirExeStart) and the four scanners.
//
// Property: the type is one of the five, and 0 only for an empty file; the
// entry point is a file offset or -1; both put the file back at its start;
// every scanner reports nothing or an entry of its own kind with that
// entry's id, reading nothing past the file or its buffers.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::uint8_t> index = [] {
    std::ifstream in(std::string(ENGINE_FIXTURES) + "/ZV.INX", std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
  }();
  static zvengine::SignatureSet set;
  static const bool loaded = zvengine::LoadSignatureSet(index.data(), index.size(), set);
  FUZZ_CHECK(loaded);
  // The index is loaded once, and the inputs are scanned one after the
  // other as the scan of a whole system scans its files.
  fuzz::RunOnMachine([&] {
    static bool started = false;
    if (!started) {
      fuzz::PutFile("C:\\ZV Setup\\ZV.INX", std::string(index.begin(), index.end()));
      FUZZ_CHECK(InitScan("C:\\ZV Setup\\ZV.INX") == 1);
      started = true;
    }
    fuzz::PutFile("C:\\ZV Setup\\FUZZ.EXE", std::string(reinterpret_cast<const char*>(data), size));
    fuzz::ScanFile("C:\\ZV Setup\\FUZZ.EXE", &set);
  });
  return 0;
}
