#include "machine_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "frame/setup_state.h"
#include "platform/port.h"

void MachineTest::Boot(sim::MachineKind kind, const std::string& system,
                       const std::vector<IniEntry>& settings) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  folder_ = ::testing::TempDir() + "zvset-services/" + name;
  machine_.reset();
  std::filesystem::remove_all(folder_);
  std::filesystem::create_directories(std::filesystem::path(folder_).parent_path());
  sim::CreateMachine(folder_, kind);
  if (!settings.empty()) {
    std::string text;
    {
      std::ifstream in(folder_ + "/machine.ini", std::ios::binary);
      text.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (const IniEntry& e : settings) {
      const std::string header = "[" + e.section + "]\r\n";
      const std::string line = e.key + "=" + e.value + "\r\n";
      const std::size_t at = text.find(header);
      if (at == std::string::npos)
        text += header + line;
      else
        text.insert(at + header.size(), line);
    }
    std::ofstream(folder_ + "/machine.ini", std::ios::binary) << text;
  }
  machine_ = sim::Machine::Open(folder_, system);
}

void MachineTest::Reboot(const std::string& system) {
  machine_->Save();
  machine_.reset();
  machine_ = sim::Machine::Open(folder_, system);
}

void MachineTest::MakeFolder(const std::string& windowsPath) {
  std::filesystem::create_directories(machine_->HostPath(windowsPath));
}

sim::RunResult MachineTest::RunForResult(const std::function<void()>& body) {
  return machine_->Run([&] {
    ResetSetupState();
    body();
    return 0;
  });
}

void MachineTest::Run(const std::function<void()>& body) {
  const sim::RunResult result = RunForResult(body);
  EXPECT_EQ(result.ending, sim::RunResult::Ending::Exited) << result.message;
}

std::string MachineTest::Registry(std::uint32_t root, const std::string& key,
                                  const std::string& name) const {
  std::string value;
  machine_->ReadRegistry(root, key, name, value);
  return value;
}

bool MachineTest::HasValue(std::uint32_t root, const std::string& key,
                           const std::string& name) const {
  std::string value;
  return machine_->ReadRegistry(root, key, name, value);
}

void WriteWholeFile(const char* path, const std::string& bytes) {
  const port::File file =
      port::OpenFile(path, port::GenericWrite, 0, port::CreateAlways);
  ASSERT_NE(file, port::InvalidFile) << path;
  EXPECT_EQ(port::WriteTo(file, bytes.data(), static_cast<std::uint32_t>(bytes.size())),
            bytes.size());
  port::CloseFile(file);
}

std::string ReadWholeFile(const char* path) {
  const port::File file = port::OpenFile(path, port::GenericRead, port::ShareRead,
                                         port::OpenExisting);
  if (file == port::InvalidFile) return "<missing>";
  std::string bytes;
  char block[512];
  while (const std::uint32_t got = port::ReadFrom(file, block, sizeof block))
    bytes.append(block, got);
  port::CloseFile(file);
  return bytes;
}

std::string Profile(const char* file, const char* section, const char* key) {
  char value[512] = "";
  port::ReadProfileString(file, section, key, "", value, sizeof value);
  return value;
}
