// The rescue library's two diskettes, written over the port so that both
// builds share them. Each file on a rescue diskette begins with text lines
// that say what it holds; a part that could not be read is marked as such
// and never stands in for the real thing.
#include "services/zvrescue/rescue.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kPartitionTable = 446;     // four 16-byte entries
constexpr std::uint32_t kPartitionTableSize = 66;  // the entries and the 55 AA signature

bool IsDisketteDrive(char drive) { return drive == 'A' || drive == 'B'; }

std::string OnDiskette(char drive, const char* name) {
  return std::string(1, drive) + ":\\" + name;
}

// A file the diskette did not take whole is removed: a rescue file cut short
// would be restored from as if it were whole.
bool WriteWhole(const std::string& path, const std::string& bytes) {
  const port::File file =
      port::OpenFile(path.c_str(), port::GenericWrite, 0, port::CreateAlways);
  if (file == port::InvalidFile) return false;
  const std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
  const bool whole = size == 0 || port::WriteTo(file, bytes.data(), size) == size;
  port::CloseFile(file);
  if (!whole) port::RemoveFile(path.c_str());
  return whole;
}

// A header of text lines, a blank line, then the bytes read (none when the
// system refused the read).
std::string SectorRecord(const char* what, bool read, const unsigned char* bytes,
                         std::uint32_t size) {
  std::string text = std::string("Zelvane rescue information: ") + what + "\r\n";
  text += read ? "Status: read\r\n"
               : "Status: not read (the system refused to read the disk)\r\n";
  text += "Bytes: " + std::to_string(read ? size : 0) + "\r\n\r\n";
  if (read) text.append(reinterpret_cast<const char*>(bytes), size);
  return text;
}

std::string DriveLetters(std::uint32_t mask, std::uint32_t from, std::uint32_t to) {
  std::string letters;
  for (std::uint32_t i = from; i <= to; ++i)
    if (mask & (1u << i)) letters += std::string(letters.empty() ? "" : " ") + char('A' + i);
  return letters;
}

// A Windows program cannot read the setup memory itself; this is what the
// system reports of the same setup: the system, its drives and diskette drives.
std::string MachineSetup() {
  const std::uint32_t drives = port::LogicalDrives();
  std::string text = "Zelvane rescue information: machine setup\r\n";
  text += "Status: partial (the setup memory itself cannot be read by a Windows program)\r\n";
  text += std::string("System: ") + (port::SystemKind() == 1 ? "Windows 95" : "Windows NT") + "\r\n";
  text += "Diskette drives: " + DriveLetters(drives, 0, 1) + "\r\n";
  text += "Drives: " + DriveLetters(drives, 2, 25) + "\r\n";
  return text;
}

}  // namespace

ZVRESCUE_API int RescueCreate(char drive, std::int32_t reserved, port::Instance instance) {
  (void)reserved;
  (void)instance;
  if (!IsDisketteDrive(drive)) return 0;
  unsigned char master[kSectorSize], boot[kSectorSize];
  const bool masterRead = port::ReadDiskStart(0, master, kSectorSize) == kSectorSize;
  const bool bootRead = port::ReadDiskStart('C', boot, kSectorSize) == kSectorSize;
  const bool written =
      WriteWhole(OnDiskette(drive, "part.inf"),
                 SectorRecord("partition table of the first hard disk", masterRead,
                              master + kPartitionTable, kPartitionTableSize)) &&
      WriteWhole(OnDiskette(drive, "boot.inf"),
                 SectorRecord("boot record of drive C:", bootRead, boot, kSectorSize)) &&
      WriteWhole(OnDiskette(drive, "cmos.inf"), MachineSetup());
  return written && masterRead && bootRead ? 1 : 0;
}

ZVRESCUE_API int CreateEmergencyDisk(char drive, port::Window owner, port::Instance instance) {
  (void)owner;
  (void)instance;
  if (!IsDisketteDrive(drive)) return 0;
  char windows[260];
  const unsigned length = port::WindowsDirectory(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return 0;
  const std::string windowsDir = std::string(windows) + (windows[length - 1] == '\\' ? "" : "\\");
  // The start-up files that a damaged or infected system most often needs
  // back to start again, each under a name that no system starts from a
  // diskette by itself.
  const struct {
    std::string from;
    const char* to;
  } files[] = {{"C:\\AUTOEXEC.BAT", "AUTOEXEC.ZV"},
               {"C:\\CONFIG.SYS", "CONFIG.ZV"},
               {windowsDir + "SYSTEM.INI", "SYSTEM.ZV"},
               {windowsDir + "WIN.INI", "WIN.ZV"}};
  std::string list =
      "Zelvane emergency diskette\r\n"
      "Copies of the start-up files of this computer, to put back when they are\r\n"
      "damaged. Each line: the copy on this diskette, and the file it was made of.\r\n\r\n";
  for (const auto& f : files) {
    if (port::FileAttributes(f.from.c_str()) == port::InvalidAttributes) {
      list += std::string(f.to) + "  (none: " + f.from + " does not exist)\r\n";
      continue;
    }
    const std::string to = OnDiskette(drive, f.to);
    if (!port::CopyFileTo(f.from.c_str(), to.c_str(), false)) return 0;
    list += std::string(f.to) + "  " + f.from + "\r\n";
  }
  return WriteWhole(OnDiskette(drive, "EMERGNCY.TXT"), list) ? 1 : 0;
}
