#include "scan/virus_names.h"

#include <cstring>

#include "frame/paths.h"

char VirusNames2000[kVirusNameRows][kVirusNameSize];
char VirusNames8000[kVirusNameRows][kVirusNameSize];
const char VirusNames5000[kVirusNames5000Rows][kVirusNames5000Stride] = {"Anxiety",
                                                                          "Anxiety.Gold"};

namespace {

// The names the bottom, polymorphic and PE scanners report by id, in the
// order they are written.
const struct {
  char (*table)[kVirusNameSize];
  int row;
  const char* name;
} kBuiltInNames[] = {
    {VirusNames2000, 0, "Invisible"},         {VirusNames2000, 1, "Inferno (T-Rex)"},
    {VirusNames2000, 2, "Dir.Byway"},         {VirusNames2000, 3, "OneHalf"},
    {VirusNames2000, 4, "Natas"},             {VirusNames2000, 5, "Junkie.1027"},
    {VirusNames2000, 6, "Avispa.2048"},       {VirusNames2000, 7, "ScreamingFist.696"},
    {VirusNames2000, 8, "Desperado.2403"},    {VirusNames2000, 9, "Vampiro.1000"},
    {VirusNames2000, 10, "Predator.2448"},    {VirusNames2000, 11, "Tequila.2468"},
    {VirusNames2000, 12, "Flip.2343"},        {VirusNames2000, 13, "Flip.2153"},
    {VirusNames2000, 14, "Tremor.4000"},      {VirusNames2000, 15, "FileDate.570"},
    {VirusNames2000, 16, "Ontario.1024"},     {VirusNames2000, 17, "Fish.3584"},
    {VirusNames2000, 18, "Maltes Amoeba"},    {VirusNames2000, 19, "Arianna.3375"},
    {VirusNames2000, 20, "NoFrills.Dudely"},  {VirusNames2000, 21, "V2PX"},
    {VirusNames2000, 22, "Haifa.2354"},       {VirusNames2000, 23, "Manzon"},
    {VirusNames2000, 24, "Campana"},          {VirusNames2000, 25, "Lazarus.2222"},
    {VirusNames2000, 26, "HLLC.Evenbeeper"},  {VirusNames2000, 27, "Spanska.4250"},
    {VirusNames2000, 28, "Batman.3372"},      {VirusNames2000, 29, "HLL.Crawen"},
    {VirusNames8000, 0, "Cabanas.3000"},
};

}  // namespace

void BuildVirusNameTables() {
  for (const auto& n : kBuiltInNames) CopyText(n.table[n.row], kVirusNameSize, n.name);
}
