// The rewrite of a system text file through a scratch file, swapped in by
// renames because a rename never replaces an existing file.
#pragma once

struct TextRewrite {
  const char* file;       // the system file, rewritten in place
  const char* scratch;    // the new text is written here first; afterwards the old text
  const char* parking;    // the third name of the swap
  const char* firstLine;  // written before the kept lines; null for none
  const char* drops;      // lower case: a line whose lower-cased copy holds it is left out
};

// Copies the file's lines that are kept to the scratch file, after the first
// line, and swaps it in: scratch to parking, file to scratch, parking to file.
// A missing file is no error: nothing is created.
//
// Whatever fails, the file ends with its whole old text or its whole new
// text. A read, write or close that fails abandons the scratch file. A
// rename that fails undoes the swap so far; when the file itself cannot be
// renamed back, its old text is copied back, and when that fails too, both
// texts stay under the scratch names. A scratch file is deleted only while
// the file is in place.
void RewriteTextFile(const TextRewrite& r);
