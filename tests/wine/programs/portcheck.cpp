// Checks of the port's Win32 backend on the real API: the behaviour that
// the program relies on and that the system does not give for free (strict
// renames, registry reads that leave a short buffer alone, terminators added
// to stored strings, cut environment values). Writes one line per failed
// check into the log named on the command line; exits 1 when any failed.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/port.h"

namespace {

FILE* Log = nullptr;
int Failures = 0;

void Check(bool ok, const char* what) {
  if (ok) return;
  ++Failures;
  std::fprintf(Log, "failed: %s\n", what);
}

void CheckRegistry() {
  const char* path = "Software\\ZvPortCheck\\Child";
  port::RegKey key = 0;
  Check(port::RegCreate(port::HkeyCurrentUser, path, key) == port::RegOk, "create key");
  Check(port::RegSetString(key, "Value", "abc", 4) == port::RegOk, "set string");
  Check(port::RegSetString(key, "Bare", "xyz", 3) == port::RegOk, "set string without terminator");

  char buffer[16] = "keep";
  std::uint32_t size = 2;
  Check(port::RegQueryString(key, "Value", buffer, size) == port::RegMoreData,
        "short buffer: more data");
  Check(size == 4 && std::strcmp(buffer, "keep") == 0, "short buffer: size given, buffer kept");
  size = sizeof buffer;
  Check(port::RegQueryString(key, "Value", buffer, size) == port::RegOk &&
            std::strcmp(buffer, "abc") == 0 && size == 4,
        "query string");
  size = sizeof buffer;
  Check(port::RegQueryString(key, "Bare", buffer, size) == port::RegOk &&
            std::strcmp(buffer, "xyz") == 0 && size == 4,
        "stored string gets its terminator");
  Check(port::RegRemoveValue(key, "Value") == port::RegOk, "remove value");
  size = sizeof buffer;
  Check(port::RegQueryString(key, "Value", buffer, size) == port::RegNotFound,
        "removed value is not found");
  port::RegClose(key);
  // A number read as a string is refused, and the buffer is left alone.
  Check(port::RegOpen(port::HkeyCurrentUser, "Software\\ZvPortCheckNumber", key) == port::RegOk,
        "open the key of the number");
  std::strcpy(buffer, "kept");
  size = sizeof buffer;
  Check(port::RegQueryString(key, "Number", buffer, size) == port::RegInvalidData &&
            std::strcmp(buffer, "kept") == 0,
        "a number is not read as a string");
  port::RegClose(key);

  port::RegKey parent = 0;
  Check(port::RegOpen(port::HkeyCurrentUser, "SOFTWARE\\zvportcheck", parent) == port::RegOk,
        "open without regard to case");
  char name[32];
  Check(port::RegEnumSubKey(parent, 0, name, sizeof name) == port::RegOk &&
            std::strcmp(name, "Child") == 0,
        "enumerate subkey");
  Check(port::RegEnumSubKey(parent, 1, name, sizeof name) == port::RegNoMoreItems,
        "enumeration ends");
  Check(port::RegRemoveKey(parent, "Child") == port::RegOk, "remove key");
  port::RegClose(parent);
  Check(port::RegOpen(port::HkeyCurrentUser, path, key) == port::RegNotFound,
        "removed key is not found");
  port::RegOpen(port::HkeyCurrentUser, "Software", parent);
  port::RegRemoveKey(parent, "ZvPortCheck");
  port::RegClose(parent);
}

void CheckFiles() {
  const char* a = "C:\\zvtest\\portcheck-a.txt";
  const char* b = "C:\\zvtest\\portcheck-b.txt";
  port::File f = port::OpenFile(a, port::GenericWrite, 0, port::CreateAlways);
  Check(f != port::InvalidFile, "create file");
  Check(port::WriteTo(f, "0123456789", 10) == 10, "write");
  port::CloseFile(f);
  f = port::OpenFile(a, port::GenericRead, port::ShareRead, port::OpenExisting);
  char data[8] = "";
  Check(port::FileLength(f) == 10, "file length");
  Check(port::SeekTo(f, 6) == 6 && port::ReadFrom(f, data, 8) == 4 &&
            std::memcmp(data, "6789", 4) == 0 && port::FilePosition(f) == 10,
        "seek and read to the end");
  Check(port::ReadFrom(f, data, 8) == 0, "read at the end");
  port::CloseFile(f);
  Check(port::OpenFile("C:\\zvtest\\missing.txt", port::GenericRead, 0, port::OpenExisting) ==
            port::InvalidFile,
        "open missing file");

  Check(port::CopyFileTo(a, b, true), "copy");
  Check(!port::CopyFileTo(a, b, true), "copy refuses an existing target");
  Check(!port::RenameFile(a, b), "rename refuses an existing target");
  Check(port::RemoveFile(b) && port::RenameFile(a, b), "rename after delete");
  Check(port::FileAttributes(a) == port::InvalidAttributes, "renamed file is gone");
  Check(port::SetAttributes(b, port::AttrReadOnly) &&
            (port::FileAttributes(b) & port::AttrReadOnly) != 0,
        "read-only attribute");
  Check(!port::RemoveFile(b), "read-only file is not deleted");
  port::SetAttributes(b, port::AttrNormal);
  Check(port::RemoveFile(b), "delete");

  port::FoundEntry entry;
  Check(port::FindFirstEntry("C:\\zvtest\\nowhere\\*.*", entry) == 0, "search of a missing folder");
  port::Search s = port::FindFirstEntry("C:\\zvtest\\*.exe", entry);
  bool sawSelf = false;
  for (bool more = s != 0; more; more = port::FindNextEntry(s, entry))
    sawSelf = sawSelf || std::strcmp(entry.name, "portcheck.exe") == 0;
  port::FindEnd(s);
  Check(sawSelf, "search finds this program");
}

void CheckSystem() {
  char path[260];
  std::strcpy(path, "C:\\Zelvane Setup\\ZVSET.EXE");
  unsigned n = port::ShortPathName(path, path, sizeof path);
  Check(n > 0 && n == std::strlen(path) && std::strchr(path, ' ') == nullptr,
        "short form in place");
  Check(port::ShortPathName("C:\\no such folder\\x", path, sizeof path) == 0,
        "no short form of a missing path");
  char tiny[4];
  Check(port::ShortPathName("C:\\Zelvane Setup\\ZVSET.EXE", tiny, sizeof tiny) == 0,
        "no short form that does not fit");

  Check(port::EnvironmentVariable("ZV_NOT_SET_ANYWHERE", path, sizeof path) == 0, "unset variable");
  char cut[4] = "";
  Check(port::EnvironmentVariable("ZVPORTCHECK", cut, sizeof cut) == 3 &&
            std::strcmp(cut, "abc") == 0,
        "long variable is cut to the buffer");

  const char* ini = "C:\\zvtest\\portcheck.ini";
  Check(port::WriteProfileString(ini, "Info", "Type", "3"), "write profile string");
  char value[8];
  port::ReadProfileString(ini, "Info", "Type", "x", value, sizeof value);
  Check(std::strcmp(value, "3") == 0, "read profile string");
  port::ReadProfileString(ini, "Info", "Missing", "dflt", value, sizeof value);
  Check(std::strcmp(value, "dflt") == 0, "profile fallback");

  Check(port::SystemKind() == 2, "Windows NT kind");
  Check(port::WindowsDirectory(path, sizeof path) > 0, "Windows directory");
  Check(port::ModuleFileName(path, sizeof path) > 0 && std::strstr(path, "portcheck") != nullptr,
        "module file name");
  Check(port::LoadRuntimeLibrary("ZVNOSUCH.DLL") == 0, "missing library");
  port::Library kernel = port::LoadRuntimeLibrary("KERNEL32.DLL");
  Check(kernel != 0 && port::LibraryExport(kernel, "GetVersion") != nullptr &&
            port::LibraryExport(kernel, "NoSuchExport") == nullptr,
        "library exports");
  Check(port::FindTopWindow("No Such Window Title") == 0, "no such window");
}

int Ticks = 0;
void Tick(port::Window, unsigned message, std::uintptr_t, std::uint32_t) {
  if (message == port::wm::Timer) ++Ticks;
}

void CheckWaits() {
  const std::uintptr_t id = port::StartTimer(0, 0, 10, Tick);
  Check(id != 0, "start a timer");
  for (int i = 0; i < 1000 && Ticks < 2; ++i)
    if (!port::PumpMessage()) port::SleepFor(5);
  port::StopTimer(0, id);
  Check(Ticks >= 2, "the timer ticks while the program pumps");
  Check(port::StartProgram("C:\\zvtest\\started.exe", port::sw::Hide, false),
        "start without waiting");
  for (int i = 0; i < 200 && port::StartedProgramRunning(); ++i) port::SleepFor(50);
  Check(!port::StartedProgramRunning(), "a started program that has ended is not running");
  Check(!port::WindowVisible(0), "no window is not visible");
}

// The current directory goes to the install directory and back; the error
// mode is given back as it was; drive C: is there and a raw disk read by a
// program without the privilege is refused, not made up.
void CheckDrives() {
  char saved[260] = "", now[260] = "";
  Check(port::CurrentDirectory(saved, sizeof saved) > 0, "current directory");
  Check(port::ChangeDirectory("C:\\windows") && port::CurrentDirectory(now, sizeof now) > 0 &&
            _stricmp(now, "C:\\windows") == 0,
        "change directory");
  Check(port::ChangeDrive(3) && port::CurrentDirectory(now, sizeof now) > 0 &&
            _stricmp(now, "C:\\windows") == 0,
        "change to the current drive keeps its directory");
  Check(port::ChangeDirectory(saved), "change back");
  const unsigned previous = port::SetErrorModeTo(port::SemFailCriticalErrors);
  Check(port::SetErrorModeTo(previous) == port::SemFailCriticalErrors, "error mode given back");
  Check((port::LogicalDrives() & (1u << 2)) != 0, "drive C: is a logical drive");
  Check(port::ReadDiskStart('Q', now, sizeof now) == 0, "no raw read of a missing volume");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Log = std::fopen(argv[1], "wb");
  if (Log == nullptr) return 2;
  CheckRegistry();
  CheckFiles();
  CheckSystem();
  CheckWaits();
  CheckDrives();
  std::fprintf(Log, "%d failed\n", Failures);
  std::fclose(Log);
  return Failures == 0 ? 0 : 1;
}
