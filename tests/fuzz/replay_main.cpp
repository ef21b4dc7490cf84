// The fuzz target without libFuzzer: feeds every file named on the command line (every file of a
// named directory) to it once, so the ordinary test run replays each corpus. A crash or a
// sanitizer's report names the input it came from.
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

char current[4096] = "";

void SayWhich() {
  const char head[] = "\n*** while replaying ";
  ssize_t ignored = ::write(2, head, sizeof head - 1);
  ignored = ::write(2, current, std::strlen(current));
  ignored = ::write(2, "\n", 1);
  (void)ignored;
}

void OnSignal(int sig) {
  SayWhich();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(SayWhich);
  for (int sig : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) std::signal(sig, OnSignal);

  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') continue;  // libFuzzer's options, as a fuzzer would be called
    fs::path p(argv[i]);
    if (fs::is_directory(p)) {
      for (const auto& e : fs::directory_iterator(p))
        if (e.is_regular_file()) inputs.push_back(e.path());
    } else {
      inputs.push_back(p);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::fprintf(stderr, "%s: no input to replay\n", argv[0]);
    return 1;
  }
  for (const fs::path& p : inputs) {
    std::snprintf(current, sizeof current, "%s", p.c_str());
    std::ifstream in(p, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", p.c_str());
      return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return 0;
}
