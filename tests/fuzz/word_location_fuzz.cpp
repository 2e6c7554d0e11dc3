// Where Word lives, from any "doc" extension value and any WIN.INI
// [embedding] WordDocument entry.
//
// Property: GetWordDirectory finds a directory exactly when the value (or,
// without a value, the entry's path from the drive letter before its first
// ':' to the next ',') fits a path and holds a backslash, and gives it up to
// and with its last backslash; a value too long for a path is refused, not
// cut. FindWordExecutable gives that directory and "winword.exe" when both
// fit. Nothing is written past a path buffer: each is a heap block of
// exactly its size.
#include <cstring>
#include <memory>
#include <string>

#include "components/word_protection.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "fuzz_support.h"
#include "platform/port.h"
#include "services/zvcfg/zvcfg.h"

namespace {

constexpr const char* kExtensionsKey = "Software|Microsoft|Windows|CurrentVersion|Extensions";
constexpr const char* kWinIni = "C:\\WINDOWS\\WIN.INI";
constexpr std::size_t kPath = kPathSize;

// What the registry and WIN.INI hold on one line.
std::string OneLine(std::string text) {
  std::string line;
  for (char c : text)
    if (c != '\r' && c != '\n') line += c;
  return line;
}

// The directory the value or the entry names, "" for none.
std::string Expected(bool hasDoc, const std::string& doc, const std::string& entry) {
  std::string path;
  if (hasDoc) {
    if (doc.size() >= kPath) return "";
    path = doc;
  } else {
    const std::string seen = entry.substr(0, 499);  // read with room for 499 characters
    const auto colon = seen.find(':');
    if (colon == std::string::npos || colon == 0) return "";
    const auto comma = seen.find(',', colon - 1);
    if (comma == std::string::npos || comma - (colon - 1) >= kPath) return "";
    path = seen.substr(colon - 1, comma - (colon - 1));
  }
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string Read(std::uint32_t root, const char* key, const char* name, bool& found) {
  std::string value(4096, '\0');
  found = GetRegValue(root, key, name, value.data(), static_cast<int>(value.size())) == 1;
  return found ? std::string(value.c_str()) : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool setDoc = data[0] & 1, setEntry = data[0] & 2;
  ++data;
  --size;
  const std::string doc = OneLine(fuzz::TakeUntil(data, size, '\0'));
  const std::string entry = OneLine(fuzz::TakeUntil(data, size, '\0'));

  fuzz::RunOnMachine([&] {
    if (setDoc) AddRegistryValue(port::HkeyCurrentUser, kExtensionsKey, "doc", doc.c_str());
    else DeleteRegistryValue(port::HkeyCurrentUser, kExtensionsKey, "doc");
    port::WriteProfileString(kWinIni, "embedding", "WordDocument",
                             setEntry ? entry.c_str() : nullptr);
    // The texts as the system gives them back: the parse is checked, not the
    // registry's or the profile's own handling.
    bool hasDoc = false;
    const std::string storedDoc = Read(port::HkeyCurrentUser, kExtensionsKey, "doc", hasDoc);
    std::string storedEntry(8192, '\0');
    storedEntry.resize(port::ReadProfileString(kWinIni, "embedding", "WordDocument", "",
                                               storedEntry.data(),
                                               static_cast<unsigned>(storedEntry.size())));
    const std::string want = Expected(hasDoc, storedDoc, storedEntry);

    std::unique_ptr<char[]> directory(new char[kPathSize]);
    const int found = GetWordDirectory(directory.get());
    FUZZ_CHECK(found == (want.empty() ? 0 : 1));
    if (found) FUZZ_CHECK(directory.get() == want);

    std::unique_ptr<char[]> program(new char[kPathSize]);
    const int hasProgram = FindWordExecutable(program.get());
    const std::string wantProgram = want + "winword.exe";
    FUZZ_CHECK(hasProgram == (!want.empty() && wantProgram.size() < kPath ? 1 : 0));
    if (hasProgram) FUZZ_CHECK(program.get() == wantProgram);

    std::unique_ptr<char[]> templates(new char[kPathSize]);
    if (GetWordTemplateDirectory(templates.get())) {
      const std::size_t length = strnlen(templates.get(), kPath);
      FUZZ_CHECK(length > 0 && length < kPath && templates[length - 1] == '\\');
    }
  });
  return 0;
}
