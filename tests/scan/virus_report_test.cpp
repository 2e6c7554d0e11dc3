// The report of a detection: which name it gives for each scanner and id,
// and its text.
#include <filesystem>

#include "scan/virus_names.h"
#include "scan/virus_report.h"
#include "scan_test_util.h"

namespace {

using VirusReport = ScanTest;

const struct {
  ScanKind kind;
  int virusId;
  int entry;
  const char* name;
} kNamings[] = {
    // The top scanner's detections are named from the index, whatever the id.
    {kScanTop, 20, 0, "Scan.Top"},
    {kScanTop, 2004, 1, "Scan.Bottom"},
    {kScanTop, 8000, 3, "Scan.Poly"},
    // The others by id where a table has the row.
    {kScanBottom, 20, 0, "Natas"},
    {kScanPoly, 2004, 0, "Natas"},
    {kScanPE, 16, 0, "OneHalf"},
    {kScanBottom, 2003, 0, "OneHalf"},
    {kScanBottom, 2000, 0, "Invisible"},
    {kScanPE, 2029, 0, "HLL.Crawen"},
    {kScanPoly, 5000, 0, "Anxiety"},
    {kScanPoly, 5001, 0, "Anxiety.Gold"},
    {kScanPoly, 8000, 0, "Cabanas.3000"},
    {kScanPoly, 8001, 0, ""},
    {kScanBottom, 8029, 0, ""},
    // Any other id from the index entry the scanner matched.
    {kScanBottom, 301, 1, "Scan.Bottom"},
    {kScanBottom, -2, 2, "Scan.PE"},
    // Ids past the last row of their table, likewise.
    {kScanBottom, 2030, 2, "Scan.PE"},
    {kScanPE, 4999, 1, "Scan.Bottom"},
    {kScanPE, 5002, 3, "Scan.Poly"},
    {kScanPoly, 8030, 0, "Scan.Top"},
    {kScanPoly, 32767, 1, "Scan.Bottom"},
    // An entry the index does not have names nothing.
    {kScanTop, 0, 4, ""},
    {kScanBottom, 300, -1, ""},
};

TEST_F(VirusReport, NamesByScannerAndId) {
  MakeScanMachine();
  std::vector<std::string> expected;
  for (const auto& n : kNamings) {
    Answer("box \"Virus Found\" OK\n");
    expected.push_back(std::string(n.name) + " in C:\\X.COM");
  }
  WithEngine([] {
    BuildVirusNameTables();
    for (const auto& n : kNamings)
      ReportVirus(static_cast<std::int16_t>(n.virusId), n.kind, "C:\\X.COM",
                  static_cast<std::int16_t>(n.entry));
  });
  EXPECT_EQ(Reports(), expected);
}

TEST_F(VirusReport, TheMessage) {
  MakeScanMachine();
  Answer("box \"Virus Found\" OK\n");
  WithEngine([] { ReportVirus(2001, kScanTop, "C:\\WINDOWS\\SETUP.EXE", 0); });
  EXPECT_EQ(LinesStarting({"box"}),
            std::vector<std::string>{
                "box \"Virus Found\" [OK] exclamation, no owner: \"Found strains of Scan.Top in "
                "C:\\WINDOWS\\SETUP.EXE.\\nBecause the virus is not currently active, Setup can "
                "safely install Zelvane anti-virus on your computer. After installation "
                "completes, scan your drives to eliminate the virus.\\n\\nClick OK to continue.\""});
}

// Without the index the report still names the file.
TEST_F(VirusReport, NoIndexNoName) {
  Make();
  Answer("box \"Virus Found\" OK\n");
  RunProcess([] { ReportVirus(301, kScanBottom, "C:\\X.COM", 1); });
  EXPECT_EQ(Reports(), std::vector<std::string>{" in C:\\X.COM"});
}

// A path that leaves no room for the whole message cuts the message, within
// its 400 characters.
TEST_F(VirusReport, ALongReportIsCut) {
  MakeScanMachine();
  Answer("box \"Virus Found\" OK\n");
  const std::string path = "C:\\" + std::string(250, 'P') + ".COM";
  WithEngine([&] { ReportVirus(2001, kScanTop, path.c_str(), 0); });
  const std::vector<std::string> boxes = LinesStarting({"box"});
  ASSERT_EQ(boxes.size(), 1u);
  const std::string text = boxes[0].substr(boxes[0].find(": \"") + 3);
  const std::string shown = text.substr(0, text.size() - 1);
  std::string unquoted;
  for (std::size_t i = 0; i < shown.size(); ++i)
    unquoted += shown[i] == '\\' && i + 1 < shown.size() && shown[i + 1] == 'n' ? (++i, '\n')
                                                                                 : shown[i];
  EXPECT_EQ(unquoted.size(), 399u);
  EXPECT_EQ(unquoted.rfind("Found strains of Scan.Top in " + path + ".\nBecause", 0), 0u);
}

}  // namespace
