// A stand-in for the setup front end: it owns a top-level window titled
// "Setup", runs one program with a given argument text, pumps messages until
// that program ends, and writes what was done to its window into a log, one
// line per event:
//
//   hidden | shown | foreground | close | exit N
//
// Usage: setupwin LOG ARGUMENTS PROGRAM [unquoted]
// ARGUMENTS is a file whose first line is the argument text, passed on
// exactly as it stands; an empty file runs the program with its name alone.
// The program's path leads its command line in quotation marks; with
// "unquoted" it stands there bare, as Windows starts a RunOnce entry: the
// path is given to the system apart, and the command line holds it as
// written, blanks and all.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

FILE* Log = nullptr;
bool Recording = false;
std::string LastEvent;

void Record(const char* event) {
  if (!Recording || LastEvent == event) return;  // the system may repeat a state change
  LastEvent = event;
  std::fprintf(Log, "%s\n", event);
  std::fflush(Log);
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos->flags & SWP_HIDEWINDOW) Record("hidden");
      if (pos->flags & SWP_SHOWWINDOW) Record("shown");
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Record("foreground");
      break;
    case WM_CLOSE:
      Record("close");
      DestroyWindow(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Splits one word off the front of a command line: a quoted word or a run of
// non-blanks. Returns the rest after the blanks that follow the word.
const char* TakeWord(const char* p, std::string& word) {
  word.clear();
  bool quoted = false;
  for (; *p != '\0'; ++p) {
    if (*p == '"') {
      quoted = !quoted;
    } else if (!quoted && (*p == ' ' || *p == '\t')) {
      break;
    } else {
      word += *p;
    }
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

std::string ReadFirstLine(const char* path) {
  std::string line;
  if (FILE* in = std::fopen(path, "rb")) {
    for (int c; (c = std::fgetc(in)) != EOF && c != '\n' && c != '\r';) line += static_cast<char>(c);
    std::fclose(in);
  }
  return line;
}

void PumpWaiting() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string self, logPath, argumentsPath, program;
  const char* rest = TakeWord(GetCommandLineA(), self);
  rest = TakeWord(rest, logPath);
  rest = TakeWord(rest, argumentsPath);
  rest = TakeWord(rest, program);
  std::string form;
  TakeWord(rest, form);
  if (program.empty()) return 2;
  const bool unquoted = form == "unquoted";
  std::string arguments = ReadFirstLine(argumentsPath.c_str());
  Log = std::fopen(logPath.c_str(), "wb");
  if (Log == nullptr) return 2;

  WNDCLASSA wc{};
  wc.lpfnWndProc = SetupWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "ZvTestSetupFrontEnd";
  RegisterClassA(&wc);
  HWND window = CreateWindowA(wc.lpszClassName, "Setup", WS_OVERLAPPEDWINDOW, 40, 40, 400, 300,
                              nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  PumpWaiting();
  // Only what the program does to the window is recorded.
  Recording = true;

  std::string commandLine = unquoted ? program : "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(unquoted ? program.c_str() : nullptr, &commandLine[0], nullptr, nullptr,
                      FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(Log, "cannot start %s\n", program.c_str());
    std::fclose(Log);
    return 3;
  }
  CloseHandle(process.hThread);
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) ==
         WAIT_OBJECT_0 + 1)
    PumpWaiting();
  PumpWaiting();
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  std::fprintf(Log, "exit %lu\n", static_cast<unsigned long>(code));
  std::fclose(Log);
  return 0;
}
