// zvio's lines: any file copied by a loop of my_gets and my_puts, as the
// rewrites of the system's text files copy them, with a line buffer of any
// size from 1 to 256 bytes.
//
// Property: the copy holds every line whole, however long, each ended by
// CR LF; a DOS text file (CR LF line ends, no stray CR, LF or Ctrl-Z) is
// copied unchanged byte for byte; my_gets never writes past its buffer.
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "line_copy.h"
#include "services/zvio/zvio.h"

namespace {

std::string Copy(const char* from, const char* to, int mode, int size) {
  void* in = my_open(from, mode, ZvioPermitRead);
  void* out = my_open(to, mode | ZvioTruncate | ZvioReadWrite);
  FUZZ_CHECK(in != ZvioFailed && out != ZvioFailed);
  std::unique_ptr<char[]> line(new char[size]);
  while (!my_eof(in)) {
    if (!my_gets(in, size, line.get())) continue;
    FUZZ_CHECK(my_puts(out, line.get()));
  }
  FUZZ_CHECK(!my_error(in) && !my_error(out));
  my_close(out);
  my_close(in);
  std::string copied;
  FUZZ_CHECK(fuzz::GetFile(to, copied));
  return copied;
}

bool DosText(const std::string& bytes) {
  if (!bytes.empty() && (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0))
    return false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\x1a') return false;
    if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) return false;
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int lineSize = data[0] + 1;
  const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
  fuzz::RunOnMachine([&] {
    fuzz::PutFile("C:\\FUZZ.TXT", file);
    const std::string binary = Copy("C:\\FUZZ.TXT", "C:\\FUZZ.BIN", ZvioBinary, lineSize);
    FUZZ_CHECK(binary == fuzz::Joined(fuzz::LinesOf(file, true)));
    const std::string text = Copy("C:\\FUZZ.TXT", "C:\\FUZZ.OUT", ZvioText, lineSize);
    FUZZ_CHECK(text == fuzz::Joined(fuzz::LinesOf(fuzz::TextRead(file), false)));
    if (DosText(file)) FUZZ_CHECK(text == file && binary == file);
  });
  return 0;
}
