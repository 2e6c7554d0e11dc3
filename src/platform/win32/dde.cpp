// Conversations with other programs through the system's DDE management
// library, as a client.
// The system's header first: the DDE header builds on it.
#include "platform/win32/handles.h"

#include <ddeml.h>

#include <map>
#include <string>

#include "platform/record.h"

namespace port {
namespace {

// The open conversations as "SERVICE|TOPIC", which the record names them by.
std::map<DdeConversation, std::string>& Conversations() {
  static std::map<DdeConversation, std::string> conversations;
  return conversations;
}

std::string NameText(std::uint32_t instance, HSZ name) {
  char text[256] = "";
  DdeQueryStringA(instance, name, text, sizeof text, CP_WINANSI);
  return text;
}

// A client answers no transaction of its own.
HDDEDATA CALLBACK NoService(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

HSZ ToName(DdeName name) { return reinterpret_cast<HSZ>(name); }
HCONV ToConversation(DdeConversation conversation) {
  return reinterpret_cast<HCONV>(conversation);
}

}  // namespace

std::uint32_t DdeStartClient() {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, NoService, CBF_FAIL_ALLSVRXACTIONS, 0) != DMLERR_NO_ERROR)
    return 0;
  return instance;
}

void DdeStop(std::uint32_t instance) { DdeUninitialize(instance); }

DdeName DdeMakeName(std::uint32_t instance, const char* text) {
  return reinterpret_cast<DdeName>(DdeCreateStringHandleA(instance, text, CP_WINANSI));
}

void DdeFreeName(std::uint32_t instance, DdeName name) {
  DdeFreeStringHandle(instance, ToName(name));
}

DdeConversation DdeConnectTo(std::uint32_t instance, DdeName service, DdeName topic) {
  const auto conversation = reinterpret_cast<DdeConversation>(
      DdeConnect(instance, ToName(service), ToName(topic), nullptr));
  const std::string pair =
      NameText(instance, ToName(service)) + "|" + NameText(instance, ToName(topic));
  if (conversation) Conversations()[conversation] = pair;
  else record::DdeNoServer(pair);
  return conversation;
}

bool DdeExecute(std::uint32_t instance, DdeConversation conversation, const char* data,
                std::uint32_t length, unsigned timeout) {
  HDDEDATA handle = DdeCreateDataHandle(
      instance, reinterpret_cast<LPBYTE>(const_cast<char*>(data)), length, 0, nullptr, 0, 0);
  if (!handle) return false;
  // A data handle goes in place of the bytes; the transaction takes it over.
  const bool done = DdeClientTransaction(reinterpret_cast<LPBYTE>(handle), 0xFFFFFFFF,
                                         ToConversation(conversation), nullptr, 0, XTYP_EXECUTE,
                                         timeout, nullptr) != nullptr;
  // The command is the text up to its terminator, within the bytes handed over.
  std::string command(data, length);
  command = command.substr(0, command.find('\0'));
  auto it = Conversations().find(conversation);
  if (it != Conversations().end()) record::DdeExecuted(it->second, command, done);
  return done;
}

void DdeDisconnectFrom(DdeConversation conversation) {
  DdeDisconnect(ToConversation(conversation));
  Conversations().erase(conversation);
}

}  // namespace port
