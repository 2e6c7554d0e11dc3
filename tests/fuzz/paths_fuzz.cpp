// The setup frame's path idioms over any texts and any buffer size.
//
// Property: each result is what the idiom says, cut to what the buffer
// holds (size - 1 characters and the terminator), and nothing is written
// past the buffer: every buffer is a heap block of exactly its size, where
// ASan sees one byte too many. A path shortened in place is either left as
// it was or becomes the system's short form, cut.
#include <cctype>
#include <cstring>
#include <memory>
#include <string>

#include "frame/paths.h"
#include "fuzz_support.h"
#include "platform/port.h"

namespace {

std::string Cut(const std::string& s, std::size_t size) { return size == 0 ? "" : s.substr(0, size - 1); }

struct Buffer {
  explicit Buffer(std::size_t n) : size(n), bytes(new char[n == 0 ? 1 : n]) {}
  std::string Text() const { return std::string(bytes.get(), strnlen(bytes.get(), size)); }
  std::size_t size;
  std::unique_ptr<char[]> bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t bufferSize = static_cast<std::size_t>(data[0]) + 1;
  ++data;
  --size;
  const std::string path = fuzz::TakeUntil(data, size, '\0');
  const std::string name = fuzz::TakeUntil(data, size, '\0');

  Buffer b(bufferSize);
  CopyText(b.bytes.get(), b.size, path.c_str());
  FUZZ_CHECK(b.Text() == Cut(path, bufferSize));
  const std::string held = b.Text();
  AppendName(b.bytes.get(), b.size, name.c_str());
  FUZZ_CHECK(b.Text() == Cut(held + name, bufferSize));

  CopyText(b.bytes.get(), b.size, path.c_str());
  AppendBackslash(b.bytes.get(), b.size);
  FUZZ_CHECK(b.Text() == Cut(!held.empty() && held.back() == '\\' ? held : held + "\\", bufferSize));

  std::string upper = path, lower = path;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string copy = path;
  UpperCase(copy.data());
  FUZZ_CHECK(copy == upper);
  LowerCase(copy.data());
  FUZZ_CHECK(copy == lower);
  std::string word = name;
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  FUZZ_CHECK(ContainsLowerWord(path.c_str(), word.c_str()) == (lower.find(word) != std::string::npos));

  fuzz::RunOnMachine([&] {
    Buffer windows(bufferSize);
    GetWindowsDirWithSlash(windows.bytes.get(), windows.size);
    const std::string dir = "C:\\WINDOWS";
    FUZZ_CHECK(windows.Text() == Cut(dir.size() < bufferSize ? dir + "\\" : "\\", bufferSize));

    CopyText(b.bytes.get(), b.size, path.c_str());
    ShortenInPlace(b.bytes.get(), b.size);
    char shortPath[260];
    const unsigned n = port::ShortPathName(held.c_str(), shortPath, sizeof shortPath);
    FUZZ_CHECK(b.Text() == (n > 0 && n < sizeof shortPath ? Cut(shortPath, bufferSize) : held));
    FileExists(b.bytes.get());
  });
  return 0;
}
