// Reads the program's dialog templates (plain and extended) from its
// resources. The statement each control was written with is told by its
// class and style, as the resource compiler made them.
#include "platform/win32/dialog_template.h"

#include <string>

namespace win32 {
namespace {

// A reader over the template's words, which never reads past its end.
struct Reader {
  const BYTE* at;
  const BYTE* end;
  bool ok = true;

  WORD Word() {
    if (end - at < 2) {
      ok = false;
      return 0;
    }
    const WORD w = static_cast<WORD>(at[0] | (at[1] << 8));
    at += 2;
    return w;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  void Skip(std::size_t bytes) {
    if (static_cast<std::size_t>(end - at) < bytes) ok = false;
    else at += bytes;
  }
  void AlignDword(const BYTE* start) {
    while (ok && (at - start) % 4 != 0) Skip(1);
  }
  // A text of UTF-16 words up to its terminator, in the ANSI code page.
  std::string Text() {
    std::wstring wide;
    for (WORD w = Word(); ok && w != 0; w = Word()) wide += static_cast<wchar_t>(w);
    if (wide.empty()) return "";
    char buffer[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), buffer,
                        sizeof buffer - 1, nullptr, nullptr);
    return buffer;
  }
  // A name or an ordinal: 0xFFFF and a number, or a text. -1 for a text.
  int NameOrOrdinal(std::string& text) {
    if (end - at >= 2 && at[0] == 0xFF && at[1] == 0xFF) {
      Skip(2);
      return Word();
    }
    text = Text();
    return -1;
  }
};

constexpr int kButtonAtom = 0x80, kEditAtom = 0x81, kStaticAtom = 0x82;

std::string KindOf(int atom, const std::string& className, DWORD style, bool& checkable,
                   bool& editable) {
  int klass = atom;
  if (klass < 0) {
    if (lstrcmpiA(className.c_str(), "Button") == 0) klass = kButtonAtom;
    else if (lstrcmpiA(className.c_str(), "Edit") == 0) klass = kEditAtom;
    else if (lstrcmpiA(className.c_str(), "Static") == 0) klass = kStaticAtom;
  }
  if (klass == kEditAtom) {
    editable = true;
    return "EDITTEXT";
  }
  if (klass == kButtonAtom) {
    switch (style & 0xF) {
      case BS_PUSHBUTTON: return "PUSHBUTTON";
      case BS_DEFPUSHBUTTON: return "DEFPUSHBUTTON";
      case BS_CHECKBOX: checkable = true; return "CHECKBOX";
      case BS_AUTOCHECKBOX: checkable = true; return "AUTOCHECKBOX";
      case BS_RADIOBUTTON: checkable = true; return "RADIOBUTTON";
      case BS_AUTORADIOBUTTON: checkable = true; return "AUTORADIOBUTTON";
      case BS_GROUPBOX: return "GROUPBOX";
      default: return "CONTROL";
    }
  }
  if (klass == kStaticAtom) {
    // The text statements are static controls of their alignment in a group
    // of their own; a static written as CONTROL has no group unless it says so.
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_ICON) return "ICON";
    if (style & WS_GROUP) {
      if (type == SS_LEFT) return "LTEXT";
      if (type == SS_CENTER) return "CTEXT";
      if (type == SS_RIGHT) return "RTEXT";
    }
  }
  return "CONTROL";
}

}  // namespace

std::vector<record::Control> TemplateControls(HINSTANCE instance, int templateId) {
  std::vector<record::Control> controls;
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const BYTE* start = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!start) return controls;
  Reader r{start, start + SizeofResource(instance, found)};
  const bool extended = r.end - r.at >= 4 && r.at[0] == 1 && r.at[2] == 0xFF && r.at[3] == 0xFF;
  DWORD style = 0;
  if (extended) {
    r.Skip(8);  // version, signature, help id
    r.Skip(4);  // extended style
    style = r.Dword();
  } else {
    style = r.Dword();
    r.Skip(4);  // extended style
  }
  const WORD count = r.Word();
  r.Skip(8);  // position and size
  std::string ignored;
  r.NameOrOrdinal(ignored);  // menu
  r.NameOrOrdinal(ignored);  // class
  r.Text();                  // caption
  if (style & DS_SETFONT) {
    r.Skip(2);                // point size
    if (extended) r.Skip(4);  // weight, italic, character set
    r.Text();
  }
  for (WORD i = 0; i < count && r.ok; ++i) {
    r.AlignDword(start);
    record::Control c;
    DWORD itemStyle = 0;
    if (extended) {
      r.Skip(8);  // help id, extended style
      itemStyle = r.Dword();
      r.Skip(8);
      c.id = static_cast<int>(r.Dword());
    } else {
      itemStyle = r.Dword();
      r.Skip(4 + 8);
      c.id = static_cast<short>(r.Word());
    }
    std::string className;
    const int atom = r.NameOrOrdinal(className);
    const int ordinal = r.NameOrOrdinal(c.text);
    if (ordinal >= 0) c.text = std::to_string(ordinal);
    r.Skip(r.Word());  // creation data
    if (!r.ok) break;
    c.kind = KindOf(atom, className, itemStyle, c.checkable, c.editable);
    if (c.kind == "ICON") c.icon = ordinal >= 0 ? ordinal : 0;
    c.visible = (itemStyle & WS_VISIBLE) != 0;
    c.enabled = (itemStyle & WS_DISABLED) == 0;
    controls.push_back(c);
  }
  return controls;
}

}  // namespace win32
