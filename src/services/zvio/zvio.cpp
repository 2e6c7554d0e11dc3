// The file library over the port's files. Reads go through a block buffer so
// that line reading does not reach the port byte by byte; writes go to the
// port at once, so a file is never behind what the caller wrote.
#include "services/zvio/zvio.h"

#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/port.h"

namespace {

constexpr int kCtrlZ = 0x1A;
constexpr std::uint32_t kBlockSize = 4096;

struct ZvFile {
  port::File file = port::InvalidFile;
  bool text = false;
  bool append = false;
  bool makeReadOnly = false;  // created without write permission: read-only once closed
  bool failed = false;        // a read or a write has failed
  std::string path;
  long position = 0;          // from the start of the file, in the file's own bytes
  long blockStart = 0;        // the read buffer holds [blockStart, blockStart + blockLength)
  std::uint32_t blockLength = 0;
  char block[kBlockSize];
};

// The whole of the last line that my_gets had to cut (see zvio.h).
struct KeptLine {
  const ZvFile* owner = nullptr;
  std::string delivered;  // what the caller's buffer received
  std::string whole;
};
KeptLine keptLine;

void ForgetKeptLine() { keptLine = KeptLine{}; }

ZvFile* FileOf(void* handle) {
  if (!handle || handle == ZvioFailed) return nullptr;
  return static_cast<ZvFile*>(handle);
}

// The byte at `at`, or -1 at the end of the file (or when it cannot be read).
int ByteAt(ZvFile& f, long at) {
  if (at < f.blockStart || at >= f.blockStart + static_cast<long>(f.blockLength)) {
    f.blockLength = 0;
    if (port::SeekTo(f.file, at) != at) return -1;
    f.blockStart = at;
    f.blockLength = port::ReadFrom(f.file, f.block, kBlockSize);
    if (f.blockLength == 0) {
      if (at < port::FileLength(f.file)) f.failed = true;
      return -1;
    }
  }
  return static_cast<unsigned char>(f.block[at - f.blockStart]);
}

bool AtEnd(ZvFile& f) {
  const int c = ByteAt(f, f.position);
  return c < 0 || (f.text && c == kCtrlZ);
}

// Writes `data` at the position (at the end for an append file); in text mode
// each line feed goes out as CR LF. Returns how many of the caller's bytes
// went out whole.
unsigned WriteAtPosition(ZvFile& f, const char* data, unsigned count) {
  std::string out;
  out.reserve(count + count / 8);
  for (unsigned i = 0; i < count; ++i) {
    if (f.text && data[i] == '\n') out += '\r';
    out += data[i];
  }
  f.blockLength = 0;
  if (f.append) f.position = port::FileLength(f.file);
  if (port::SeekTo(f.file, f.position) != f.position) {
    f.failed = true;
    return 0;
  }
  const std::uint32_t written =
      port::WriteTo(f.file, out.data(), static_cast<std::uint32_t>(out.size()));
  f.position += static_cast<long>(written);
  if (written == out.size()) return count;
  f.failed = true;
  if (!f.text) return written;
  unsigned whole = 0;
  for (std::uint32_t used = 0; whole < count; ++whole) {
    used += data[whole] == '\n' ? 2 : 1;
    if (used > written) break;
  }
  return whole;
}

}  // namespace

void* my_open(const char* path, int flags, ...) {
  int permission = ZvioPermitRead | ZvioPermitWrite;
  if (flags & ZvioCreate) {
    va_list args;
    va_start(args, flags);
    permission = va_arg(args, int);
    va_end(args);
  }
  if (!path) return ZvioFailed;

  std::uint32_t access = 0;
  switch (flags & 3) {
    case ZvioReadOnly: access = port::GenericRead; break;
    case ZvioWriteOnly: access = port::GenericWrite; break;
    case ZvioReadWrite: access = port::GenericRead | port::GenericWrite; break;
    default: return ZvioFailed;
  }
  const bool existed = port::FileAttributes(path) != port::InvalidAttributes;
  if ((flags & ZvioCreate) && (flags & ZvioExclusive) && existed) return ZvioFailed;

  // Truncating starts the file empty and creates it when missing: the boot
  // files' scratch copies are opened so, right after being deleted.
  std::uint32_t disposition = port::OpenExisting;
  if (flags & ZvioTruncate) {
    disposition = port::CreateAlways;
    access |= port::GenericWrite;
  } else if (flags & ZvioCreate) {
    disposition = port::OpenAlways;
  }
  const port::File file =
      port::OpenFile(path, access, port::ShareRead | port::ShareWrite, disposition);
  if (file == port::InvalidFile) return ZvioFailed;

  ZvFile* f = new ZvFile;
  f->file = file;
  f->text = (flags & ZvioText) != 0;
  f->append = (flags & ZvioAppend) != 0;
  f->makeReadOnly = !existed && (flags & ZvioCreate) && !(permission & ZvioPermitWrite);
  f->path = path;
  return f;
}

int my_read(void* handle, void* buffer, unsigned int count) {
  ZvFile* f = FileOf(handle);
  if (!f || !buffer) return 0;
  char* out = static_cast<char*>(buffer);
  unsigned delivered = 0;
  while (delivered < count) {
    int c = ByteAt(*f, f->position);
    if (c < 0 || (f->text && c == kCtrlZ)) break;
    if (f->text && c == '\r' && ByteAt(*f, f->position + 1) == '\n') {
      ++f->position;
      c = '\n';
    }
    out[delivered++] = static_cast<char>(c);
    ++f->position;
  }
  return static_cast<int>(delivered);
}

int my_write(void* handle, void* buffer, unsigned int count) {
  ZvFile* f = FileOf(handle);
  if (!f || !buffer) return 0;
  return static_cast<int>(WriteAtPosition(*f, static_cast<const char*>(buffer), count));
}

long my_lseek(void* handle, long offset, short origin) {
  ZvFile* f = FileOf(handle);
  if (!f) return -1;
  long base = 0;
  switch (origin) {
    case 0: base = 0; break;
    case 1: base = f->position; break;
    case 2: base = port::FileLength(f->file); break;
    default: return -1;
  }
  if (base < 0 || base + offset < 0) return -1;
  f->position = base + offset;
  return f->position;
}

long my_tell(void* handle) {
  ZvFile* f = FileOf(handle);
  return f ? f->position : -1;
}

int my_eof(void* handle) {
  ZvFile* f = FileOf(handle);
  return !f || AtEnd(*f) ? 1 : 0;
}

int my_gets(void* handle, int size, char* buffer) {
  ForgetKeptLine();
  ZvFile* f = FileOf(handle);
  if (!f || !buffer || size <= 0 || AtEnd(*f)) return 0;
  std::string line;
  for (;;) {
    const int c = ByteAt(*f, f->position);
    if (c < 0 || (f->text && c == kCtrlZ)) break;
    ++f->position;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      break;
    }
    line += static_cast<char>(c);
  }
  const std::size_t room = static_cast<std::size_t>(size - 1);
  const std::size_t shown = line.size() < room ? line.size() : room;
  std::memcpy(buffer, line.data(), shown);
  buffer[shown] = '\0';
  // The caller sees the text up to the buffer's end or a zero byte in the
  // line: what lies past it is kept for my_puts.
  const std::size_t seen = strnlen(buffer, shown);
  if (seen < line.size()) {
    keptLine.owner = f;
    keptLine.delivered.assign(line, 0, seen);
    keptLine.whole = std::move(line);
  }
  return 1;
}

int my_puts(void* handle, const char* text) {
  ZvFile* f = FileOf(handle);
  if (!f || !text) {
    ForgetKeptLine();
    return 0;
  }
  std::string line = keptLine.owner && keptLine.delivered == text ? keptLine.whole : text;
  ForgetKeptLine();
  // Text mode turns the line feed into CR LF; a raw file gets CR LF as given.
  line += f->text ? "\n" : "\r\n";
  const unsigned count = static_cast<unsigned>(line.size());
  return WriteAtPosition(*f, line.data(), count) == count ? 1 : 0;
}

int my_close(void* handle) {
  ZvFile* f = FileOf(handle);
  if (!f) return -1;
  if (keptLine.owner == f) ForgetKeptLine();
  port::CloseFile(f->file);
  if (f->makeReadOnly) port::SetAttributes(f->path.c_str(), port::AttrReadOnly);
  delete f;
  return 0;
}

int my_error(void* handle) {
  ZvFile* f = FileOf(handle);
  return !f || f->failed ? 1 : 0;
}
