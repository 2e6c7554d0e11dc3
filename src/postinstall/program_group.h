// The product's program group, built through the shell's program manager
// service: used where no setup front end runs to build it.
#pragma once

// Replaces the group "Zelvane" with one holding the product's five programs.
void CreateProgramGroup();

// Each formats its command and hands it to the service; 1 when handed over.
int ProgmanDeleteGroup(const char* group);
int ProgmanCreateGroup(const char* group, const char* groupPath);
int ProgmanShowGroup(const char* group, unsigned showCommand);
int ProgmanAddItem(const char* commandLine, const char* caption, const char* iconPath,
                   unsigned iconIndex);

// One execute command in a conversation of its own with "PROGMAN": 1 when
// handed to the service, 0 when DDE cannot start or no conversation opens.
// Whether the service carried it out is not known.
int SendProgmanCommand(const char* command);
