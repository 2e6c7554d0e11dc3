#include "scenario.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "postinstall/boot_files.h"
#include "postinstall/driver_paths.h"

const char* const kScenarioInstallFolder = "C:\\Zelvane AV";

namespace {

int startupResult = -1;

std::string WindowsDir() {
  char dir[kPathSize] = "";
  port::WindowsDirectory(dir, sizeof dir);
  return dir;
}

std::string Installed(const char* name) { return std::string(InstallDir) + name; }

void Write(const std::string& path, const std::string& bytes) {
  const port::File file = port::OpenFile(path.c_str(), port::GenericWrite, 0, port::CreateAlways);
  if (file == port::InvalidFile) return;
  port::WriteTo(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  port::CloseFile(file);
}

bool Read(const std::string& path, std::string& bytes) {
  const port::File file =
      port::OpenFile(path.c_str(), port::GenericRead, port::ShareRead, port::OpenExisting);
  if (file == port::InvalidFile) return false;
  char block[512];
  while (const std::uint32_t got = port::ReadFrom(file, block, sizeof block))
    bytes.append(block, got);
  port::CloseFile(file);
  return true;
}

// `size` filler bytes with a marker of 19 `letter`s at `at`.
std::string Driver(std::size_t size, std::size_t at, char letter, std::size_t at2 = 0,
                   char letter2 = 0) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 5);
  bytes.replace(at, kMarkerLength, std::string(kMarkerLength, letter));
  if (letter2) bytes.replace(at2, kMarkerLength, std::string(kMarkerLength, letter2));
  return bytes;
}

std::string Escaped(const std::string& bytes) {
  std::string out;
  for (const unsigned char c : bytes) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n\n  ";
    else if (c == '\\') out += "\\\\";
    else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; !from.empty() && (at = text.find(from, at)) != std::string::npos;
       at += to.size())
    text.replace(at, from.size(), to);
}

}  // namespace

void PrepareBootFiles() {
  ResetSetupState();
  char folder[kPathSize];
  CopyText(folder, sizeof folder, kScenarioInstallFolder);
  AppendBackslash(folder, sizeof folder);
  port::ShortPathName(folder, InstallDir, sizeof InstallDir);
  std::string bare = InstallDir;
  bare.pop_back();

  Write("C:\\AUTOEXEC.BAT", "ECHO OFF\r\nC:\\OLD\\ZVSTRUP.EXE /QUIET\r\nREM ZvStrup runs first\r\n" +
                                std::string("SET LONG=") + std::string(250, 'L') +
                                "\r\nPROMPT $p$g\r\n");
  Write(WindowsDir() + "\\WININIT.INI",
        "[rename]\r\nNUL=" + std::string(InstallDir) + "OLD.DLL\r\nNUL=" +
            std::string(kScenarioInstallFolder) + "\\OLD.DLL\r\nNUL=" + bare +
            "\r\nNUL=C:\\TEMP\\X.TMP\r\n");
  Write(WindowsDir() + "\\WININIT.TMP", "stale");
  // Where an empty Windows directory would point: the root of the current drive.
  Write("C:\\WININIT.INI", "NUL=" + std::string(InstallDir) + "ROOT.DLL\r\n");
  Write(Installed("VIGARD.SYS"), Driver(1300, 500, 'z', 1250, 'y'));
  Write(Installed("VIGARD.DRV"), Driver(700, 600, 'z'));
  port::SetAttributes(Installed("VIGARD.DRV").c_str(), port::AttrReadOnly);
  Write(Installed("ZVCHK.INF"), "check");
  port::SetAttributes(Installed("ZVCHK.INF").c_str(), port::AttrReadOnly);
}

void RunBootOperations() {
  CleanWininit(InstallDir, WindowsDir().c_str());
  CleanWininit(InstallDir, "");
  PatchDriverPaths();
  startupResult = InitStartupProgram();
  UpdateAutoexec();
  RemoveCheckInfoFile(InstallDir);
}

std::string DumpBootFiles() {
  const std::string windows = WindowsDir();
  const std::string files[] = {
      "C:\\AUTOEXEC.BAT",          "C:\\AUTOEXEC.ZV",           "C:\\AUTOEXEC.TMP",
      windows + "\\WININIT.INI",   windows + "\\WININIT.TMP",   windows + "\\WININIT.ZV",
      "C:\\WININIT.INI",           Installed("VIGARD.SYS"),     Installed("VIGARD.DRV"),
      Installed("ZVCHK.INF"),
  };
  std::string dump = std::string("start-up program: ") + (startupResult ? "started" : "not started") + "\n";
  for (const std::string& path : files) {
    std::string bytes;
    std::string name = path;
    ReplaceAll(name, windows, "<windows>");
    ReplaceAll(name, InstallDir, "<install>");
    if (!Read(path, bytes)) {
      dump += name + ": missing\n";
      continue;
    }
    const bool readOnly = port::FileAttributes(path.c_str()) & port::AttrReadOnly;
    dump += name + (readOnly ? " (read-only)" : "") + ":\n  " + Escaped(bytes) + "\n";
  }
  // The short form as the system made it, in both cases.
  std::string upper = Escaped(InstallDir), lower = upper;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ReplaceAll(dump, upper, "<install>");
  ReplaceAll(dump, lower, "<install>");
  ReplaceAll(dump, Escaped(std::string(InstallDir, std::strlen(InstallDir) - 1)), "<install>");
  return dump;
}
