// The components scenario, run the same way on the simulated machine and on
// the real Win32 API under Wine. Each step runs in a process of its own:
//   dialog           the components dialog on a machine without Word
//   word             older Word, found through the "doc" value, run on ZVFW.DOC;
//                    its document closes its report itself
//   word-user-closes the same, the user closing the report
//   word-ends-early  the same with a Word that ends without the report
//   shell            the Explorer scan commands, .ZIP bound to a type, .ARJ not
#pragma once

#include <string>

// The behaviour of the stand-in Word of each Word step, in the words of the
// simulator's machine.ini.
std::string WordBehaviour(const std::string& step);

// Puts what a step finds on the machine: Word's files and "doc" value, the
// product's files, the archive types. The same calls on both sides.
void PrepareStep(const std::string& step);

// Runs the step (ModuleInstance set by the caller) and returns what it left,
// one line each.
std::string RunStep(const std::string& step);
