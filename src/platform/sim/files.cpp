#include "platform/sim/files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/sim.h"

namespace sim {

bool ReadHostFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

bool HostFileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

void WriteHostFileAtomically(const std::string& path, const std::string& text) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  const std::string scratch = path + ".new";
  {
    std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) throw Error("cannot write " + scratch);
  }
  if (std::rename(scratch.c_str(), path.c_str()) != 0) throw Error("cannot replace " + path);
}

}  // namespace sim
