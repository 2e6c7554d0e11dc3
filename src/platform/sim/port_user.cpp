// The user of the simulated machine: message boxes and modal dialogs,
// answered from the answer script, and the help service.
#include <algorithm>
#include <cstdlib>

#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"
#include "platform/sim/windows.h"

namespace sim {
namespace {

std::vector<int> ButtonsOf(unsigned type) {
  switch (type & 0xF) {
    case port::mb::OkCancel: return {port::id::Ok, port::id::Cancel};
    case port::mb::YesNoCancel: return {port::id::Yes, port::id::No, port::id::Cancel};
    case port::mb::YesNo: return {port::id::Yes, port::id::No};
    case port::mb::RetryCancel: return {port::id::Retry, port::id::Cancel};
    default: return {port::id::Ok};
  }
}

// Dialog units to pixels for the program's 8-point dialog font, with a
// dialog frame and a caption bar around the client area.
port::Rect DialogRect(const DialogTemplate& t) {
  const bool tool = std::find(t.exStyles.begin(), t.exStyles.end(), "WS_EX_TOOLWINDOW") !=
                    t.exStyles.end();
  const long width = t.width * 6 / 4 + 6;
  const long height = t.height * 13 / 8 + 6 + (tool ? 15 : 18);
  return {0, 0, width, height};
}

// The control as the record describes it.
record::Control Described(const Control& c) {
  record::Control r;
  r.id = c.tmpl->id;
  r.kind = c.tmpl->kind;
  r.text = c.text;
  r.icon = c.icon;
  r.checkable = c.tmpl->IsCheckBox() || c.tmpl->IsRadioButton();
  r.editable = c.tmpl->klass == "Edit";
  r.check = c.check;
  r.visible = c.visible;
  r.enabled = c.enabled;
  return r;
}

std::vector<record::Control> Described(const OpenDialog& d) {
  std::vector<record::Control> controls;
  for (const Control& c : d.controls) controls.push_back(Described(c));
  return controls;
}

void Drain(OpenDialog& d) {
  while (!d.ended && !d.queue.empty()) {
    const Message m = d.queue.front();
    d.queue.erase(d.queue.begin());
    d.proc(d.handle, m.message, m.wParam, m.lParam);
  }
}

void Click(OpenDialog& d, int id, const std::string& what) {
  Current().Note("  user " + what);
  Control* c = d.Item(id);
  d.proc(d.handle, port::wm::Command, static_cast<std::uintptr_t>(id & 0xFFFF),
         static_cast<std::intptr_t>(c ? c->handle : 0));
}

void Act(OpenDialog& d, const DialogAction& a) {
  Control* c = d.Item(a.control);
  const std::string id = std::to_string(a.control);
  switch (a.kind) {
    case DialogAction::Kind::Escape:
      Click(d, port::id::Cancel, "presses Escape");
      return;
    case DialogAction::Kind::Press:
      if (!c) throw Error(d.Name() + " has no control " + id + " to press");
      if (!c->visible) throw Error(d.Name() + ": control " + id + " is hidden");
      if (!c->enabled) throw Error(d.Name() + ": control " + id + " is disabled");
      Click(d, a.control, "presses " + id);
      return;
    case DialogAction::Kind::Set:
      if (!c || c->tmpl->klass != "Edit") throw Error(d.Name() + " has no edit control " + id);
      c->text = a.text;
      Current().Note("  user types " + Quote(a.text) + " into " + id);
      return;
    case DialogAction::Kind::Check:
    case DialogAction::Kind::Uncheck: {
      if (!c || !(c->tmpl->IsCheckBox() || c->tmpl->IsRadioButton()))
        throw Error(d.Name() + " has no check box or radio button " + id);
      if (!c->visible) throw Error(d.Name() + ": control " + id + " is hidden");
      if (!c->enabled) throw Error(d.Name() + ": control " + id + " is disabled");
      const unsigned want = a.kind == DialogAction::Kind::Check ? port::Checked : port::Unchecked;
      if (c->check == want) {
        Current().Note("  user leaves " + id + (want ? " checked" : " unchecked"));
        return;
      }
      // A click on an automatic button changes it, then tells the dialog.
      c->check = want;
      if (want && c->tmpl->IsRadioButton())
        for (Control& other : d.controls)
          if (&other != c && other.tmpl->IsRadioButton()) other.check = port::Unchecked;
      Click(d, a.control, std::string(want ? "checks " : "unchecks ") + id);
      return;
    }
  }
}

}  // namespace

std::string OpenDialog::Name() const { return "dialog " + std::to_string(tmpl->id); }

Control* OpenDialog::Item(int id) {
  for (Control& c : controls)
    if (c.tmpl->id == id) return &c;
  return nullptr;
}

}  // namespace sim

namespace port {
using namespace sim;

int ShowMessageBox(Window owner, const char* text, const char* title, unsigned type) {
  Machine::State& m = Current();
  const std::vector<int> buttons = ButtonsOf(type);
  m.lastActivity = m.clock;
  record::BoxShown(owner, text, title, type);
  Answer* a = m.answers.ForBox(title, text);
  if (!a) {
    std::string error = "no answer for the box " + Quote(title) + ": " + Quote(text);
    if (const Answer* near = m.answers.ForBoxIgnoringCase(title, text))
      error += "; the answer of line " + std::to_string(near->line) +
               " differs only in letter case: " + near->written;
    throw Error(error);
  }
  if (std::find(buttons.begin(), buttons.end(), a->button) == buttons.end())
    throw Error("answer line " + std::to_string(a->line) + " presses " + ButtonWord(a->button) +
                ", which the box " + Quote(title) + " does not have");
  a->used = true;
  record::BoxAnswered(a->button);
  if (!a->thenClose.empty()) CloseTopWindow(a->thenClose, "user");
  if (!a->thenInsert.empty()) InsertDisk(a->thenInsert[0]);
  if (!a->thenRemove.empty()) RemoveDisk(a->thenRemove[0]);
  return a->button;
}

std::intptr_t RunModalDialog(Instance, int templateId, Window owner, DialogProc proc,
                             std::intptr_t initParam) {
  Machine::State& m = Current();
  const DialogTemplate* t = ProgramResources().Dialog(templateId);
  if (!t) throw Error("the program has no dialog template " + std::to_string(templateId));
  auto dialog = std::make_unique<OpenDialog>();
  OpenDialog& d = *dialog;
  d.tmpl = t;
  d.handle = m.NewHandle();
  d.proc = proc;
  d.rect = DialogRect(*t);
  for (const ControlTemplate& ct : t->controls) {
    Control c;
    c.tmpl = &ct;
    c.handle = m.NewHandle();
    c.visible = !ct.HasStyle("-WS_VISIBLE");
    c.enabled = !ct.HasStyle("WS_DISABLED");
    if (ct.kind == "ICON") c.icon = std::atoi(ct.text.c_str());
    else c.text = ct.text;
    d.controls.push_back(c);
  }
  m.dialogs.push_back(std::move(dialog));
  // However the dialog ends (normally, or by a restart or a stop inside it),
  // it leaves the screen.
  struct Pop {
    Machine::State& m;
    ~Pop() { m.dialogs.pop_back(); }
  } pop{m};

  m.lastActivity = m.clock;
  record::DialogOpens(templateId, t->caption, owner, Described(d));
  proc(d.handle, wm::InitDialog, 0, initParam);
  if (!d.ended) d.queue.push_back({wm::Paint, 0, 0});  // the first paint, once shown
  while (!d.ended) {
    Drain(d);
    if (d.ended) break;
    Answer* a = m.answers.ForDialog(templateId);
    if (!a) throw Error("no answer for " + d.Name() + " " + Quote(t->caption));
    a->used = true;
    for (const DialogAction& action : a->actions) {
      if (d.ended)
        throw Error("answer line " + std::to_string(a->line) + ": " + d.Name() +
                    " ended before all its actions were done");
      Act(d, action);
      Drain(d);
    }
  }
  proc(d.handle, wm::Destroy, 0, 0);
  record::DialogEnds(templateId, d.result, Described(d));
  return d.result;
}

void EndModalDialog(Window dialog, std::intptr_t result) {
  if (OpenDialog* d = FindDialog(dialog)) {
    d->ended = true;
    d->result = result;
  }
}

Window DialogItem(Window dialog, int controlId) {
  OpenDialog* d = FindDialog(dialog);
  Control* c = d ? d->Item(controlId) : nullptr;
  return c ? c->handle : 0;
}

void SetItemText(Window dialog, int controlId, const char* text) {
  OpenDialog* d = FindDialog(dialog);
  if (Control* c = d ? d->Item(controlId) : nullptr) {
    c->text = text;
    record::ItemText(dialog, controlId, text);
  }
}

unsigned GetItemText(Window dialog, int controlId, char* buffer, int size) {
  OpenDialog* d = FindDialog(dialog);
  Control* c = d ? d->Item(controlId) : nullptr;
  if (size <= 0) return 0;
  return CopyOut(c ? c->text : "", buffer, static_cast<unsigned>(size));
}

void SetItemCheck(Window dialog, int controlId, unsigned state) {
  OpenDialog* d = FindDialog(dialog);
  if (Control* c = d ? d->Item(controlId) : nullptr) c->check = state;
}

unsigned GetItemCheck(Window dialog, int controlId) {
  OpenDialog* d = FindDialog(dialog);
  Control* c = d ? d->Item(controlId) : nullptr;
  return c ? c->check : Unchecked;
}

void ShowItem(Window dialog, int controlId, int showCommand) {
  OpenDialog* d = FindDialog(dialog);
  if (Control* c = d ? d->Item(controlId) : nullptr) {
    c->visible = showCommand != sw::Hide;
    record::ItemShown(dialog, controlId, c->visible);
  }
}

void EnableItem(Window dialog, int controlId, bool enable) {
  OpenDialog* d = FindDialog(dialog);
  if (Control* c = d ? d->Item(controlId) : nullptr) {
    c->enabled = enable;
    record::ItemEnabled(dialog, controlId, enable);
  }
}

void RepaintNow(Window window) {
  if (OpenDialog* d = FindDialog(window)) {
    record::Repainted(window);
    d->proc(d->handle, wm::Paint, 0, 0);
  }
}

Icon LoadProgramIcon(Instance, int iconId) {
  const std::vector<int>& icons = ProgramResources().icons;
  return std::find(icons.begin(), icons.end(), iconId) != icons.end() ? kIconBase + iconId : 0;
}

bool OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data) {
  record::HelpCalled(owner, file, command, data);
  return true;
}

}  // namespace port
