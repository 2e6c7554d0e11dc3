// The product's run-time libraries on the simulated machine. A library file
// on the simulated disk ("simulated library", then its exports) stands for
// each; these host functions stand behind the exports.
#pragma once

void RegisterBuiltinLibraries();
