#pragma once
// What the fuzz targets share: the input as text and lines, a scratch directory of the process's
// own for parsers that read files, a core application with a prompter that answers every box,
// and FUZZ_CHECK for the promises a parser makes about its output.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AppServices.h"

// A broken promise: reported, then the process aborts so the fuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                       \
  do {                                                                                         \
    if (!(cond)) {                                                                             \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);           \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)

namespace cvfuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The text's lines without their LF; a last line without LF counts.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    if (lf == std::string::npos) lf = text.size();
    lines.push_back(text.substr(start, lf - start));
    start = lf + 1;
  }
  return lines;
}

// The text before and after the first line that is exactly `marker`; no such line: all of it is
// the first part.
inline std::pair<std::string, std::string> SplitAtLine(const std::string& text, const std::string& marker) {
  const std::string line = marker + "\n";
  size_t at = text.rfind(line, 0) == 0 ? 0 : text.find("\n" + line);
  if (at == std::string::npos) return {text, {}};
  if (at > 0) ++at;  // keep the LF that ends the first part
  return {text.substr(0, at), text.substr(at + line.size())};
}

// A directory of this process's own, removed at exit.
inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::filesystem::path d = base / ("cvfuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchDir(), ec);
    });
    return d;
  }();
  return dir;
}

inline std::string WriteScratch(const std::string& name, const std::string& content) {
  const std::filesystem::path p = ScratchDir() / name;
  std::ofstream(p, std::ios::binary | std::ios::trunc) << content;
  return p.string();
}

// Answers every box with Yes (Ok for a plain box) and counts them.
class QuietPrompter : public cv::Prompter {
 public:
  cv::MsgAnswer Message(cv::MsgIcon, const QString&, const QString&, int buttons) override {
    ++shown;
    return (buttons & cv::MsgYes) ? cv::MsgAnswer::Yes : cv::MsgAnswer::Ok;
  }
  void Beep() override {}
  int shown = 0;
};

// A core application (the tools keep some settings on it) with the quiet prompter in force, and
// the per-user store under the scratch directory.
inline QuietPrompter& InitApplication() {
  static QuietPrompter* prompter = [] {
    static int argc = 1;
    static char name[] = "cvfuzz";
    static char* argv[] = {name, nullptr};
    ::setenv("XDG_CONFIG_HOME", ScratchDir().c_str(), 1);
    new QCoreApplication(argc, argv);
    auto* p = new QuietPrompter;
    cv::SetPrompter(p);
    return p;
  }();
  return *prompter;
}

}  // namespace cvfuzz
