#include "preinstall/init_fields.h"

#include "frame/arguments.h"
#include "frame/paths.h"

namespace {
// The list begins directly after "/initsetup".
constexpr std::size_t kListStart = 10;
}  // namespace

void TakeInitSetupFields(const char* argumentText, InitSetupFields& fields) {
  const char* cursor = ArgumentList(argumentText, kListStart);
  NextField(cursor, fields.sourceDir, sizeof fields.sourceDir);
  NextField(cursor, fields.secondDir, sizeof fields.secondDir);
  NextField(cursor, fields.number, sizeof fields.number);
  NextField(cursor, fields.editionType, sizeof fields.editionType);
  NextField(cursor, fields.expressFlag, sizeof fields.expressFlag);
  NextField(cursor, fields.oemFlag, sizeof fields.oemFlag);
  NextField(cursor, fields.complimentaryFlag, sizeof fields.complimentaryFlag);
  NextField(cursor, fields.complimentaryName, sizeof fields.complimentaryName);
  char version[kVersionSize];
  if (NextField(cursor, version, sizeof version)) CopyText(ProductVersion, sizeof ProductVersion, version);
}
