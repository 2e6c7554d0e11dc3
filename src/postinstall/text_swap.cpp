#include "postinstall/text_swap.h"

#include <cstring>

#include "frame/paths.h"
#include "platform/port.h"
#include "services/zvio/zvio.h"

namespace {

constexpr int kLineSize = 180;  // what one read of a line delivers, terminator included

char line[kLineSize];
char lowered[kLineSize];

// Writes the new text to the scratch file; false when any of it did not go out.
bool WriteNewText(const TextRewrite& r, void* in, void* out) {
  if (r.firstLine && !my_puts(out, r.firstLine)) return false;
  while (!my_eof(in)) {
    if (!my_gets(in, kLineSize, line)) continue;
    CopyText(lowered, sizeof lowered, line);
    LowerCase(lowered);
    if (std::strstr(lowered, r.drops) == nullptr && !my_puts(out, line)) return false;
  }
  // A read that failed ends the loop as the end of the file would.
  return !my_error(in) && !my_error(out);
}

}  // namespace

void RewriteTextFile(const TextRewrite& r) {
  void* in = my_open(r.file, ZvioText, ZvioPermitRead);
  if (in == ZvioFailed) return;
  void* out = my_open(r.scratch, ZvioText | ZvioTruncate | ZvioReadWrite);
  if (out == ZvioFailed) {
    my_close(in);
    return;
  }
  bool whole = WriteNewText(r, in, out);
  whole = my_close(out) == 0 && whole;
  my_close(in);
  if (!whole) {
    port::RemoveFile(r.scratch);
    return;
  }

  if (!port::RenameFile(r.scratch, r.parking)) {
    port::RemoveFile(r.scratch);
    return;
  }
  if (!port::RenameFile(r.file, r.scratch)) {
    // The file never moved: the new text is abandoned where it is.
    port::RemoveFile(r.parking);
    return;
  }
  if (port::RenameFile(r.parking, r.file)) return;
  // The file is gone for the moment: its old text under the scratch name, the
  // new under the parking name. The old goes back, by a copy if need be.
  if (port::RenameFile(r.scratch, r.file) || port::CopyFileTo(r.scratch, r.file, true))
    port::RemoveFile(r.parking);
}
