// The simulated registry's REGEDIT4 files, read and written.
//
// Property: any file either is refused with sim::Error or is read; a
// registry read and saved unchanged writes nothing; what is saved and read
// again is the same registry (saved again, it writes nothing). And a value
// of any name and any data on one line, set in any key below a root, is
// found again as it was after a save and a read.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/sim/files.h"
#include "platform/sim/registry.h"
#include "platform/sim/sim.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kLocalMachine = 0x80000002u;

std::string Folder(const char* name) {
  const std::string folder = fuzz::ScratchFolder() + "/" + name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::string Contents(const std::string& folder) {
  std::string all;
  for (std::uint32_t root = 0x80000000u; root <= 0x80000003u; ++root) {
    std::ifstream in(folder + "/" + sim::Registry::RootName(root) + ".reg", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    all += s.str() + "|";
  }
  return all;
}

// Writes the registry's changed .reg files back into `folder`, as a
// machine's save does; the number of files written.
std::size_t SaveRegistry(const sim::Registry& registry, const std::string& folder) {
  std::vector<sim::HostFileText> files;
  registry.AddTexts(folder, files);
  sim::WriteHostFilesTogether(files);
  return files.size();
}

bool OnOneLine(const std::string& text) { return text.find_first_of("\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The file, then a key, a value name and its data, separated by zero bytes.
  const std::string file = fuzz::TakeUntil(data, size, '\0');
  const std::string key = fuzz::TakeUntil(data, size, '\0');
  const std::string name = fuzz::TakeUntil(data, size, '\0');
  const std::string value(reinterpret_cast<const char*>(data), size);

  const std::string first = Folder("reg1");
  std::ofstream(first + "/HKEY_LOCAL_MACHINE.reg", std::ios::binary) << file;
  sim::Registry registry;
  try {
    registry.Load(first);
  } catch (const sim::Error&) {
    return 0;
  }
  // Values live in keys: the roots themselves hold none in the files.
  const bool settable = OnOneLine(key) && OnOneLine(name) && OnOneLine(value) &&
                        key.find_first_not_of('\\') != std::string::npos;
  if (settable) {
    sim::RegNode& node = registry.Create(kLocalMachine, key);
    node.RemoveValue(name);
    node.values.push_back({name, value, true});
  }

  const std::string before = Contents(first);
  const std::size_t written = SaveRegistry(registry, first);
  FUZZ_CHECK(settable || (written == 0 && Contents(first) == before));
  sim::Registry again;
  again.Load(first);
  const std::string saved = Contents(first);
  FUZZ_CHECK(SaveRegistry(again, first) == 0 && Contents(first) == saved);
  if (settable) {
    sim::RegNode* node = again.Find(kLocalMachine, key);
    FUZZ_CHECK(node != nullptr);
    sim::RegValue* found = node->Value(name);
    FUZZ_CHECK(found != nullptr && found->isString && found->data == value);
  }
  return 0;
}
