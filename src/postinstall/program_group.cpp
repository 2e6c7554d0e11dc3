#include "postinstall/program_group.h"

#include <cstdio>
#include <cstring>

#include "frame/setup_state.h"
#include "platform/port.h"

namespace {

constexpr const char* kGroup = "Zelvane";
constexpr int kCommandSize = 256;  // 255 characters of command and the terminator
constexpr unsigned kExecuteTimeout = 1000;

struct ProgramItem {
  char fileName[20];
  char caption[30];
};
const ProgramItem kProgramItems[5] = {
    {"ZV32.EXE", "Zelvane"},        {"VIGARD.EXE", "Online Protection"},
    {"ZVDOCK.EXE", "Tool Bar"},     {"ZVSCHED.EXE", "Scheduler"},
    {"ZVUINST.EXE", "Uninstall"},
};

// Formats a command into its 256-character buffer and sends it. A command
// that does not fit is not sent, since a cut command would name another
// group or program.
template <typename... Args>
int FormatAndSend(const char* format, Args... args) {
  char command[kCommandSize];
  const int length = std::snprintf(command, sizeof command, format, args...);
  if (length < 0 || length >= kCommandSize) return 0;
  return SendProgmanCommand(command);
}

}  // namespace

int SendProgmanCommand(const char* command) {
  const std::uint32_t instance = port::DdeStartClient();
  if (!instance) return 0;
  const port::DdeName progman = port::DdeMakeName(instance, "PROGMAN");
  const port::DdeConversation conversation = port::DdeConnectTo(instance, progman, progman);
  port::DdeFreeName(instance, progman);
  if (!conversation) {
    port::DdeStop(instance);
    return 0;
  }
  port::DdeExecute(instance, conversation, command,
                   static_cast<std::uint32_t>(std::strlen(command) + 1), kExecuteTimeout);
  port::DdeDisconnectFrom(conversation);
  port::DdeStop(instance);
  return 1;
}

int ProgmanDeleteGroup(const char* group) { return FormatAndSend("[DeleteGroup(%s)]", group); }

int ProgmanCreateGroup(const char* group, const char* groupPath) {
  if (!groupPath || !*groupPath) return FormatAndSend("[CreateGroup(%s)]", group);
  return FormatAndSend("[CreateGroup(%s,%s)]", group, groupPath);
}

int ProgmanShowGroup(const char* group, unsigned showCommand) {
  return FormatAndSend("[ShowGroup(%s,%u)]", group, showCommand & 0xFFFFu);
}

int ProgmanAddItem(const char* commandLine, const char* caption, const char* iconPath,
                   unsigned iconIndex) {
  if (!iconPath || !*iconPath) return FormatAndSend("[AddItem(%s,%s)]", commandLine, caption);
  return FormatAndSend("[AddItem(%s,%s,%s,%u)]", commandLine, caption, iconPath,
                       iconIndex & 0xFFFFu);
}

// Thirteen commands, none tested: a command that fails does not stop the
// ones after it.
void CreateProgramGroup() {
  ProgmanDeleteGroup(kGroup);
  ProgmanCreateGroup(kGroup, nullptr);
  ProgmanShowGroup(kGroup, port::sw::ShowNormal);
  for (const ProgramItem& item : kProgramItems) {
    char commandLine[kPathSize];
    const int length =
        std::snprintf(commandLine, sizeof commandLine, "%s%s", InstallDir, item.fileName);
    // An item never points at a cut path.
    if (length > 0 && length < kPathSize) ProgmanAddItem(commandLine, item.caption, nullptr, 0);
    ProgmanShowGroup(kGroup, port::sw::ShowNormal);
  }
}
