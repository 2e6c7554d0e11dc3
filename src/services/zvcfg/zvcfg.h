// zvcfg: the product's registry library. Every operation takes a root
// (0x80000000 classes root, 0x80000001 current user, 0x80000002 local
// machine) and a key path whose levels are separated by '|'. Key names
// compare without regard to case; all values are strings.
#pragma once

#include <cstdint>

#include "services/export.h"

#ifdef ZVCFG_BUILD
#define ZVCFG_API extern "C" ZV_DLLEXPORT
#else
#define ZVCFG_API extern "C" ZV_DLLIMPORT
#endif

// Copies the value into `buffer`, cut to `size` - 1 characters and the
// terminator; a value longer than the buffer is cut, not refused. 1 when
// copied; 0 when the key or value is missing, and then `buffer` is left as
// it was. An empty value name reads the key's default value.
ZVCFG_API int GetRegValue(std::uint32_t root, const char* keyPath, const char* valueName,
                          char* buffer, int size);
// Stores `length` characters of `text`, creating the key and its missing
// levels. A length beyond the text (a buffer's size) stores the text padded
// with zero bytes; nothing past the text's terminator is read. 1 on success.
ZVCFG_API int SetRegValue(std::uint32_t root, const char* keyPath, const char* valueName,
                          const char* text, int length);
// Creates the key's missing levels and stores the value, replacing one that
// exists. 1 on success.
ZVCFG_API int AddRegistryValue(std::uint32_t root, const char* keyPath, const char* valueName,
                               const char* text);
// Creates the key and its missing levels and sets its default value.
ZVCFG_API int AddRegistryKeyWithDefVal(std::uint32_t root, const char* keyPath,
                                       const char* text);
ZVCFG_API int IsRegistryKeyPresent(std::uint32_t root, const char* keyPath);
ZVCFG_API int IsRegistryValuePresent(std::uint32_t root, const char* keyPath,
                                     const char* valueName);
// Removes the subkey `subkey` of the key with everything below it; nothing
// happens when it does not exist. 1 when it was removed.
ZVCFG_API int DeleteRegistryKey(std::uint32_t root, const char* keyPath, const char* subkey);
// Removes the value; nothing happens when it does not exist. 1 when removed.
ZVCFG_API int DeleteRegistryValue(std::uint32_t root, const char* keyPath,
                                  const char* valueName);
