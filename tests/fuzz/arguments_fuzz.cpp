// The argument text as the front end passes it: the verb the dispatch
// selects, the nine fields "/initsetup" takes, and any list read field by
// field through NextField.
//
// Property: a verb is selected exactly when the text begins with it in any
// letter case; each field is the list's next run of characters between '*'s
// (runs of '*' counting as one), cut to what its buffer holds; a missing
// field reads as empty and a missing version keeps the one held; and nothing
// is written past a buffer (the generic fields are read into heap buffers of
// exactly their size, where ASan sees one byte too many).
#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "frame/arguments.h"
#include "frame/setup_state.h"
#include "frame/verbs.h"
#include "fuzz_support.h"
#include "preinstall/init_fields.h"

namespace {

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : list) {
    if (c != '*') {
      field += c;
    } else if (!field.empty()) {
      fields.push_back(field);
      field.clear();
    }
  }
  if (!field.empty()) fields.push_back(field);
  return fields;
}

std::string Cut(const std::string& text, std::size_t size) {
  return size == 0 ? "" : text.substr(0, size - 1);
}

bool Starts(const std::string& text, const char* verb) {
  const std::size_t n = std::strlen(verb);
  if (text.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != verb[i]) return false;
  return true;
}

void CheckVerbs(const std::string& text) {
  for (const Verb& verb : kVerbs) FUZZ_CHECK(BeginsWithVerb(text.c_str(), verb) == Starts(text, verb.text));
}

void CheckInitSetupFields(const std::string& text) {
  ResetSetupState();
  const std::string heldVersion = ProductVersion;
  InitSetupFields f;
  std::memset(&f, 'x', sizeof f);
  TakeInitSetupFields(text.c_str(), f);
  const std::vector<std::string> want = SplitList(text.size() > 10 ? text.substr(10) : "");
  auto field = [&](std::size_t i) { return i < want.size() ? want[i] : std::string(); };
  FUZZ_CHECK(f.sourceDir == Cut(field(0), sizeof f.sourceDir));
  FUZZ_CHECK(f.secondDir == Cut(field(1), sizeof f.secondDir));
  FUZZ_CHECK(f.number == Cut(field(2), sizeof f.number));
  FUZZ_CHECK(f.editionType == Cut(field(3), sizeof f.editionType));
  FUZZ_CHECK(f.expressFlag == Cut(field(4), sizeof f.expressFlag));
  FUZZ_CHECK(f.oemFlag == Cut(field(5), sizeof f.oemFlag));
  FUZZ_CHECK(f.complimentaryFlag == Cut(field(6), sizeof f.complimentaryFlag));
  FUZZ_CHECK(f.complimentaryName == Cut(field(7), sizeof f.complimentaryName));
  const std::string version =
      want.size() > 8 ? Cut(Cut(want[8], kVersionSize), sizeof ProductVersion) : heldVersion;
  FUZZ_CHECK(ProductVersion == version);
}

// Any list through NextField into buffers of one size, the size taken from
// the input's first byte (0 included).
void CheckGenericList(std::size_t size, const std::string& text, std::size_t start) {
  const char* cursor = ArgumentList(text.c_str(), start);
  FUZZ_CHECK(cursor == text.c_str() + std::min(start, text.size()));
  const std::vector<std::string> want = SplitList(cursor);
  for (std::size_t i = 0; i <= want.size(); ++i) {
    std::unique_ptr<char[]> field(new char[size]);
    const bool got = NextField(cursor, field.get(), size);
    FUZZ_CHECK(got == (i < want.size()));
    if (size > 0) FUZZ_CHECK(field.get() == (got ? Cut(want[i], size) : std::string()));
  }
  FUZZ_CHECK(*cursor == '\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t fieldSize = data[0] % 48;
  // The text ends at its first zero byte, as the command line does.
  const std::string text(reinterpret_cast<const char*>(data + 1),
                         strnlen(reinterpret_cast<const char*>(data + 1), size - 1));
  CheckVerbs(text);
  CheckInitSetupFields(text);
  for (const Verb& verb : kVerbs) CheckGenericList(fieldSize, text, verb.listStart);
  return 0;
}
