// The host script interpreter over an untrusted script, with the instrument's replies taken from
// the same input. Input: the script, then a NUL byte, then the bytes the instrument sends (at
// most 4000, which a pseudo-terminal holds at once). The run goes on a fake clock, so every wait and
// time-out passes at once; the files a script names are looked up in a scratch directory.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "AppServices.h"
#include "Clock.h"
#include "PortMap.h"
#include "Registry.h"
#include "Term.h"

namespace {

struct NullOwner : TermOwner {
  void AddLog(const std::string&) override {}
  std::string DetectedPort() const override { return {}; }
};

struct Scratch {
  std::filesystem::path dir;
  Scratch() {
    char pattern[] = "/tmp/fuzz_term_XXXXXX";
    dir = mkdtemp(pattern);
    std::filesystem::current_path(dir);
    cv::SetRegistryFile((dir / "registry.ini").string());
    std::ofstream(dir / "f.hex") << ":0400000001020304F2\n:00000001FF\n";
    std::ofstream(dir / "f.s19") << "S00600004844521B\nS9030000FC\n";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 1;
  static char name[] = "fuzz_term_script";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  static Scratch scratch;
  static cv::RecordingPrompter prompter;

  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string script = input.substr(0, split);
  std::string replies = split == std::string::npos ? std::string() : input.substr(split + 1);
  if (replies.size() > 4000) replies.resize(4000);

  int master = -1, slave = -1;
  char path[256] = {};
  if (openpty(&master, &slave, path, nullptr, nullptr) != 0) return 0;
  cv::SetPortPaths({{1, path}});
  // The instrument swallows whatever the terminal writes.
  std::atomic<bool> stop{false};
  std::thread instrument([&] {
    char buffer[512];
    while (!stop) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 5) > 0 && (p.revents & POLLIN)) (void)!read(master, buffer, sizeof buffer);
    }
  });

  {
    NullOwner owner;
    cv::FakeClock clock;
    clock.processEvents = false;
    clock.pumpStepMs = 1000000000;  // every wait ends after one pass
    TTerm term(owner);
    term.showWindow = false;
    term.clock = &clock;
    term.sliceMs = 0;
    term.portName = "COM1";
    term.baudRate = 19200;
    if (term.OpenPort()) {
      // Its replies wait on the line before the script starts, so the run does not depend on
      // how fast the two sides are scheduled.
      for (size_t sent = 0; sent < replies.size();) {
        const ssize_t n = write(master, replies.data() + sent, replies.size() - sent);
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
      }
      pollfd ready{slave, POLLIN, 0};
      if (!replies.empty()) poll(&ready, 1, 200);
      std::ofstream((scratch.dir / "s.pro").string(), std::ios::binary) << script;
      term.RunProFile((scratch.dir / "s.pro").string());
      // Whatever ran, the interpreter's state stays inside its tables.
      if (term.ifLevels.level < 0 || term.ifLevels.level >= cv::script::IfLevels::kFlagCount) std::abort();
    }
  }
  stop = true;
  instrument.join();
  close(slave);
  close(master);
  return 0;
}
