// Word as a started program of the simulated machine. Before Word 97, setup
// runs Word on the product's installer document ZVFW.DOC, whose macros
// install the protection and then report it in a window of their own.
#include <cstdlib>
#include <vector>

#include "platform/sim/machine_ini.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"
#include "platform/sim/windows.h"

namespace sim {

constexpr const char* kWordReport = "ZVFW Installation Over";
constexpr const char* kWordTip = "Tip of the Day";

namespace {

struct WordOptions {
  bool tip = false;             // Word opens with its tip of the day
  bool report = true;           // the document's macros work and report
  std::uint64_t reportAfter = 2000;
  std::uint64_t documentClosesReportAfter = 0;  // 0: the user closes it
  std::uint64_t endsAfter = 0;  // 0: Word runs until its windows are closed
};

std::uint64_t Milliseconds(const std::vector<std::string>& words, std::size_t& i,
                           const std::string& name) {
  const std::string& option = words[i];
  if (i + 1 >= words.size() || words[i + 1].empty() ||
      words[i + 1].find_first_not_of("0123456789") != std::string::npos)
    throw Error("machine.ini [Programs] " + name + ": " + option + " needs milliseconds");
  return std::strtoull(words[++i].c_str(), nullptr, 10);
}

WordOptions ParseOptions(const std::vector<std::string>& words, const std::string& name) {
  WordOptions o;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (SameText(w, "tip")) o.tip = true;
    else if (SameText(w, "no-report")) o.report = false;
    else if (SameText(w, "report-after")) o.reportAfter = Milliseconds(words, i, name);
    else if (SameText(w, "document-closes-report-after"))
      o.documentClosesReportAfter = Milliseconds(words, i, name);
    else if (SameText(w, "ends-after")) o.endsAfter = Milliseconds(words, i, name);
    else throw Error("machine.ini [Programs] " + name + ": unknown word option " + w);
  }
  return o;
}

}  // namespace

void CheckWordOptions(const std::string& name, const std::vector<std::string>& words) {
  ParseOptions(words, name);
}

namespace {

void OpenWordWindow(Machine::State& m, const std::string& title, int program) {
  TopWindow w;
  w.handle = m.NewHandle();
  w.title = title;
  w.program = program;
  w.shownAt = m.clock;
  m.windows.push_back(w);
  m.Note("window " + Quote(title) + ": opened by WINWORD.EXE");
}

// The file name of the document Word opens: its first argument.
std::string DocumentName(const std::string& arguments) {
  std::string path = arguments.substr(0, arguments.find(' '));
  const auto slash = path.find_last_of("\\:");
  return Upper(slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace

// `word [tip] [no-report] [report-after MS] [document-closes-report-after MS]
// [ends-after MS]`: Word opens its main window titled with the document;
// started on ZVFW.DOC with /m and /w the document's macros show the report
// window after a while on the clock (none with no-report). Word runs until
// its windows are closed, or ends by itself with ends-after.
void StartWord(const std::string& name, const std::vector<std::string>& words,
               const std::string& arguments) {
  Machine::State& m = Current();
  const WordOptions o = ParseOptions(words, name);
  const int program = m.startingProgram;
  const std::string document = DocumentName(arguments);
  OpenWordWindow(m, "Microsoft Word - " + (document.empty() ? "Document1" : document), program);
  if (o.tip) OpenWordWindow(m, kWordTip, program);
  const std::string lower = Lower(arguments);
  const bool installer = document == "ZVFW.DOC" && lower.find("/m") != std::string::npos &&
                         lower.find("/w") != std::string::npos;
  if (installer && o.report) {
    Machine::State* machine = &m;
    m.At(m.clock + o.reportAfter, [machine, program, o] {
      if (!machine->running.count(program)) return;
      OpenWordWindow(*machine, kWordReport, program);
      if (o.documentClosesReportAfter)
        machine->At(machine->clock + o.documentClosesReportAfter, [] {
          CloseTopWindow(kWordReport, "ZVFW.DOC");
        });
    });
  }
  if (o.endsAfter) {
    Machine::State* machine = &m;
    m.At(m.clock + o.endsAfter, [machine, program] {
      std::vector<std::string> titles;
      for (const TopWindow& w : machine->windows)
        if (w.program == program) titles.push_back(w.title);
      for (const std::string& title : titles) CloseTopWindow(title, "WINWORD.EXE");
      machine->EndProgram(program);
    });
  }
}

}  // namespace sim
