// The port: the few operating-system services that ZVSET and the product's
// libraries use. Two backends implement it: win32/ over the real API and sim/
// over a simulated machine. Nothing above this layer knows which one it runs on.
//
// Values that the program's behaviour is written in keep their Win32 numbers,
// so the Win32 backend passes them through unchanged. Names differ from the
// Win32 ones on purpose: <windows.h> defines many of those as macros.
#pragma once

#include <cstddef>
#include <cstdint>

namespace port {

// Opaque handles. 0 is "none" for every kind.
using Window = std::uintptr_t;
using Instance = std::uintptr_t;
using Icon = std::uintptr_t;
using RegKey = std::uintptr_t;
using Library = std::uintptr_t;
using Search = std::uintptr_t;
using File = std::uintptr_t;
using DdeName = std::uintptr_t;
using DdeConversation = std::uintptr_t;

// Message box buttons, icons and results.
namespace mb {
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNoCancel = 0x3;
constexpr unsigned YesNo = 0x4;
constexpr unsigned RetryCancel = 0x5;
constexpr unsigned IconHand = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconExclamation = 0x30;
constexpr unsigned IconInformation = 0x40;
}  // namespace mb
namespace id {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Retry = 4;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace id

// Show commands.
namespace sw {
constexpr int Hide = 0;
constexpr int ShowNormal = 1;
constexpr int Show = 5;
}  // namespace sw

// Window messages that the program sends or handles.
namespace wm {
constexpr unsigned Destroy = 0x0002;
constexpr unsigned Paint = 0x000F;
constexpr unsigned Close = 0x0010;
constexpr unsigned InitDialog = 0x0110;
constexpr unsigned Command = 0x0111;
constexpr unsigned Timer = 0x0113;
constexpr unsigned User = 0x0400;
}  // namespace wm
constexpr unsigned StmSetIcon = 0x0170;

// Button check states.
constexpr unsigned Unchecked = 0;
constexpr unsigned Checked = 1;

// Help service commands.
namespace help {
constexpr unsigned Context = 0x0001;
constexpr unsigned Quit = 0x0002;
}  // namespace help

// System metrics.
constexpr int SmCxScreen = 0;
constexpr int SmCyScreen = 1;

// Registry roots, as the product's registry library takes them.
constexpr std::uint32_t HkeyClassesRoot = 0x80000000u;
constexpr std::uint32_t HkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t HkeyLocalMachine = 0x80000002u;

// Registry results (Win32 error codes; 0 is success).
constexpr long RegOk = 0;
constexpr long RegNotFound = 2;
constexpr long RegAccessDenied = 5;   // a key with subkeys removed on NT; a write refused
constexpr long RegInvalidHandle = 6;  // a key that is not open
constexpr long RegInvalidData = 13;   // a value that is not a string, read as one
constexpr long RegMoreData = 234;
constexpr long RegNoMoreItems = 259;

// File attributes.
constexpr std::uint32_t InvalidAttributes = 0xFFFFFFFFu;
constexpr std::uint32_t AttrReadOnly = 0x01;
constexpr std::uint32_t AttrHidden = 0x02;
constexpr std::uint32_t AttrSystem = 0x04;
constexpr std::uint32_t AttrDirectory = 0x10;
constexpr std::uint32_t AttrArchive = 0x20;
constexpr std::uint32_t AttrNormal = 0x80;

// File opening, as CreateFile takes it.
constexpr std::uint32_t GenericRead = 0x80000000u;
constexpr std::uint32_t GenericWrite = 0x40000000u;
constexpr std::uint32_t ShareRead = 0x1;
constexpr std::uint32_t ShareWrite = 0x2;
constexpr std::uint32_t CreateAlways = 2;
constexpr std::uint32_t OpenExisting = 3;
constexpr std::uint32_t OpenAlways = 4;
constexpr File InvalidFile = ~File{0};

struct Rect {
  long left, top, right, bottom;
};

// A dialog procedure: returns nonzero when it handled the message.
using DialogProc = std::intptr_t (*)(Window dialog, unsigned message,
                                     std::uintptr_t wParam, std::intptr_t lParam);

// ---- Top-level windows -------------------------------------------------
// The top-level window whose title is exactly `title`, of any class; 0 if none.
Window FindTopWindow(const char* title);
void ShowTopWindow(Window window, int showCommand);
void BringToForeground(Window window);
// Sends a message and returns once the window has handled it.
std::intptr_t SendToWindow(Window window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam);
bool PostToWindow(Window window, unsigned message, std::uintptr_t wParam,
                  std::intptr_t lParam);
// The program's active window, 0 when it has none.
Window ActiveWindow();
bool GetWindowBounds(Window window, Rect& rect);
void MoveWindowTo(Window window, int left, int top, int width, int height, bool repaint);
int ScreenMetric(int index);
// Invalidates the whole window without erasing it and repaints it at once.
void RepaintNow(Window window);
// Calls `visit` with every top-level window, in the system's order, as long
// as it returns true.
using WindowVisitor = bool (*)(Window window, std::intptr_t data);
void EnumerateTopWindows(WindowVisitor visit, std::intptr_t data);
// The window's title, cut to size - 1 characters and the terminator; its length.
unsigned WindowTitle(Window window, char* buffer, int size);

// ---- The user ------------------------------------------------------------
int ShowMessageBox(Window owner, const char* text, const char* title, unsigned type);
// Runs a modal dialog from a template of the program's resources.
std::intptr_t RunModalDialog(Instance instance, int templateId, Window owner,
                             DialogProc proc, std::intptr_t initParam);
void EndModalDialog(Window dialog, std::intptr_t result);
Window DialogItem(Window dialog, int controlId);
void SetItemText(Window dialog, int controlId, const char* text);
// Copies at most size - 1 characters and the terminator; returns the length copied.
unsigned GetItemText(Window dialog, int controlId, char* buffer, int size);
void SetItemCheck(Window dialog, int controlId, unsigned state);
unsigned GetItemCheck(Window dialog, int controlId);
void ShowItem(Window dialog, int controlId, int showCommand);
// A disabled control takes no input from the user.
void EnableItem(Window dialog, int controlId, bool enable);
Icon LoadProgramIcon(Instance instance, int iconId);
// The help service: opens `file` at a topic, or closes it for `owner`.
bool OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data);

// ---- The process and the system -------------------------------------------
// The running program's module file name as the system reports it.
unsigned ModuleFileName(char* buffer, unsigned size);
// The short (8.3) form of an existing path and its length; 0 when the path
// does not exist or the short form does not fit in `size` (nothing copied
// then). `buffer` may be `path` itself.
unsigned ShortPathName(const char* path, char* buffer, unsigned size);
unsigned WindowsDirectory(char* buffer, unsigned size);
// The variable's value and its length; 0 when it is not set or `size` is 0.
// A value longer than the buffer is cut to size - 1 characters, terminated.
unsigned EnvironmentVariable(const char* name, char* buffer, unsigned size);
void SleepFor(unsigned milliseconds);
// The process's error mode; returns the previous one. With
// SemFailCriticalErrors the system shows no box of its own for a drive that
// cannot be read (an empty diskette drive) and the call simply fails.
constexpr unsigned SemFailCriticalErrors = 0x0001;
unsigned SetErrorModeTo(unsigned mode);
// The logical drives: bit 0 drive A, bit 1 drive B, ...
std::uint32_t LogicalDrives();
// The current drive and directory, as in "C:\ZV".
unsigned CurrentDirectory(char* buffer, unsigned size);
// Makes drive `drive` (1 for A, 3 for C) current, in the directory last
// current on it.
bool ChangeDrive(int drive);
bool ChangeDirectory(const char* path);
struct Date {
  int year, month, day;
};
// Today's date on the machine's clock.
Date Today();

// ---- Files ---------------------------------------------------------------
std::uint32_t FileAttributes(const char* path);
bool SetAttributes(const char* path, std::uint32_t attributes);
bool RemoveFile(const char* path);
// Fails when `to` exists.
bool RenameFile(const char* from, const char* to);
File OpenFile(const char* path, std::uint32_t access, std::uint32_t share,
              std::uint32_t disposition);
// Number of bytes read or written; 0 on failure or at the end of the file.
std::uint32_t ReadFrom(File file, void* buffer, std::uint32_t count);
std::uint32_t WriteTo(File file, const void* buffer, std::uint32_t count);
// Moves to `offset` from the start; returns the new position, or -1.
long SeekTo(File file, long offset);
long FilePosition(File file);
long FileLength(File file);
void CloseFile(File file);

bool CopyFileTo(const char* from, const char* to, bool failIfExists);
// Whether diskette drive `drive` (0 A, 1 B) holds a diskette that can be
// written. Shows nothing to the user when the drive is empty.
bool DriveReady(int drive);
// The first `size` bytes of a hard disk's contents, as a program that may
// read the raw disk sees them: `volume` 0 the first hard disk (its master
// boot record), else a drive letter (that volume's boot record). 0 when the
// system refuses (a program without the privilege to read raw disks).
std::uint32_t ReadDiskStart(char volume, void* buffer, std::uint32_t size);

// Directory search over a pattern such as C:\WINDOWS\*.*, in the
// system's own order.
struct FoundEntry {
  char name[260];
  std::uint32_t attributes;
};
Search FindFirstEntry(const char* pattern, FoundEntry& entry);
bool FindNextEntry(Search search, FoundEntry& entry);
void FindEnd(Search search);

// ---- Programs and libraries ---------------------------------------------
// Starts a command line (program path and arguments). With `wait`, returns
// once the program has ended. False when it could not be started.
bool StartProgram(const char* commandLine, int showCommand, bool wait);
// Restarts Windows; the running program ends here.
[[noreturn]] void RestartSystem();
// 1 on Windows 95, 2 on Windows NT.
int SystemKind();
unsigned ComputerName(char* buffer, unsigned size);
// A library loaded at run time by file name; 0 when it cannot be loaded.
Library LoadRuntimeLibrary(const char* fileName);
// An export by name; null when the library lacks it.
void* LibraryExport(Library library, const char* name);

// ---- Waiting for other programs ----------------------------------------------
// Whether the program that StartProgram last started without waiting is
// still running.
bool StartedProgramRunning();
// Whether a top-level window is visible (false for one that is gone).
bool WindowVisible(Window window);
// Takes one message waiting for the program's thread, if any, and dispatches
// it (timer procedures included). False when none was waiting.
bool PumpMessage();
// A timer procedure, called with the window, wm::Timer, the timer's id and
// the system time in milliseconds.
using TimerProc = void (*)(Window window, unsigned message, std::uintptr_t id,
                           std::uint32_t time);
// Starts a timer of `window` that calls `proc` every `milliseconds` while the
// program pumps messages; the timer's id (`id` itself when `window` is not
// 0), 0 on failure.
std::uintptr_t StartTimer(Window window, std::uintptr_t id, unsigned milliseconds,
                          TimerProc proc);
void StopTimer(Window window, std::uintptr_t id);

// ---- Conversations with other programs (DDE) ------------------------------
// Starts the program's DDE instance as a client only: every transaction that
// a server would serve fails. 0 when DDE cannot start.
std::uint32_t DdeStartClient();
void DdeStop(std::uint32_t instance);
// A string handle for a service or topic name, in the ANSI code page.
DdeName DdeMakeName(std::uint32_t instance, const char* text);
void DdeFreeName(std::uint32_t instance, DdeName name);
// Opens a conversation with a server of `service` on `topic`; 0 when none answers.
DdeConversation DdeConnectTo(std::uint32_t instance, DdeName service, DdeName topic);
// A synchronous execute transaction: `length` bytes of `data` (a command and
// its terminator), waiting at most `timeout` ms. Whether the server took it.
bool DdeExecute(std::uint32_t instance, DdeConversation conversation, const char* data,
                std::uint32_t length, unsigned timeout);
void DdeDisconnectFrom(DdeConversation conversation);

// ---- Profile (INI) strings ----------------------------------------------
unsigned ReadProfileString(const char* file, const char* section, const char* key,
                           const char* fallback, char* buffer, unsigned size);
bool WriteProfileString(const char* file, const char* section, const char* key,
                        const char* value);

// ---- Registry primitives ----------------------------------------------------
// Paths use backslashes between levels; names compare without regard to case.
long RegOpen(std::uint32_t root, const char* path, RegKey& key);
long RegCreate(std::uint32_t root, const char* path, RegKey& key);
void RegClose(RegKey key);
// A string value. `size` is the buffer's size in, the size the value needs out
// (terminator included); RegMoreData when it does not fit, and then nothing
// is copied. A value that is not a string is RegInvalidData, the buffer left
// as it was: the program reads only strings.
long RegQueryString(RegKey key, const char* name, char* buffer, std::uint32_t& size);
// Stores `length` characters of `data` as a string value; `length` may be
// longer than the text, as when a buffer's size is passed.
long RegSetString(RegKey key, const char* name, const char* data, std::uint32_t length);
long RegRemoveValue(RegKey key, const char* name);
// Removes a subkey. One that has subkeys of its own is refused with
// RegAccessDenied on Windows NT and removed with everything below it on
// Windows 95; the simulator follows the system the machine boots.
long RegRemoveKey(RegKey key, const char* subkey);
long RegEnumSubKey(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size);

}  // namespace port

// The program's entry, defined by the program above the port and called by
// the platform when the process starts: the module instance and the argument
// text (the command line after the program's own name and the blanks that
// follow it). Returns the exit code, 0 in every case.
int ZvsetMain(port::Instance instance, const char* argumentText);
