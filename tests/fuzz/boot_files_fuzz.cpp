// The driver files' marker search and patch, and the rewrites of
// C:\AUTOEXEC.BAT and WININIT.INI, over any file contents.
//
// Property: the marker is found exactly where it first occurs in the file,
// whatever the file's size and wherever the 512-byte windows fall; a patch
// changes only the bytes it writes, and a file without the marker is left as
// it was. AUTOEXEC.BAT becomes the start-up line and every line not naming
// ZVSTRUP, and its old text is kept byte for byte as AUTOEXEC.ZV;
// WININIT.INI keeps every line that does not name the install directory,
// and no scratch file stays. (A line is tested on the text the rewrite's
// line buffer holds: its first 179 characters, up to a zero byte.)
#include <string>
#include <vector>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "fuzz_support.h"
#include "line_copy.h"
#include "postinstall/boot_files.h"
#include "postinstall/driver_paths.h"
#include "services/zvio/zvio.h"

namespace {

constexpr std::size_t kTested = 179;

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string Kept(const std::string& file, const std::string& drop) {
  std::vector<std::string> kept;
  for (const std::string& line : fuzz::LinesOf(fuzz::TextRead(file), false)) {
    const std::string tested = line.substr(0, kTested);
    if (Lower(tested.substr(0, tested.find('\0'))).find(drop) == std::string::npos)
      kept.push_back(line);
  }
  return fuzz::Joined(kept);
}

void CheckMarker(const std::string& file, char letter) {
  const std::string marker(kMarkerLength, letter);
  const std::size_t at = file.find(marker);
  fuzz::PutFile("C:\\WINDOWS\\VIGARD.SYS", file);
  void* f = my_open("C:\\WINDOWS\\VIGARD.SYS", ZvioBinary, ZvioPermitRead);
  long offset = -1;
  const int found = FindMarker(f, marker.c_str(), offset);
  my_close(f);
  FUZZ_CHECK(found == (at != std::string::npos ? 1 : 0));
  if (found) FUZZ_CHECK(offset == static_cast<long>(at));

  const std::string patch = "c:\\zelvane\\vigard.sys";
  std::string expected = file;
  if (at != std::string::npos) {
    if (expected.size() < at + patch.size() + 1) expected.resize(at + patch.size() + 1);
    expected.replace(at, patch.size() + 1, patch + '\0');
  }
  FUZZ_CHECK(PatchFile("C:\\WINDOWS\\VIGARD.SYS", marker.c_str(), patch.c_str()) == found);
  std::string patched;
  FUZZ_CHECK(fuzz::GetFile("C:\\WINDOWS\\VIGARD.SYS", patched));
  FUZZ_CHECK(patched == expected);
}

void CheckAutoexec(const std::string& file) {
  CopyText(InstallDir, sizeof InstallDir, "C:\\ZELVANE\\");
  fuzz::PutFile("C:\\AUTOEXEC.BAT", file);
  UpdateAutoexec();
  std::string now, old;
  FUZZ_CHECK(fuzz::GetFile("C:\\AUTOEXEC.BAT", now) && fuzz::GetFile("C:\\AUTOEXEC.ZV", old));
  FUZZ_CHECK(old == file);
  FUZZ_CHECK(now == "C:\\ZELVANE\\ZVSTRUP.EXE\r\n" + Kept(file, "zvstrup"));
  FUZZ_CHECK(!FileExists("C:\\AUTOEXEC.TMP"));
}

void CheckWininit(const std::string& file) {
  fuzz::PutFile("C:\\WINDOWS\\WININIT.INI", file);
  CleanWininit("C:\\ZELVANE\\", "C:\\WINDOWS");
  std::string now;
  FUZZ_CHECK(fuzz::GetFile("C:\\WINDOWS\\WININIT.INI", now));
  FUZZ_CHECK(now == Kept(file, "c:\\zelvane\\"));
  FUZZ_CHECK(!FileExists("C:\\WINDOWS\\WININIT.TMP") && !FileExists("C:\\WINDOWS\\WININIT.ZV"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  fuzz::RunOnMachine([&] {
    CheckMarker(file, 'z');
    CheckMarker(file, 'y');
    CheckAutoexec(file);
    CheckWininit(file);
  });
  return 0;
}
