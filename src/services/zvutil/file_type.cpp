#include "services/zvutil/file_type.h"

#include <cstring>

#include "services/zvengine/exe_layout.h"

namespace {

// Reads the first bytes of the file into `head` and puts the file back at
// the position it had. Each seek and read is a call into the system, so the
// file is moved only when it must be, and read once: a disk file gives fewer
// bytes than asked only at its end.
std::size_t ReadProbe(port::File file, std::uint8_t (&head)[exe::kProbeSize]) {
  const long position = port::FilePosition(file);
  if (position < 0 || (position != 0 && port::SeekTo(file, 0) != 0)) {
    if (position > 0) port::SeekTo(file, position);
    return 0;
  }
  const std::uint32_t size = port::ReadFrom(file, head, static_cast<std::uint32_t>(sizeof head));
  if (position != 0 || size != 0) port::SeekTo(file, position);
  return size;
}

}  // namespace

ZVUTIL_API int SetDriverOptions(std::uint32_t code, char* path, int length) {
  return code == kScanFileOption && path && length > 0 &&
         std::memchr(path, 0, static_cast<std::size_t>(length) + 1) == path + length;
}

ZVUTIL_API std::int16_t CheckFileType(port::File file) {
  std::uint8_t head[exe::kProbeSize];
  return exe::FileType(head, ReadProbe(file, head));
}

ZVUTIL_API std::int32_t GetVirExeStart(port::File file, std::int16_t type) {
  std::uint8_t head[exe::kProbeSize];
  return exe::EntryOffset(head, ReadProbe(file, head), type);
}
