// One case of the component stages, run the same way on the real Win32 API
// and on the simulated machine: the product lies in C:\ZV\.
//
//   startup              the startup components dialog, then the Run key
//                        and the startup record
//   rescue, emergency,   the diskette stage with the rescue diskette, the
//   both                 emergency diskette or both wanted
//   scheduler            the scheduler offer
#pragma once

#include <string>

// What the case left, as lines to compare; empty for an unknown case.
std::string RunComponentsCase(const std::string& kase);
