// Virus names from the signature index: each entry's name field, stored
// with every byte shifted by the index format's fixed amount.
#include <cstring>

#include "frame/helpers.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "scan/virus_names.h"
#include "services/zvengine/index_format.h"
#include "services/zvio/zvio.h"

int ReadIndexName(std::int16_t entry, char* name) {
  // A negative entry would lie before the first one: there is no such entry.
  if (entry < 0) return 0;
  char indexPath[kPathSize];
  GetModuleDir(indexPath, kPathSize);
  AppendName(indexPath, sizeof indexPath, "ZV.INX");
  void* index = my_open(indexPath, ZvioBinary, ZvioPermitRead);
  if (index == ZvioFailed) return 0;
  unsigned char record[zvinx::kEntrySize];
  const long at = static_cast<long>(zvinx::kHeaderSize + zvinx::kEntrySize * entry);
  if (my_lseek(index, at, 0) != at ||
      my_read(index, record, sizeof record) != static_cast<int>(sizeof record)) {
    my_close(index);
    return 0;
  }
  unsigned char* field = record + zvinx::kNameOffset;
  for (std::size_t i = 0; i < zvinx::kNameSize; ++i)
    field[i] = static_cast<unsigned char>(field[i] - zvinx::kNameShift);
  const std::size_t length = strnlen(reinterpret_cast<const char*>(field), zvinx::kNameSize);
  std::memcpy(name, field, length);
  name[length] = '\0';
  my_close(index);
  return 1;
}
