// zvinx: the signature index compiler.
//
//   zvinx compile LIST ZV.INX   compiles a signature list into an index
//   zvinx list ZV.INX           prints an index's entries, names decoded
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "zvinx_source.h"

namespace {

bool ReadFile(const char* path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "zvinx: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, error;
  if (argc == 4 && std::strcmp(argv[1], "compile") == 0) {
    std::vector<std::uint8_t> index;
    if (!ReadFile(argv[2], input)) return Fail(std::string("cannot read ") + argv[2]);
    if (!zvinx::CompileSource(input, index, error)) return Fail(std::string(argv[2]) + ": " + error);
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(index.data()), static_cast<std::streamsize>(index.size()));
    if (!out.flush()) return Fail(std::string("cannot write ") + argv[3]);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
    std::string listing;
    if (!ReadFile(argv[2], input)) return Fail(std::string("cannot read ") + argv[2]);
    std::vector<std::uint8_t> index(input.begin(), input.end());
    if (!zvinx::ListIndex(index, listing, error)) return Fail(std::string(argv[2]) + ": " + error);
    std::fputs(listing.c_str(), stdout);
    return 0;
  }
  std::fputs("usage: zvinx compile LIST ZV.INX\n       zvinx list ZV.INX\n", stderr);
  return 2;
}
