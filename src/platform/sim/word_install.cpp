// Word as a user's installation leaves the machine.
#include <filesystem>

#include "platform/port.h"
#include "platform/sim/sim.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

void Put(const std::string& path, const std::string& text) {
  const port::File file = port::OpenFile(path.c_str(), port::GenericWrite, 0, port::CreateAlways);
  if (file == port::InvalidFile) throw Error("cannot write " + path);
  port::WriteTo(file, text.data(), static_cast<std::uint32_t>(text.size()));
  port::CloseFile(file);
}

}  // namespace

void InstallWord(const std::string& folder, WordKind kind) {
  const bool word97 = kind == WordKind::Word97;
  const std::string word = word97 ? "C:\\Program Files\\Microsoft Office\\Office" : "C:\\WINWORD";
  const std::string templates =
      word97 ? "C:\\Program Files\\Microsoft Office\\Templates" : "C:\\WINWORD\\TEMPLATE";
  auto machine = Machine::Open(folder);
  fs::create_directories(machine->HostPath(word));
  fs::create_directories(machine->HostPath(templates));
  std::string program;
  const RunResult result = machine->Run([&] {
    Put(word + "\\WINWORD.EXE", "Word");
    Put(word + "\\NORMAL.DOT", "NORMAL.DOT of Word's folder");
    Put(templates + "\\NORMAL.DOT", "NORMAL.DOT of the templates' folder");
    // Word's setup names its program by the short path.
    char shortWord[260] = "";
    port::ShortPathName(word.c_str(), shortWord, sizeof shortWord);
    program = std::string(shortWord) + "\\WINWORD.EXE";
    char windows[260] = "";
    port::WindowsDirectory(windows, sizeof windows);
    const std::string entry =
        "Microsoft Word Document,Microsoft Word Document," + program + ",picture";
    port::WriteProfileString((std::string(windows) + "\\WIN.INI").c_str(), "embedding",
                             "WordDocument", entry.c_str());
    return 0;
  });
  if (result.ending != RunResult::Ending::Exited) throw Error(result.message);
  machine->WriteRegistry(port::HkeyCurrentUser,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Extensions", "doc",
                         program + " ^.doc");
  if (word97)
    machine->WriteRegistry(port::HkeyLocalMachine,
                           "SOFTWARE\\Microsoft\\Office\\8.0\\Word\\InstallRoot", "Path", word);
  machine->Save();
}

}  // namespace sim
