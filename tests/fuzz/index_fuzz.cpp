// The signature index ZV.INX: any bytes as the index, read by the engine's
// loader, by the index lister and by ReadIndexName, then used to scan the
// sample files.
//
// Property: InitScan accepts exactly what the loader accepts; a listed
// index compiled again lists the same; ReadIndexName gives entry n's name
// exactly when the file holds the whole entry, decoded and cut at 16
// characters, and writes no more than 17 bytes; every scanner reports
// nothing or an entry of its own kind with that entry's id.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "fuzz_support.h"
#include "scan/virus_names.h"
#include "services/zvengine/index_format.h"
#include "zvinx_source.h"

namespace {

const char* const kSamples[] = {"top.com", "bottom.exe", "pe.exe", "poly.com", "ne.exe", "jump.com"};

std::string Fixture(const char* name) {
  std::ifstream in(std::string(ENGINE_FIXTURES) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The listing's lines without their entry numbers: the list it came from.
std::string WithoutNumbers(const std::string& listing) {
  std::istringstream in(listing);
  std::string line, out;
  while (std::getline(in, line)) out += line.substr(line.find(' ') + 1) + "\n";
  return out;
}

void CheckIndexNames(const std::vector<std::uint8_t>& index) {
  for (std::int16_t entry : {0, 1, 2, 7, -1}) {
    std::unique_ptr<char[]> name(new char[zvinx::kNameSize + 1]);
    std::strcpy(name.get(), "kept");
    const int got = ReadIndexName(entry, name.get());
    const std::size_t end = zvinx::kHeaderSize + zvinx::kEntrySize * (entry + 1);
    const bool whole = entry >= 0 && index.size() >= end;
    FUZZ_CHECK(got == (whole ? 1 : 0));
    std::string want = "kept";
    if (whole) {
      want.clear();
      for (std::size_t i = 0; i < zvinx::kNameSize; ++i) {
        const char c = static_cast<char>(index[end - zvinx::kEntrySize + zvinx::kNameOffset + i] -
                                         zvinx::kNameShift);
        if (!c) break;
        want += c;
      }
    }
    FUZZ_CHECK(name.get() == want);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> index(data, data + size);
  zvengine::SignatureSet set;
  const bool valid = zvengine::LoadSignatureSet(index.data(), index.size(), set);

  std::string listing, error;
  if (zvinx::ListIndex(index, listing, error)) {
    std::vector<std::uint8_t> again;
    std::string relisted;
    if (zvinx::CompileSource(WithoutNumbers(listing), again, error)) {
      FUZZ_CHECK(zvinx::ListIndex(again, relisted, error));
      FUZZ_CHECK(relisted == listing);
    }
  }

  fuzz::RunOnMachine([&] {
    static bool samplesPut = false;
    if (!samplesPut) {
      for (const char* sample : kSamples)
        fuzz::PutFile(("C:\\ZV Setup\\" + std::string(sample)).c_str(), Fixture(sample));
      samplesPut = true;
    }
    fuzz::PutFile("C:\\ZV Setup\\ZV.INX", std::string(index.begin(), index.end()));
    CheckIndexNames(index);
    FUZZ_CHECK(InitScan("C:\\ZV Setup\\ZV.INX") == (valid ? 1 : 0));
    for (const char* sample : kSamples)
      fuzz::ScanFile(("C:\\ZV Setup\\" + std::string(sample)).c_str(), valid ? &set : nullptr);
    EndScan();
  });
  return 0;
}
