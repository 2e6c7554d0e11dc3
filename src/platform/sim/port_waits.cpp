// Waiting for other programs on the virtual clock: the program's message
// pump, its timers, and the programs it started that go on by themselves.
//
// While the program pumps messages, time passes: each call runs what is due
// (a tick of a timer, something another program does later, the user
// closing a window that an answer says to close), or moves the clock on to
// the next such thing. A wait on which nothing can act any more stops the
// run with an error instead of hanging.
#include <algorithm>
#include <limits>

#include "platform/port.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"
#include "platform/sim/windows.h"

namespace sim {

void Machine::State::EndProgram(int program) {
  auto it = running.find(program);
  if (it == running.end()) return;
  Note("program " + it->second + ": ended");
  running.erase(it);
  lastActivity = clock;
}

namespace {

// A wait longer than this with nothing but the program's own timers at work
// cannot end: no other program or user is left to act.
constexpr std::uint64_t kHopelessWait = 3600000;

std::string OpenWindows(const Machine::State& m) {
  std::string list;
  for (const TopWindow& w : m.windows)
    if (w.visible) list += (list.empty() ? "" : ", ") + Quote(w.title);
  return list.empty() ? "none" : list;
}

// The user closes a shown window of another program that an answer names.
bool UserCloses(Machine::State& m) {
  for (const TopWindow& w : m.windows) {
    if (!w.visible) continue;
    if (Answer* a = m.answers.ForClose(w.title)) {
      a->used = true;
      m.lastActivity = m.clock;
      CloseTopWindow(std::string(w.title), "user");
      return true;
    }
  }
  return false;
}

}  // namespace
}  // namespace sim

namespace port {
using namespace sim;

bool StartedProgramRunning() {
  const Machine::State& m = Current();
  return m.lastStarted && m.running.count(m.lastStarted) > 0;
}

bool WindowVisible(Window window) {
  if (const TopWindow* w = FindTop(window)) return w->visible;
  return FindDialog(window) != nullptr;
}

bool PumpMessage() {
  Machine::State& m = Current();
  if (UserCloses(m)) return false;
  std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
  Timer* tick = nullptr;
  for (Timer& t : m.timers)
    if (t.due < next) next = t.due, tick = &t;
  const bool eventFirst = !m.events.empty() && m.events.begin()->first <= next;
  if (eventFirst) next = m.events.begin()->first;
  if (!tick && !eventFirst)
    throw Error("the program waits for other programs, and none is left to act; open windows: " +
                OpenWindows(m));
  if (m.clock - m.lastActivity > kHopelessWait && !eventFirst)
    throw Error("the program has waited an hour of the machine's time, and nothing it waits for "
                "has happened; open windows: " + OpenWindows(m));
  m.clock = std::max(m.clock, next);
  if (eventFirst) {
    auto event = std::move(m.events.begin()->second);
    m.events.erase(m.events.begin());
    m.lastActivity = m.clock;
    event();
    return false;
  }
  tick->due = m.clock + std::max(tick->period, 1u);
  const Timer fired = *tick;  // the procedure may stop or start timers
  fired.proc(fired.window, wm::Timer, fired.id, static_cast<std::uint32_t>(m.clock));
  return true;
}

std::uintptr_t StartTimer(Window window, std::uintptr_t id, unsigned milliseconds,
                          TimerProc proc) {
  Machine::State& m = Current();
  if (!proc) return 0;
  if (!window) id = m.NewHandle();
  StopTimer(window, id);
  m.lastActivity = m.clock;
  m.timers.push_back({window, id, milliseconds, proc, m.clock + milliseconds});
  return id;
}

void StopTimer(Window window, std::uintptr_t id) {
  auto& timers = Current().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [&](const Timer& t) { return t.window == window && t.id == id; }),
               timers.end());
}

}  // namespace port
