// DDE on the simulated machine: the program is a client; the one server is
// the shell's program manager service, when machine.ini has it.
#include "platform/port.h"
#include "platform/record.h"
#include "platform/sim/program_manager.h"
#include "platform/sim/state.h"
#include "platform/sim/text.h"

namespace port {
using namespace sim;

std::uint32_t DdeStartClient() {
  Machine::State& m = Current();
  const auto instance = static_cast<std::uint32_t>(m.NewHandle());
  m.ddeInstances[instance] = true;
  return instance;
}

void DdeStop(std::uint32_t instance) { Current().ddeInstances.erase(instance); }

DdeName DdeMakeName(std::uint32_t instance, const char* text) {
  Machine::State& m = Current();
  if (!m.ddeInstances.count(instance) || !text) return 0;
  const DdeName name = m.NewHandle();
  m.ddeNames[name] = text;
  return name;
}

void DdeFreeName(std::uint32_t, DdeName name) { Current().ddeNames.erase(name); }

// Service and topic names compare without regard to case, as the system's do.
DdeConversation DdeConnectTo(std::uint32_t instance, DdeName service, DdeName topic) {
  Machine::State& m = Current();
  auto s = m.ddeNames.find(service), t = m.ddeNames.find(topic);
  if (!m.ddeInstances.count(instance) || s == m.ddeNames.end() || t == m.ddeNames.end())
    return 0;
  const std::string pair = s->second + "|" + t->second;
  if (!SameText(s->second, "PROGMAN") || !SameText(t->second, "PROGMAN") ||
      !ProgramManagerPresent()) {
    record::DdeNoServer(pair);
    return 0;
  }
  const DdeConversation conversation = m.NewHandle();
  m.ddeConversations[conversation] = pair;
  return conversation;
}

bool DdeExecute(std::uint32_t instance, DdeConversation conversation, const char* data,
                std::uint32_t length, unsigned) {
  Machine::State& m = Current();
  auto c = m.ddeConversations.find(conversation);
  if (!m.ddeInstances.count(instance) || c == m.ddeConversations.end() || !data) return false;
  // The command is the text up to its terminator, within the bytes handed over.
  std::string command(data, length);
  command = command.substr(0, command.find('\0'));
  const bool done = ProgramManagerExecute(command);
  record::DdeExecuted(c->second, command, done);
  return done;
}

void DdeDisconnectFrom(DdeConversation conversation) {
  Current().ddeConversations.erase(conversation);
}

}  // namespace port
