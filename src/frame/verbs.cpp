#include "frame/verbs.h"

#include <cctype>

#include "postinstall/end_setup.h"
#include "preinstall/init_setup.h"
#include "preinstall/resume.h"

// "/initsetup" and "/endsetup" both read their lists from the 11th character:
// for "/endsetup" the 10th, a blank or a '*', is passed over.
const Verb kVerbs[3] = {
    {"/initsetup", 10, 10, [](const char* text) { HandleInitSetup(text); }},
    // "/runonce" reads no argument list.
    {"/runonce", 8, 0, [](const char*) { HandleRunOnce(); }},
    {"/endsetup", 9, 10, HandleEndSetup},
};

bool BeginsWithVerb(const char* text, const Verb& verb) {
  for (std::size_t i = 0; i < verb.length; ++i) {
    if (!text[i]) return false;
    if (std::tolower(static_cast<unsigned char>(text[i])) != verb.text[i]) return false;
  }
  return true;
}
