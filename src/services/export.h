// Export glue for the product's libraries: DLLs that ZVSET.EXE imports by
// name on Windows, static libraries in the simulator build.
#pragma once

#if defined(_WIN32)
#define ZV_DLLEXPORT __declspec(dllexport)
#define ZV_DLLIMPORT __declspec(dllimport)
#else
#define ZV_DLLEXPORT
#define ZV_DLLIMPORT
#endif
