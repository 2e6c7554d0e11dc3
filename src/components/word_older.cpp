#include "components/word_older.h"

#include <cstring>

#include "components/word_messages.h"
#include "components/word_protection.h"
#include "frame/paths.h"
#include "frame/setup_state.h"
#include "services/zvutil/zvutil.h"

namespace {

// The window the installer document shows when it has installed the template.
constexpr const char* kDoneWindow = "ZVFW Installation Over";
// Word's own start-up tip, closed before Word itself.
constexpr const char* kTipWindow = "Tip of the Day";
constexpr std::uintptr_t kWatchTimer = 1;
constexpr unsigned kWatchPeriod = 100;  // milliseconds
// Window titles are read with room for 79 characters.
constexpr int kTitleSize = 80;

bool CloseIfWordWindow(port::Window window, std::intptr_t) {
  char title[kTitleSize];
  port::WindowTitle(window, title, sizeof title);
  LowerCase(title);
  if (std::strstr(title, "word") && std::strstr(title, "zvfw"))
    port::SendToWindow(window, port::wm::Close, 0, 0);
  return true;
}

// Every tick: wait while the document works and while it shows that it is
// done; once that window is gone, close Word's tips one a tick, then Word.
void WatchWord(port::Window window, unsigned, std::uintptr_t id, std::uint32_t) {
  if (port::FindTopWindow(kDoneWindow)) {
    WordDoneWindowSeen = 1;
    return;
  }
  if (WordDoneWindowSeen != 1) return;
  if (port::Window tip = port::FindTopWindow(kTipWindow)) {
    port::SendToWindow(tip, port::wm::Close, 0, 0);
    return;
  }
  port::StopTimer(window, id);
  CloseWordWindows();
  WordStageFinished = 1;
}

void ShowWordMessage(const char* text, const char* title) {
  port::ShowMessageBox(0, text, title, kWordMessageType);
}

}  // namespace

void CloseWordWindows() { port::EnumerateTopWindows(CloseIfWordWindow, 0); }

void InstallForOlderWord() {
  char program[kPathSize] = "";
  FindWordExecutable(program);
  char document[kPathSize];
  CopyText(document, sizeof document, InstallDir);
  AppendName(document, sizeof document, "ZVFW.DOC");
  if (!FileExists(document)) {
    ShowWordMessage(kInstallerDocMissingText, kInstallerDocMissingTitle);
    WordStageFinished = 1;
    return;
  }
  port::SetAttributes(document, port::FileAttributes(document) & ~port::AttrReadOnly);
  char parameters[kPathSize + 8];
  CopyText(parameters, sizeof parameters, document);
  AppendName(parameters, sizeof parameters, " /m /w");

  const port::Window active = port::ActiveWindow();
  const std::uintptr_t timer = port::StartTimer(active, kWatchTimer, kWatchPeriod, WatchWord);
  if ((ExecFile(program, parameters, port::sw::Show, 0, 0) & 0xFFFF) == 0) {
    port::StopTimer(active, timer);
    ShowWordMessage(kWordNotStartedText, kWordNotStartedTitle);
    WordStageFinished = 1;
    return;
  }
  // Word that ends ends the wait too: without the document's report (closed
  // early, its macros failed) nothing was installed.
  while (WordStageFinished == 0) {
    if (port::PumpMessage()) continue;
    if (!port::StartedProgramRunning()) {
      port::StopTimer(active, timer);
      if (WordDoneWindowSeen != 1) return;
      break;
    }
  }
  WordTemplateInstalled = 1;
}
