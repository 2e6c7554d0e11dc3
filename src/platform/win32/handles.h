// Conversions between the port's opaque handles and the system's own. Only
// the Win32 backend includes this header.
#pragma once

#include <windows.h>

#include <string>
// The system's header makes this port name a macro for its own function of
// the same name; the port's function must keep its name.
#undef WriteProfileString

#include "platform/port.h"

namespace win32 {

inline HWND ToWindow(port::Window window) { return reinterpret_cast<HWND>(window); }
inline port::Window FromWindow(HWND window) { return reinterpret_cast<port::Window>(window); }
inline HINSTANCE ToInstance(port::Instance instance) {
  return reinterpret_cast<HINSTANCE>(instance);
}
inline HANDLE ToHandle(port::File file) { return reinterpret_cast<HANDLE>(file); }
inline HKEY ToKey(port::RegKey key) { return reinterpret_cast<HKEY>(key); }

// The predefined keys are the 32-bit values 0x80000000.. sign-extended to a
// pointer, so HKEY_CURRENT_USER is the same key in a 64-bit process.
inline HKEY ToRoot(std::uint32_t root) {
  return reinterpret_cast<HKEY>(
      static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

// The long form of an existing path, as the record names files; the path as
// given where the system cannot tell it (Windows 95 lacks the call).
std::string LongPath(const char* path);

// The program's icons by handle, as LoadProgramIcon loaded them, so that the
// record names an icon put into a control by its resource id; 0 for others.
void NoteIcon(HICON icon, int iconId);
int IconIdOf(HICON icon);

}  // namespace win32
