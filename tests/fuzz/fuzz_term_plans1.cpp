// GETCHPLAN and GETCFG: the terminal reads a first-generation meter's plan and configuration
// registers one query at a time and writes them as a script. Input: the script, a NUL byte, then
// the bytes the instrument sends. Whatever the replies hold, a plan file lists at most the
// table's channels, each once and in order, as many as its HEADER line says; a configuration file
// holds one register line for every address, in order, when the run succeeds.
#include <cstring>
#include <fstream>
#include <sstream>

#include "TermSupport.h"

namespace {

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::stringstream text;
  text << in.rdbuf();
  return cvfuzz::Lines(text.str());
}

void CheckPlan(const std::string& path) {
  int channels = 0, declared = -1;
  for (const std::string& l : FileLines(path)) {
    if (l.rfind("HEADER (", 0) == 0) {
      FUZZ_CHECK(declared < 0);
      declared = std::atoi(l.c_str() + 8);
      FUZZ_CHECK(declared >= 0 && declared <= TTerm::kPlan1Channels);
    }
    if (l.rfind("CHANNEL (", 0) == 0) {
      FUZZ_CHECK(declared >= 0 && std::atoi(l.c_str() + 9) == channels);
      ++channels;
    }
  }
  FUZZ_CHECK(channels <= TTerm::kPlan1Channels);
  if (declared >= 0) FUZZ_CHECK(channels <= declared);
}

void CheckConfig(const std::string& path, bool ok) {
  int address = 0;
  for (const std::string& l : FileLines(path)) {
    if (l.empty() || l[0] == '#' || l.rfind("ASK *?V", 0) == 0) continue;
    // "*#AAAAVV": the address, then the register's two characters as the meter sent them.
    FUZZ_CHECK(l.size() == 8 && l.compare(0, 2, "*#") == 0);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%04X", address);
    FUZZ_CHECK(l.compare(2, 4, expected) == 0);
    for (char c : l.substr(6)) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 && c != 127);
    ++address;
  }
  if (ok) FUZZ_CHECK(address == 512);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitTerminal();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  const size_t split = input.find('\0');
  const std::string script = input.substr(0, split);
  const std::string replies = split == std::string::npos ? std::string() : input.substr(split + 1);
  const std::string plan = (cvfuzz::ScratchDir() / "plan.pro").string();
  const std::string config = (cvfuzz::ScratchDir() / "config.pro").string();
  std::remove(plan.c_str());
  std::remove(config.c_str());
  cvfuzz::WriteScratch("run.pro", script);

  cvfuzz::InstrumentLine line;
  if (!line.Ok()) return 0;
  cvfuzz::TermOnLine on(line);
  if (!on.term.OpenPort()) return 0;
  line.Feed(replies);
  const bool ok = on.term.RunProFile((cvfuzz::ScratchDir() / "run.pro").string());
  // Whatever ran, the interpreter's state stays inside its tables.
  FUZZ_CHECK(on.term.ifLevels.level >= 0 && on.term.ifLevels.level < cv::script::IfLevels::kFlagCount);
  CheckPlan(plan);
  // A script whose last line is GETCFG succeeded exactly when its GETCFG did.
  std::vector<std::string> lines = cvfuzz::Lines(script);
  while (!lines.empty() && (lines.back().empty() || lines.back() == "\r")) lines.pop_back();
  const bool lastIsConfig = !lines.empty() && (lines.back() == "GETCFG config.pro" || lines.back() == "GETCFG config.pro\r");
  CheckConfig(config, ok && lastIsConfig);
  return 0;
}
