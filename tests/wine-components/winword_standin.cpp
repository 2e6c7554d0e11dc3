// A stand-in for Word before Word 97, behaving as the simulator's Word does
// with the behaviour words in C:\zvtest\winword.txt: it opens its main
// window titled with the document ("Microsoft Word - ZVFW.DOC"), with "tip"
// a "Tip of the Day" window; started on ZVFW.DOC with /m and /w, its
// document shows "ZVFW Installation Over" after report-after milliseconds
// (none with no-report) and closes it after document-closes-report-after;
// with ends-after it ends by itself. Otherwise it ends when its windows are
// closed. Each WM_CLOSE it gets is logged in C:\zvtest\winword.log.
#include <windows.h>

#include <cstdio>
#include <cctype>
#include <sstream>
#include <string>

namespace {

constexpr UINT_PTR kReportTimer = 1;
constexpr UINT_PTR kCloseReportTimer = 2;
constexpr UINT_PTR kEndTimer = 3;

bool Tip = false, Report = true;
UINT ReportAfter = 2000, CloseReportAfter = 0, EndsAfter = 0;
int OpenWindows = 0;
HWND Main = nullptr;

void Log(const std::string& line) {
  if (FILE* log = std::fopen("C:\\zvtest\\winword.log", "ab")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

void ReadBehaviour() {
  std::string text;
  if (FILE* in = std::fopen("C:\\zvtest\\winword.txt", "rb")) {
    for (int c; (c = std::fgetc(in)) != EOF;) text += static_cast<char>(c);
    std::fclose(in);
  }
  std::istringstream words(text);
  std::string w;
  while (words >> w) {
    if (w == "tip") Tip = true;
    else if (w == "no-report") Report = false;
    else if (w == "report-after") words >> ReportAfter;
    else if (w == "document-closes-report-after") words >> CloseReportAfter;
    else if (w == "ends-after") words >> EndsAfter;
  }
}

HWND Open(const char* title) {
  HWND window = CreateWindowA("ZvWordStandIn", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400,
                              300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window) ++OpenWindows;
  return window;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      char title[128] = "";
      GetWindowTextA(window, title, sizeof title);
      Log(std::string("closed \"") + title + "\"");
      DestroyWindow(window);
      return 0;
    }
    case WM_DESTROY:
      if (--OpenWindows == 0) PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      KillTimer(window, wParam);
      if (wParam == kReportTimer) {
        HWND report = Open("ZVFW Installation Over");
        if (CloseReportAfter) SetTimer(report, kCloseReportTimer, CloseReportAfter, nullptr);
      } else if (wParam == kCloseReportTimer) {
        DestroyWindow(window);
      } else if (wParam == kEndTimer) {
        PostQuitMessage(0);
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  ReadBehaviour();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "ZvWordStandIn";
  RegisterClassA(&windowClass);

  std::string arguments = commandLine;
  std::string document = arguments.substr(0, arguments.find(' '));
  document = document.substr(document.find_last_of("\\:") + 1);
  for (char& c : document) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string lower = arguments;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool installer = document == "ZVFW.DOC" && lower.find("/m") != std::string::npos &&
                         lower.find("/w") != std::string::npos;

  const std::string title = "Microsoft Word - " + (document.empty() ? "Document1" : document);
  Main = Open(title.c_str());
  if (Tip) Open("Tip of the Day");
  if (installer && Report) SetTimer(Main, kReportTimer, ReportAfter, nullptr);
  if (EndsAfter) SetTimer(Main, kEndTimer, EndsAfter, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
