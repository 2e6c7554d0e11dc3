// The path and file idioms that every stage uses in the same way.
#pragma once

#include <cstddef>

// Appends a backslash unless the text already ends in one; an empty text
// becomes a single backslash. Never writes past `size`.
void AppendBackslash(char* path, std::size_t size);
// Appends `name` to `path`, cut to what `size` holds.
void AppendName(char* path, std::size_t size, const char* name);
// The system's Windows directory, ending in a backslash.
void GetWindowsDirWithSlash(char* buffer, std::size_t size);
// Converts a path to its short (8.3) form in place; unchanged when that fails.
void ShortenInPlace(char* path, std::size_t size);
// Whether `text`, lower-cased, contains `word` (which is lower case).
bool ContainsLowerWord(const char* text, const char* word);
// A file exists when its attributes can be read.
bool FileExists(const char* path);
// Clears the read-only attribute, then deletes; a failure is not reported.
void DeleteFileForced(const char* path);
// Fails when `to` exists.
bool RenameFileStrict(const char* from, const char* to);
// Copies `text` into `buffer`, cut to `size` - 1 characters.
void CopyText(char* buffer, std::size_t size, const char* text);
// Upper- and lower-cases in place (ASCII, as the product's paths are).
void UpperCase(char* text);
void LowerCase(char* text);
