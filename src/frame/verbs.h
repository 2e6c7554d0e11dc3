// The verb table: which stage handler a command line selects.
#pragma once

#include <cstddef>

struct Verb {
  const char* text;
  std::size_t length;
  // Where the handler's argument list begins in the argument text.
  std::size_t listStart;
  // The stage handler, given the whole argument text; null while that stage
  // is not part of the program.
  void (*handler)(const char* argumentText);
};

extern const Verb kVerbs[3];

// A verb is selected when the text begins with it, compared without regard to
// letter case over the verb's own length only.
bool BeginsWithVerb(const char* text, const Verb& verb);
