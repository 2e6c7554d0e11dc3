#include "postinstall/driver_paths.h"

#include <cstring>

#include "frame/paths.h"
#include "frame/setup_state.h"
#include "platform/port.h"
#include "services/zvio/zvio.h"

namespace {

constexpr unsigned kWindowSize = 512;
constexpr unsigned kShortDirSize = 80;  // the short directory: 79 characters
constexpr unsigned kPatchSize = 90;     // the directory, a file name of up to 10, the zero byte

unsigned char window[kWindowSize];

struct Patch {
  const char* file;
  char letter;
  const char* target;
};
const Patch kPatches[] = {
    {"VIGARD.SYS", 'z', "vigard.drv"},
    {"VIGARD.SYS", 'y', "zv.inx"},
    {"VIGARD.DRV", 'z', "zv.inx"},
};

}  // namespace

int FindMarker(void* file, const char* marker, long& offset) {
  const unsigned m = static_cast<unsigned>(std::strlen(marker));
  my_lseek(file, 0, 2);
  const long size = my_tell(file);
  if (size <= 0) return 0;
  long start = 0;
  for (;;) {
    my_lseek(file, start, 0);
    const long left = size - start;
    const unsigned want = left < static_cast<long>(kWindowSize) ? static_cast<unsigned>(left)
                                                                 : kWindowSize;
    const int got = my_read(file, window, want);
    if (got < 0 || static_cast<unsigned>(got) < want) return 0;
    const unsigned n = static_cast<unsigned>(got);
    for (std::uint16_t i = 0; n >= m && i <= n - m; ++i) {
      if (std::memcmp(window + i, marker, m) == 0) {
        offset = start + i;
        return 1;
      }
    }
    if (my_eof(file) || n <= m) return 0;
    start += static_cast<long>(n - m);
  }
}

int PatchFile(const char* path, const char* marker, const char* patch) {
  const std::uint32_t attributes = port::FileAttributes(path);
  if (attributes != port::InvalidAttributes && (attributes & port::AttrReadOnly))
    port::SetAttributes(path, attributes & ~port::AttrReadOnly);
  void* file = my_open(path, ZvioReadWrite, ZvioPermitWrite);
  if (file == ZvioFailed) return 0;
  long offset = 0;
  if (!FindMarker(file, marker, offset)) {
    my_close(file);
    return 0;
  }
  my_lseek(file, offset, 0);
  const unsigned count = static_cast<unsigned>(std::strlen(patch)) + 1;
  const int written = my_write(file, const_cast<char*>(patch), count);
  my_close(file);
  return written == static_cast<int>(count) ? 1 : 0;
}

void PatchDriverPaths() {
  char shortDir[kShortDirSize];
  const unsigned length = port::ShortPathName(InstallDir, shortDir, sizeof shortDir);
  // Unfilled or cut, the directory would name somewhere else: leave the markers.
  if (length == 0 || length >= sizeof shortDir) return;
  LowerCase(shortDir);
  for (const Patch& p : kPatches) {
    char path[kPathSize];
    CopyText(path, sizeof path, InstallDir);
    AppendName(path, sizeof path, p.file);
    char marker[kMarkerLength + 1];
    std::memset(marker, p.letter, kMarkerLength);
    marker[kMarkerLength] = '\0';
    char patch[kPatchSize];
    CopyText(patch, sizeof patch, shortDir);
    AppendName(patch, sizeof patch, p.target);
    PatchFile(path, marker, patch);
  }
}
