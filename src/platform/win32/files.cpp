// Files: attributes, deletion, renaming, copying and handle-based I/O.
#include <map>

#include "platform/record.h"
#include "platform/win32/handles.h"

using win32::LongPath;
using win32::ToHandle;

namespace {

// The files open for writing, by handle, with their paths; true once written.
std::map<port::File, std::pair<std::string, bool>>& WritableFiles() {
  static std::map<port::File, std::pair<std::string, bool>> files;
  return files;
}

}  // namespace

// The drive letter in capitals, as the system gives it back in full paths.
std::string win32::LongPath(const char* path) {
  using LongPathName = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
  static const auto longPathName = reinterpret_cast<LongPathName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
  char buffer[MAX_PATH];
  std::string named = path;
  if (longPathName) {
    const DWORD length = longPathName(path, buffer, sizeof buffer);
    if (length > 0 && length < sizeof buffer) named = buffer;
  }
  if (named.size() >= 2 && named[1] == ':' && named[0] >= 'a' && named[0] <= 'z')
    named[0] = static_cast<char>(named[0] - 'a' + 'A');
  return named;
}

namespace port {

std::uint32_t FileAttributes(const char* path) {
  const std::uint32_t attributes = GetFileAttributesA(path);
  record::FileTested(path, attributes);
  return attributes;
}

bool SetAttributes(const char* path, std::uint32_t attributes) {
  if (!SetFileAttributesA(path, attributes)) return false;
  record::AttributesSet(LongPath(path), attributes);
  return true;
}

bool RemoveFile(const char* path) {
  const std::string named = LongPath(path);
  if (!DeleteFileA(path)) return false;
  record::FileDeleted(named);
  return true;
}

// MoveFile never replaces an existing file.
bool RenameFile(const char* from, const char* to) {
  const std::string named = LongPath(from);
  if (!MoveFileA(from, to)) return false;
  record::FileRenamed(named, LongPath(to));
  return true;
}

File OpenFile(const char* path, std::uint32_t access, std::uint32_t share,
              std::uint32_t disposition) {
  HANDLE h = CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  const File file = reinterpret_cast<File>(h);
  if (h != INVALID_HANDLE_VALUE && (access & GenericWrite))
    WritableFiles()[file] = {LongPath(path), false};
  return file;
}

std::uint32_t ReadFrom(File file, void* buffer, std::uint32_t count) {
  DWORD done = 0;
  if (!ReadFile(ToHandle(file), buffer, count, &done, nullptr)) return 0;
  return done;
}

std::uint32_t WriteTo(File file, const void* buffer, std::uint32_t count) {
  DWORD done = 0;
  if (!WriteFile(ToHandle(file), buffer, count, &done, nullptr)) return 0;
  auto it = WritableFiles().find(file);
  if (it != WritableFiles().end() && done > 0) it->second.second = true;
  return done;
}

long SeekTo(File file, long offset) {
  DWORD at = SetFilePointer(ToHandle(file), offset, nullptr, FILE_BEGIN);
  return at == INVALID_SET_FILE_POINTER ? -1 : static_cast<long>(at);
}

long FilePosition(File file) {
  DWORD at = SetFilePointer(ToHandle(file), 0, nullptr, FILE_CURRENT);
  return at == INVALID_SET_FILE_POINTER ? -1 : static_cast<long>(at);
}

long FileLength(File file) {
  DWORD size = GetFileSize(ToHandle(file), nullptr);
  return size == INVALID_FILE_SIZE ? -1 : static_cast<long>(size);
}

void CloseFile(File file) {
  CloseHandle(ToHandle(file));
  auto it = WritableFiles().find(file);
  if (it == WritableFiles().end()) return;
  if (it->second.second) record::FileWritten(it->second.first);
  WritableFiles().erase(it);
}

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
  if (!CopyFileA(from, to, failIfExists ? TRUE : FALSE)) return false;
  record::FileCopied(LongPath(to), LongPath(from));
  return true;
}

// A removable drive that takes a scratch file holds a writable diskette. The
// system's own "drive not ready" box is kept off the screen meanwhile.
bool DriveReady(int drive) {
  if (drive < 0 || drive > 1) return false;
  const char root[4] = {static_cast<char>('A' + drive), ':', '\\', '\0'};
  if (GetDriveTypeA(root) != DRIVE_REMOVABLE) return false;
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  char probe[16];
  lstrcpyA(probe, root);
  lstrcatA(probe, "ZVREADY.$$$");
  HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  SetErrorMode(previous);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Raw disks are read a whole sector at a time.
std::uint32_t ReadDiskStart(char volume, void* buffer, std::uint32_t size) {
  char device[24];
  if (volume == 0) lstrcpyA(device, "\\\\.\\PhysicalDrive0");
  else wsprintfA(device, "\\\\.\\%c:", volume);
  HANDLE disk = CreateFileA(device, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (disk == INVALID_HANDLE_VALUE) return 0;
  unsigned char sector[512];
  DWORD got = 0;
  const BOOL read = ReadFile(disk, sector, sizeof sector, &got, nullptr);
  CloseHandle(disk);
  if (!read || got != sizeof sector) return 0;
  const std::uint32_t count = size < got ? size : got;
  CopyMemory(buffer, sector, count);
  return count;
}

}  // namespace port
