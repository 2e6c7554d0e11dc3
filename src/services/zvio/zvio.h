// zvio: the product's file library. Files are named by opaque handles; a
// failed open returns ZvioFailed, the handle value -1.
//
// Open flags and permissions use the C library's numbering. A file is read
// and written untranslated unless it is opened with ZvioText, which behaves
// like the C library's text mode on DOS text files: CR LF reads as a line
// feed, a line feed is written as CR LF, and a Ctrl-Z ends the text.
//
// Lines. my_gets delivers the next line without its line end, cut to the
// caller's buffer; a last line without a line end is still delivered. A line
// longer than the buffer, or holding a zero byte (where the caller's text
// ends), is not split and not lost: the library keeps the
// whole line, and when the next my_puts (on any handle) is given exactly the
// text that my_gets delivered, it writes the whole line. So a loop of my_gets
// and my_puts copies every line unchanged, whatever its length, while the
// caller sees (and tests) only the line's first size - 1 characters. The kept
// line is forgotten at the next my_gets, at that my_puts, and when its file
// is closed.
#pragma once

#include "services/export.h"

#ifdef ZVIO_BUILD
#define ZVIO_API extern "C" ZV_DLLEXPORT
#else
#define ZVIO_API extern "C" ZV_DLLIMPORT
#endif

constexpr int ZvioReadOnly = 0x0000;
constexpr int ZvioWriteOnly = 0x0001;
constexpr int ZvioReadWrite = 0x0002;
constexpr int ZvioAppend = 0x0008;
constexpr int ZvioCreate = 0x0100;   // create when missing; the permission argument follows
constexpr int ZvioTruncate = 0x0200; // start empty, creating the file when missing
constexpr int ZvioExclusive = 0x0400;
constexpr int ZvioText = 0x4000;
constexpr int ZvioBinary = 0x8000;

constexpr int ZvioPermitWrite = 0x0080;  // a file created without it is made read-only
constexpr int ZvioPermitRead = 0x0100;

inline void* const ZvioFailed = reinterpret_cast<void*>(-1);

// my_open(path, flags) or my_open(path, flags, permission); the permission is
// read only with ZvioCreate, as the C library reads it.
ZVIO_API void* my_open(const char* path, int flags, ...);
// Bytes read (after text translation) or written (as given); 0 on failure.
ZVIO_API int my_read(void* handle, void* buffer, unsigned int count);
ZVIO_API int my_write(void* handle, void* buffer, unsigned int count);
// Origin 0 from the start, 1 from the current position, 2 from the end.
// The new position from the start of the file, or -1.
ZVIO_API long my_lseek(void* handle, long offset, short origin);
ZVIO_API long my_tell(void* handle);
// Nonzero once the position is at the end of the file (in text mode, also at
// a Ctrl-Z).
ZVIO_API int my_eof(void* handle);
// Nonzero when a line was delivered (an empty line too), 0 when nothing was.
ZVIO_API int my_gets(void* handle, int size, char* buffer);
// Writes the text and a line end. Nonzero on success.
ZVIO_API int my_puts(void* handle, const char* text);
// 0 on success, -1 for a bad handle.
ZVIO_API int my_close(void* handle);
// Nonzero once a read or a write on the file has failed, as the C library's
// error indicator. A read that fails inside the file ends the reading as the
// end of the file would (my_eof is then nonzero too); this tells them apart.
ZVIO_API int my_error(void* handle);
