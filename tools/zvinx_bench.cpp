// The engine's walk over a tree shaped like a Windows directory, against a
// plain read of the same files, a read of only the bytes the engine needs,
// and clamscan with the same signatures; and the simulator's own costs: the
// opening of every file, a big registry loaded and saved.
//
//   zvinx_bench --tree=DIR [benchmark options]
//
// DIR is made on first use: a simulated machine whose C:\WINDOWS, SYSTEM and
// COMMAND hold thousands of program images (hundreds of MB), a signature
// list of 1,200 random markers compiled into ZV.INX (and lists of 100 and
// 10,000 that hold the same planted markers), the same signatures in
// clamscan's .ndb form, a few files carrying markers, and a second machine
// with a registry of 200,000 keys. docs/performance.md has the figures.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sim/sim.h"
#include "services/zvengine/exe_layout.h"
#include "services/zvengine/scan_cache.h"
#include "services/zvengine/zvengine.h"
#include "services/zvutil/file_type.h"
#include "zvinx_source.h"
#include "zvsim_bench.h"

namespace fs = std::filesystem;

namespace {

std::string tree;
std::vector<std::string> files;  // Windows paths of the walked files

// xorshift: the same tree on every machine.
std::uint64_t seed = 0x5A56494E58ull;
std::uint64_t Next() {
  seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
  return seed;
}

struct Folder {
  const char* path;  // Windows path
  int count;
};
constexpr Folder kFolders[] = {{"C:\\WINDOWS", 1200}, {"C:\\WINDOWS\\SYSTEM", 2700},
                               {"C:\\WINDOWS\\COMMAND", 100}};
constexpr const char* kExtensions[] = {"EXE", "DLL", "DLL", "SYS", "DRV", "COM"};
constexpr int kSignatures = 1200;
constexpr int kMarked = 40;  // files that carry a marker
constexpr char kIndex[] = "C:\\ZV\\ZV.INX";
// The same walk with fewer and with more signatures: the first 100 of the
// list (the planted markers among them), and the list with 8,800 more.
constexpr int kFewer = 100, kMore = 10000;
std::string IndexOf(int signatures) {
  return signatures == kSignatures ? kIndex : "C:\\ZV\\ZV" + std::to_string(signatures) + ".INX";
}

std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to) {
  std::string text;
  char b[4];
  for (std::size_t i = from; i < to; ++i) {
    std::snprintf(b, sizeof b, i + 1 < to ? "%02X " : "%02X", bytes[i]);
    text += b;
  }
  return text;
}

// A PE image: headers, one section from 0x400 holding the entry at 0x410,
// then random bytes (sizes from 1 KB to 512 KB, spread evenly on a log scale).
std::vector<std::uint8_t> MakeImage() {
  std::size_t size = static_cast<std::size_t>(1024.0 * std::pow(512.0, (Next() % 1000) / 1000.0));
  size = std::max<std::size_t>(size, 0x800);
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; i += 8) {
    std::uint64_t r = Next();
    std::memcpy(&image[i], &r, std::min<std::size_t>(8, size - i));
  }
  std::memset(image.data(), 0, 0x400);
  auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&image[at], &v, 4); };
  auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(&image[at], &v, 2); };
  image[0] = 'M', image[1] = 'Z';
  put32(0x3C, 0x80);
  std::memcpy(&image[0x80], "PE\0\0", 4);
  put16(0x84, 0x14C), put16(0x86, 1), put16(0x94, 0xE0), put16(0x96, 0x0102);
  put16(0x98, 0x10B);
  put32(0x98 + 16, 0x1010);                       // entry point
  put32(0x98 + 32, 0x1000), put32(0x98 + 36, 0x200);  // section and file alignment
  put32(0x98 + 56, 0x1000 + static_cast<std::uint32_t>(size));  // image size
  put32(0x98 + 60, 0x400);                         // headers
  put16(0x98 + 68, 2);                             // GUI subsystem
  put32(0x98 + 92, 16);                            // data directories
  std::size_t section = 0x98 + 0xE0;
  std::memcpy(&image[section], ".text\0\0\0", 8);
  put32(section + 8, static_cast<std::uint32_t>(size - 0x400));
  put32(section + 12, 0x1000);
  put32(section + 16, static_cast<std::uint32_t>((size - 0x400) & ~0x1FFu));
  put32(section + 20, 0x400);
  put32(section + 36, 0x60000020);
  return image;
}

struct Marker {
  const char* scanner;
  std::vector<std::uint8_t> bytes;  // 8 random bytes
  std::string zvinx, ndb;           // the signature in both forms
};

// Signature `i`: a random marker that begins with "ZV", for the scanner
// that i chooses, in both forms.
Marker MakeMarker(int i) {
  Marker m;
  for (int b = 0; b < 8; ++b) m.bytes.push_back(static_cast<std::uint8_t>(Next()));
  m.bytes[0] = 0x5A, m.bytes[1] = 0x56;  // every marker begins with "ZV"
  char name[20], line[160], ndbLine[160];
  std::snprintf(name, sizeof name, "Bench.%d", i);
  std::string hex = Hex(m.bytes, 0, 8), tight;
  for (char c : hex)
    if (c != ' ') tight += c;
  switch (i % 4) {
    case 0:
      m.scanner = "top";
      std::snprintf(line, sizeof line, "top %d \"%s\" @%d+64 \"%s\"", 3000 + i, name, 0x100, hex.c_str());
      std::snprintf(ndbLine, sizeof ndbLine, "%s:0:256,64:%s", name, tight.c_str());
      break;
    case 1:
      m.scanner = "bottom";
      std::snprintf(line, sizeof line, "bottom %d \"%s\" @0+512 \"%s\"", 3000 + i, name, hex.c_str());
      std::snprintf(ndbLine, sizeof ndbLine, "%s:0:EOF-520,512:%s", name, tight.c_str());
      break;
    case 2:
      m.scanner = "pe";
      std::snprintf(line, sizeof line, "pe %d \"%s\" @0+32 \"%s\"", 3000 + i, name, hex.c_str());
      std::snprintf(ndbLine, sizeof ndbLine, "%s:1:EP+0,32:%s", name, tight.c_str());
      break;
    default: {
      m.scanner = "poly";
      std::string head = Hex(m.bytes, 0, 4), tail = Hex(m.bytes, 4, 8);
      std::snprintf(line, sizeof line, "poly %d \"%s\" @0+8192 \"%s *6 %s\"", 3000 + i, name,
                    head.c_str(), tail.c_str());
      std::snprintf(ndbLine, sizeof ndbLine, "%s:0:0,8192:%s{0-6}%s", name, tight.substr(0, 8).c_str(),
                    tight.substr(8).c_str());
    }
  }
  m.zvinx = std::string(line) + "\n";
  m.ndb = std::string(ndbLine) + "\n";
  return m;
}

void WriteIndex(const sim::Machine& machine, const std::string& list, const std::string& path) {
  std::vector<std::uint8_t> index;
  std::string error;
  if (!zvinx::CompileSource(list, index, error)) throw std::runtime_error(error);
  fs::create_directories(machine.HostPath("C:\\ZV"));
  std::ofstream(machine.HostPath(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(index.data()), static_cast<std::streamsize>(index.size()));
}

void Generate() {
  sim::CreateMachine(tree, sim::MachineKind::Windows95);
  auto machine = sim::Machine::Open(tree);
  std::vector<Marker> markers;
  std::string list, ndb;
  for (int i = 0; i < kSignatures; ++i) {
    markers.push_back(MakeMarker(i));
    list += markers.back().zvinx;
    ndb += markers.back().ndb;
  }
  WriteIndex(*machine, list, kIndex);
  std::ofstream(tree + "/bench.sig") << list;
  std::ofstream(tree + "/bench.ndb") << ndb;

  int n = 0;
  for (const Folder& folder : kFolders) {
    fs::create_directories(machine->HostPath(folder.path));
    for (int i = 0; i < folder.count; ++i, ++n) {
      char name[40];
      std::snprintf(name, sizeof name, "F%05d.%s", n, kExtensions[Next() % 6]);
      std::vector<std::uint8_t> image = MakeImage();
      const Marker* m = n % (4000 / kMarked) == 0 ? &markers[(n / 100) % kSignatures] : nullptr;
      // COM images have no header; the top scanner looks only at such files.
      if (std::strcmp(name + 7, "COM") == 0 || (m && std::strcmp(m->scanner, "top") == 0))
        std::memset(image.data(), 0x90, 0x400);
      if (m) {  // plant the marker of signature n / 100
        std::size_t at = std::strcmp(m->scanner, "top") == 0      ? 0x100 + 16
                         : std::strcmp(m->scanner, "bottom") == 0 ? image.size() - 8 - 100
                         : std::strcmp(m->scanner, "pe") == 0     ? 0x410 + 8
                                                                  : 0x1000;
        std::memcpy(&image[at], m->bytes.data(), 8);
        if (std::strcmp(m->scanner, "poly") == 0) {  // with a gap of three bytes
          std::memcpy(&image[at + 4], "\x11\x22\x33", 3);
          std::memcpy(&image[at + 7], &m->bytes[4], 4);
        }
      }
      std::ofstream(machine->HostPath(std::string(folder.path) + "\\" + name), std::ios::binary)
          .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    }
  }
  std::ofstream(tree + "/generated") << "ok\n";
}

// What a tree made before the fewer and the more signatures and the big
// registry were measured lacks: added without touching what is there.
void GenerateMore() {
  auto machine = sim::Machine::Open(tree);
  std::ifstream in(tree + "/bench.sig");
  std::string line, fewer, more;
  for (int i = 0; std::getline(in, line); ++i) {
    if (i < kFewer) fewer += line + "\n";
    more += line + "\n";
  }
  seed = 0x4D4F5245ull;  // its own sequence: the first 1,200 stay as they were
  for (int i = kSignatures; i < kMore; ++i) more += MakeMarker(i).zvinx;
  WriteIndex(*machine, fewer, IndexOf(kFewer));
  WriteIndex(*machine, more, IndexOf(kMore));
  zvbench::MakeHive(tree + "/hive");
  std::ofstream(tree + "/generated-more") << "ok\n";
}

void ListFiles() {
  auto machine = sim::Machine::Open(tree);
  for (const Folder& folder : kFolders)
    for (const auto& entry : fs::directory_iterator(machine->HostPath(folder.path)))
      if (entry.is_regular_file())
        files.push_back(std::string(folder.path) + "\\" + entry.path().filename().string());
  std::sort(files.begin(), files.end());
}

using zvbench::Clock;

// Runs `work` on each file opened, timing only the work: the files are
// opened a batch at a time, outside the timing (OpenClose times that), and
// the clock is read once a batch, since reading it costs a call too.
constexpr std::size_t kBatch = 256;

template <typename Work>
void Walk(benchmark::State& state, const std::string& index, Work work) {
  auto machine = sim::Machine::Open(tree);
  const bool withEngine = !index.empty();
  machine->Run([&] {
    if (withEngine && InitScan(index.c_str()) != 1) state.SkipWithError("InitScan");
    for (auto _ : state) {
      Clock::duration spent{};
      long found = 0;
      for (std::size_t first = 0; first < files.size(); first += kBatch) {
        std::vector<port::File> batch;
        for (std::size_t i = first; i < files.size() && i < first + kBatch; ++i)
          batch.push_back(port::OpenFile(files[i].c_str(), port::GenericRead, port::ShareRead,
                                         port::OpenExisting));
        const Clock::time_point start = Clock::now();
        for (port::File file : batch) found += work(file);
        spent += Clock::now() - start;
        for (port::File file : batch) port::CloseFile(file);
      }
      state.SetIterationTime(std::chrono::duration<double>(spent).count());
      state.counters["detections"] = static_cast<double>(found);
    }
    if (withEngine) EndScan();
    return 0;
  });
  state.counters["files"] = static_cast<double>(files.size());
}

void PlainRead(benchmark::State& state) {
  static std::vector<std::uint8_t> buffer(64 * 1024);
  Walk(state, "", [](port::File file) {
    while (port::ReadFrom(file, buffer.data(), static_cast<std::uint32_t>(buffer.size())) != 0) {
    }
    return 0;
  });
}

// The pieces of each file that the engine reads (the head, the bytes around
// a PE program's entry point, the tail; a small file whole), as disjoint
// ranges, by the order of `files`. Found once, outside the timing.
std::vector<std::vector<std::pair<long, long>>> windows;

void FindWindows() {
  std::vector<std::uint8_t> index;
  auto machine = sim::Machine::Open(tree);
  std::ifstream in(machine->HostPath(kIndex), std::ios::binary);
  index.assign(std::istreambuf_iterator<char>(in), {});
  zvengine::SignatureSet set;
  if (!zvengine::LoadSignatureSet(index.data(), index.size(), set))
    throw std::runtime_error("cannot load " + std::string(kIndex));
  const zvengine::Reach reach = zvengine::ReachOf(set);
  for (const std::string& path : files) {
    const std::string host = machine->HostPath(path);
    const long length = static_cast<long>(fs::file_size(host));
    std::uint8_t head[exe::kProbeSize] = {};
    std::ifstream(host, std::ios::binary).read(reinterpret_cast<char*>(head), sizeof head);
    const std::size_t probe = std::min<std::size_t>(static_cast<std::size_t>(length), sizeof head);
    std::vector<std::pair<long, long>> pieces;
    pieces.push_back({0, length <= 64 * 1024 ? length : std::min<long>(length, reach.head)});
    if (reach.pe && exe::FileType(head, probe) == exe::kPE) {
      const long entry = exe::PEEntry(head, probe);
      if (entry >= 0)
        pieces.push_back({std::max<long>(entry + reach.peLow, 0),
                          std::min<long>(length, entry + reach.peHigh)});
    }
    pieces.push_back({std::max<long>(length - reach.tail, 0), length});
    std::sort(pieces.begin(), pieces.end());
    std::vector<std::pair<long, long>> merged;
    for (const auto& piece : pieces) {
      if (piece.first >= piece.second) continue;
      if (!merged.empty() && piece.first <= merged.back().second)
        merged.back().second = std::max(merged.back().second, piece.second);
      else
        merged.push_back(piece);
    }
    windows.push_back(merged);
  }
}

// The third road: only the bytes the engine needs, each piece with one read
// (and one seek, where the file does not stand at its start already).
void WindowRead(benchmark::State& state) {
  static std::vector<std::uint8_t> buffer(64 * 1024);
  std::size_t next = 0;
  Walk(state, "", [&next](port::File file) {
    for (const auto& [from, to] : windows[next++ % windows.size()]) {
      if (from != 0) port::SeekTo(file, from);
      port::ReadFrom(file, buffer.data(), static_cast<std::uint32_t>(to - from));
    }
    return 0;
  });
}

// Only the opening and closing of every file.
void OpenClose(benchmark::State& state) {
  auto machine = sim::Machine::Open(tree);
  machine->Run([&] {
    for (auto _ : state) {
      const Clock::time_point start = Clock::now();
      for (const std::string& path : files)
        port::CloseFile(
            port::OpenFile(path.c_str(), port::GenericRead, port::ShareRead, port::OpenExisting));
      state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return 0;
  });
  state.counters["files"] = static_cast<double>(files.size());
}

// The scanners in the program's order for the file's type and entry point,
// with the index of state.range(0) signatures.
void EngineWalk(benchmark::State& state) {
  Walk(state, IndexOf(static_cast<int>(state.range(0))), [](port::File file) {
    std::int16_t type = CheckFileType(file);
    std::int32_t start = GetVirExeStart(file, type);
    const bool windows = type == 1 || type == 2;
    auto found = [file](void (*scanner)(port::File, Index*)) {
      Index result{-1, -1};
      scanner(file, &result);
      return result.virusId != -1;
    };
    return (!windows && start < 2000 && found(ScanTopViruses)) || found(ScanBottViruses) ||
                   (!windows && start >= 2000 && found(ScanTopViruses)) ||
                   found(ScanPEViruses) || found(ScanPolyViruses)
               ? 1
               : 0;
  });
}

void Clamscan(benchmark::State& state) {
  auto machine = sim::Machine::Open(tree);
  const std::string command = "clamscan --no-summary --infected -d " + tree + "/bench.ndb -r " +
                              machine->HostPath("C:\\WINDOWS") + " > " + tree + "/clamscan.out 2>&1";
  for (auto _ : state) {  // another process: its wall-clock time
    auto start = std::chrono::steady_clock::now();
    int status = std::system(command.c_str());
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (status != 0 && status != 256) state.SkipWithError("clamscan failed");  // 1: found
  }
  std::ifstream out(tree + "/clamscan.out");
  std::string line;
  long found = 0;
  while (std::getline(out, line)) found += line.find(" FOUND") != std::string::npos;
  state.counters["detections"] = static_cast<double>(found);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--tree=", 7) == 0) tree = argv[i] + 7;
  if (tree.empty()) {
    std::fputs("usage: zvinx_bench --tree=DIR [benchmark options]\n", stderr);
    return 2;
  }
  if (!fs::exists(tree + "/generated")) {
    fs::remove_all(tree);
    Generate();
  }
  if (!fs::exists(tree + "/generated-more")) GenerateMore();
  ListFiles();
  FindWindows();
  benchmark::RegisterBenchmark("PlainRead", PlainRead)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WindowRead", WindowRead)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("EngineWalk", EngineWalk)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Arg(kFewer)
      ->Arg(kSignatures)
      ->Arg(kMore);
  benchmark::RegisterBenchmark("OpenClose", OpenClose)->UseManualTime()->Unit(benchmark::kMillisecond);
  zvbench::RegisterHiveBenchmarks(tree + "/hive");
  if (std::system("clamscan --version > /dev/null 2>&1") == 0)
    benchmark::RegisterBenchmark("Clamscan", Clamscan)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
