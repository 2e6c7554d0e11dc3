// The front end's argument lists: fields separated by '*', taken one after
// another by the C library's tokenising rule (separators at the start are
// skipped and a run of separators counts as one, so no field is empty).
#pragma once

#include <cstddef>

// Where a handler's argument list begins: `start` characters into the
// argument text, or at its end when the text is shorter.
const char* ArgumentList(const char* text, std::size_t start);

// Copies the next field into `field` (cut to `size` - 1 characters) and moves
// `cursor` past it. False, with `field` empty, when no field is left.
bool NextField(const char*& cursor, char* field, std::size_t size);
