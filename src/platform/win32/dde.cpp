// Conversations with other programs through the system's DDE management
// library, as a client.
// The system's header first: the DDE header builds on it.
#include "platform/win32/handles.h"

#include <ddeml.h>

namespace port {
namespace {

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
  return reinterpret_cast<DdeConversation>(
      DdeConnect(instance, ToName(service), ToName(topic), nullptr));
}

bool DdeExecute(std::uint32_t instance, DdeConversation conversation, const char* data,
                std::uint32_t length, unsigned timeout) {
  HDDEDATA handle = DdeCreateDataHandle(
      instance, reinterpret_cast<LPBYTE>(const_cast<char*>(data)), length, 0, nullptr, 0, 0);
  if (!handle) return false;
  // A data handle goes in place of the bytes; the transaction takes it over.
  return DdeClientTransaction(reinterpret_cast<LPBYTE>(handle), 0xFFFFFFFF,
                              ToConversation(conversation), nullptr, 0, XTYP_EXECUTE, timeout,
                              nullptr) != nullptr;
}

void DdeDisconnectFrom(DdeConversation conversation) {
  DdeDisconnect(ToConversation(conversation));
}

}  // namespace port
