// Where Word lives, from the "doc" extension value or WIN.INI's embedding
// entry: its directory, its program and its template directory.
#include <gtest/gtest.h>

#include <string>

#include "components/word_fixture.h"
#include "components/word_protection.h"

namespace {

struct LocationCase {
  const char* name;
  const char* doc;        // the "doc" value; null: none
  const char* embedding;  // WIN.INI's WordDocument; null: none
  const char* folders;    // ';'-separated folders that exist
  const char* directory;  // expected; "" not found
  const char* templates;  // expected; "" not found
};
void PrintTo(const LocationCase& c, std::ostream* out) { *out << c.name; }

const std::string kLongDir = "C:\\" + std::string(250, 'w') + "\\WINWORD.EXE";
const std::string kLongEntry = "Word," + kLongDir + "\\" + std::string(20, 'x') + ",picture";

const LocationCase kCases[] = {
    {"OfficeTemplatesBesideWord", kOfficeDoc, kWord6Embedding,
     "C:\\Program Files\\Microsoft Office\\Office;C:\\Program Files\\Microsoft Office\\Templates",
     "C:\\PROGRA~1\\MICROS~1\\OFFICE\\", "C:\\PROGRA~1\\MICROS~1\\TEMPLA~1\\"},
    {"TemplateInsideWord", nullptr, kWord6Embedding, "C:\\WINWORD\\TEMPLATE", "C:\\WINWORD\\",
     "C:\\WINWORD\\TEMPLATE\\"},
    {"NoTemplateFolder", nullptr, kWord6Embedding, "C:\\WINWORD", "C:\\WINWORD\\", ""},
    {"WordInTheRoot", "C:\\WINWORD.EXE ^.doc", nullptr, "C:\\TEMPLATES", "C:\\", ""},
    {"Neither", nullptr, nullptr, "", "", ""},
    {"EmptyEntry", nullptr, "", "", "", ""},
    // The value is read, so a value without a folder is not passed over.
    {"DocWithoutBackslash", "WINWORD.EXE ^.doc", kWord6Embedding, "C:\\WINWORD", "", ""},
    {"DocTooLong", kLongDir.c_str(), kWord6Embedding, "C:\\WINWORD", "", ""},
    {"EntryWithoutColon", nullptr, "Microsoft Word Document,WINWORD.EXE,picture", "", "", ""},
    {"EntryWithoutCommaAfterPath", nullptr, "Microsoft Word Document,C:\\WINWORD\\WINWORD.EXE", "",
     "", ""},
    {"EntryColonFirst", nullptr, ":\\WINWORD.EXE,picture", "", "", ""},
    {"EntryPathTooLong", nullptr, kLongEntry.c_str(), "", "", ""},
};

class WordLocationTest : public WordTest, public ::testing::WithParamInterface<LocationCase> {};

TEST_P(WordLocationTest, FindsWordOrNot) {
  const LocationCase& c = GetParam();
  Make();
  if (c.doc) SetReg(port::HkeyCurrentUser, kExtensionsKey, "doc", c.doc);
  if (c.embedding) SetWinIniEmbedding(c.embedding);
  std::string folders = c.folders;
  for (std::size_t at = 0; at < folders.size();) {
    const std::size_t end = std::min(folders.find(';', at), folders.size());
    MakeFolder(folders.substr(at, end - at));
    at = end + 1;
  }
  char directory[kPathSize] = "", program[kPathSize] = "", templates[kPathSize] = "";
  int found = -1, foundProgram = -1, foundTemplates = -1;
  Run([&] {
    found = GetWordDirectory(directory);
    foundProgram = FindWordExecutable(program);
    foundTemplates = GetWordTemplateDirectory(templates);
  });
  const bool expectFound = c.directory[0] != '\0';
  EXPECT_EQ(found, expectFound ? 1 : 0);
  EXPECT_EQ(foundProgram, found);
  EXPECT_EQ(foundTemplates, c.templates[0] ? 1 : 0);
  if (expectFound) {
    EXPECT_STREQ(directory, c.directory);
    EXPECT_EQ(std::string(program), std::string(c.directory) + "winword.exe");
  }
  if (c.templates[0]) {
    EXPECT_STREQ(templates, c.templates);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, WordLocationTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
