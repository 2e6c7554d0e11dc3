#include "platform/sim/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/sim.h"

namespace sim {
namespace {

std::string Reason() { return std::strerror(errno); }

// Writes `text` to `path` (a scratch file); false, with errno set, on failure.
bool WriteWhole(const std::string& path, const std::string& text) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const int error = errno;
  if (std::fclose(out) != 0 || !written) {
    if (!written) errno = error;
    std::remove(path.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool ReadHostFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

bool ReadMachineFile(const std::string& path, std::string& text) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) {
    if (errno == ENOENT) return false;
    throw Error("cannot read " + path + ": " + Reason());
  }
  text.clear();
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, n);
  const bool failed = std::ferror(in) != 0;
  const int error = errno;
  std::fclose(in);
  if (failed) {
    errno = error;
    throw Error("cannot read " + path + ": " + Reason());
  }
  return true;
}

void CheckMachineFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::directory_iterator entries(path, ec);
  if (ec) throw Error("cannot read " + path + ": " + ec.message());
}

bool HostFileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

void WriteHostFileAtomically(const std::string& path, const std::string& text) {
  WriteHostFilesTogether({{path, text}});
}

void WriteHostFilesTogether(const std::vector<HostFileText>& files) {
  std::vector<std::string> written;
  for (const HostFileText& file : files) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file.path).parent_path(), ec);
    const std::string scratch = file.path + ".new";
    if (WriteWhole(scratch, file.text)) {
      written.push_back(scratch);
      continue;
    }
    const std::string reason = Reason();
    for (const std::string& done : written) std::remove(done.c_str());
    throw Error("cannot write " + scratch + ": " + reason);
  }
  for (const HostFileText& file : files)
    if (std::rename((file.path + ".new").c_str(), file.path.c_str()) != 0)
      throw Error("cannot replace " + file.path + ": " + Reason());
}

}  // namespace sim
