// A stand-in for a program that ZVSET starts (the front end's SETUP.EXE, for
// one): it adds its own path to C:\zvtest\started.log and ends.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, sizeof self);
  if (FILE* log = std::fopen("C:\\zvtest\\started.log", "ab")) {
    std::fprintf(log, "%s\n", self);
    std::fclose(log);
  }
  return 0;
}
