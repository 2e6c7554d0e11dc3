// Helpers of the engine's tests: signature sets compiled from readable lists,
// files made of zeros with byte strings placed in them, fixture files.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "services/zvengine/signatures.h"
#include "zvinx_source.h"

inline std::vector<std::uint8_t> CompileIndex(const std::string& source) {
  std::vector<std::uint8_t> index;
  std::string error;
  EXPECT_TRUE(zvinx::CompileSource(source, index, error)) << error;
  return index;
}

inline zvengine::SignatureSet CompileSet(const std::string& source) {
  zvengine::SignatureSet set;
  std::vector<std::uint8_t> index = CompileIndex(source);
  EXPECT_TRUE(zvengine::LoadSignatureSet(index.data(), index.size(), set));
  return set;
}

// `size` zero bytes with `text` at `at` (counted from the end when negative).
inline std::vector<std::uint8_t> FileWith(std::size_t size, long at, const std::string& text) {
  std::vector<std::uint8_t> file(size, 0);
  std::size_t from = at < 0 ? size + at : static_cast<std::size_t>(at);
  for (std::size_t i = 0; i < text.size() && from + i < size; ++i)
    file[from + i] = static_cast<std::uint8_t>(text[i]);
  return file;
}

inline std::vector<std::uint8_t> ReadFixture(const std::string& name) {
  std::ifstream in(std::string(ENGINE_FIXTURES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

inline std::string ReadFixtureText(const std::string& name) {
  std::vector<std::uint8_t> bytes = ReadFixture(name);
  return std::string(bytes.begin(), bytes.end());
}

// A Windows 95 machine with the fixtures in C:\FIX and the sample index in
// C:\ZV\ZV.INX; the test's body runs on it as one process (Run).
#include <filesystem>

#include "support/machine_fixture.h"

class FixtureMachine : public MachineTest {
 protected:
  void SetUp() override {
    Make();
    for (const auto& entry : std::filesystem::directory_iterator(ENGINE_FIXTURES)) {
      const std::string name = entry.path().filename().string();
      PutFile("C:\\FIX\\" + name, ReadFixtureText(name));
    }
    PutFile("C:\\ZV\\ZV.INX", ReadFixtureText("ZV.INX"));
    Open();
  }

  // Overwrites part of a file on the machine's disk, behind the program's back.
  void Patch(const std::string& windowsPath, long at, const std::string& text) {
    std::fstream f(machine_->HostPath(windowsPath), std::ios::binary | std::ios::in | std::ios::out);
    f.seekp(at < 0 ? std::streamoff(std::filesystem::file_size(machine_->HostPath(windowsPath))) + at
                   : std::streamoff(at));
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
};
