#include "support/machine_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "builtin_libraries.h"
#include "platform/port.h"
#include "frame/setup_state.h"

namespace fs = std::filesystem;

namespace {
constexpr port::Instance kTestInstance = 0x400000;

// Replaces, adds or (with a null value) removes one key of an INI text.
std::string SetKey(const std::string& text, const std::string& section, const std::string& key,
                   const char* value) {
  std::istringstream in(text);
  std::string line, out, header = "[" + section + "]";
  bool inSection = false, done = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      if (inSection && !done && value) out += key + "=" + value + "\r\n";
      if (inSection) done = true;
      inSection = line == header;
    } else if (inSection && line.rfind(key + "=", 0) == 0) {
      if (value) out += key + "=" + value + "\r\n";
      done = true;
      continue;
    }
    out += line + "\r\n";
  }
  if (!done && value) out += (inSection ? "" : header + "\r\n") + key + "=" + value + "\r\n";
  return out;
}
}  // namespace

MachineTest::MachineTest() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  // One folder per process and test, so that runs side by side (two builds'
  // suites, ctest -j) never share a machine.
  folder_ = (fs::temp_directory_path() /
             ("zvset-" + std::to_string(::getpid()) + "-" + name)).string();
}

void MachineTest::TearDown() {
  machine_.reset();
  if (!HasFailure()) {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
}

void MachineTest::Make(sim::MachineKind kind) {
  machine_.reset();
  std::error_code ec;
  fs::remove_all(folder_, ec);  // left by an earlier run that failed
  sim::CreateMachine(folder_, kind);
}

void MachineTest::SetMachineIni(const std::string& section, const std::string& key,
                                const std::string& value) {
  EditMachineIni(section, key, value.c_str());
}

void MachineTest::RemoveMachineIni(const std::string& section, const std::string& key) {
  EditMachineIni(section, key, nullptr);
}

void MachineTest::EditMachineIni(const std::string& section, const std::string& key,
                                 const char* value) {
  ASSERT_FALSE(machine_) << "set machine.ini before the machine is opened";
  std::ifstream in(folder_ + "/machine.ini", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  in.close();
  std::ofstream(folder_ + "/machine.ini", std::ios::binary) << SetKey(s.str(), section, key, value);
}

void MachineTest::PutFile(const std::string& windowsPath, const std::string& content) {
  // Drive letter and folders as given: C:\A\B.TXT -> disk/C/A/B.TXT.
  std::string rel = windowsPath.substr(0, 1) + windowsPath.substr(2);
  for (char& c : rel)
    if (c == '\\') c = '/';
  const fs::path path = fs::path(folder_) / "disk" / rel;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

bool MachineTest::ReadFile(const std::string& windowsPath, std::string& content) {
  std::ifstream in(Open().HostPath(windowsPath), std::ios::binary);
  if (!in) return false;
  std::stringstream s;
  s << in.rdbuf();
  content = s.str();
  return true;
}

void MachineTest::Answer(const std::string& script) { Open().AddAnswers(script); }

sim::Machine& MachineTest::Open(const std::string& system) {
  RegisterBuiltinLibraries();
  if (!machine_) machine_ = sim::Machine::Open(folder_, system);
  return *machine_;
}

sim::RunResult MachineTest::Zvset(const std::string& argumentText) {
  return Open().Run([&] { return ZvsetMain(kTestInstance, argumentText.c_str()); });
}

sim::RunResult MachineTest::RunProcess(const std::function<void()>& body) {
  return Open().Run([&] {
    ResetSetupState();
    body();
    return 0;
  });
}

void MachineTest::Run(const std::function<void()>& body) {
  const sim::RunResult result = RunProcess(body);
  EXPECT_EQ(result.ending, sim::RunResult::Ending::Exited) << result.message;
}

void MachineTest::MakeFolder(const std::string& windowsPath) {
  fs::create_directories(Open().HostPath(windowsPath));
}

void MachineTest::Boot(sim::MachineKind kind, const std::string& system,
                       const std::vector<IniEntry>& settings) {
  Make(kind);
  for (const IniEntry& e : settings) SetMachineIni(e.section, e.key, e.value);
  Open(system);
}

void MachineTest::Reboot(const std::string& system) {
  Open().Save();
  machine_.reset();
  Open(system);
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
  const port::File file = port::OpenFile(path, port::GenericWrite, 0, port::CreateAlways);
  ASSERT_NE(file, port::InvalidFile) << path;
  EXPECT_EQ(port::WriteTo(file, bytes.data(), static_cast<std::uint32_t>(bytes.size())),
            bytes.size());
  port::CloseFile(file);
}

std::string ReadWholeFile(const char* path) {
  const port::File file =
      port::OpenFile(path, port::GenericRead, port::ShareRead, port::OpenExisting);
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

std::string MachineTest::Transcript() const {
  return machine_ ? machine_->TranscriptText() : "";
}

std::map<std::string, std::string> MachineTest::FolderFiles() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    files[fs::relative(entry.path(), folder_).generic_string()] = s.str();
  }
  return files;
}
