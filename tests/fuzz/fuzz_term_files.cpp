// The files the terminal's scripts send line by line: SENDHEX (Intel HEX records), SENDMOTO
// (Motorola S-records) and SETCFG (configuration commands). The input's first line names the
// statement, the rest is the file; an input whose first line names none is a SENDHEX file whole.
// The instrument takes every line. What reaches it is exactly the file's records, in order, each
// whole and within the line's limit, and the run reports success exactly when all of them went.
#include "TermSupport.h"

namespace {

enum class Kind { Hex, Moto, Config };

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// The lines the instrument must receive, and whether the statement sends the whole file. A line
// the line cannot carry whole ends the transfer before it is sent.
std::pair<std::vector<std::string>, bool> Expected(Kind kind, const std::string& file, const std::string& prefix) {
  std::vector<std::string> lines;
  auto take = [&](const std::string& command) {
    if (static_cast<int>(command.size()) > TTerm::kWriteLimit) return false;
    lines.push_back(command);
    return true;
  };
  if (kind == Kind::Config) {
    // Read in pieces of at most kScriptPiece characters, as scripts are.
    size_t at = 0;
    while (at < file.size()) {
      size_t end = at;
      while (end < file.size() && file[end] != '\n' && end - at < static_cast<size_t>(cv::script::kScriptPiece)) ++end;
      std::string piece = file.substr(at, end - at);
      at = end < file.size() && file[end] == '\n' ? end + 1 : end;
      if (!piece.empty() && piece.back() == '\r') piece.pop_back();
      if (piece.empty() || piece[0] == '#') continue;
      if (!take(Upper(piece))) return {lines, false};
    }
    return {lines, true};
  }
  for (std::string line : cvfuzz::Lines(file)) {
    if (kind == Kind::Moto) {
      if (size_t cr = line.find('\r'); cr != std::string::npos) line.resize(cr);
    } else if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty()) continue;
    const bool record = kind == Kind::Moto ? line[0] == 'S' || line[0] == 's' : line[0] == ':';
    if (record && !take(prefix + Upper(line))) return {lines, false};
  }
  return {lines, true};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitTerminal();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input = cvfuzz::Text(data, size);
  Kind kind = Kind::Hex;
  const size_t lf = input.find('\n');
  const std::string first = input.substr(0, lf);
  if (first == "SENDHEX" || first == "SENDMOTO" || first == "SETCFG") {
    kind = first == "SENDHEX" ? Kind::Hex : first == "SENDMOTO" ? Kind::Moto : Kind::Config;
    input = lf == std::string::npos ? std::string() : input.substr(lf + 1);
  }
  const std::string prefix = kind == Kind::Config ? "" : "*HX";
  const auto [lines, whole] = Expected(kind, input, prefix);

  cvfuzz::WriteScratch("sent.dat", input);
  const std::string script = kind == Kind::Hex    ? "SENDHEX sent.dat *HX\n"
                             : kind == Kind::Moto ? "SENDMOTO sent.dat *HX\n"
                                                  : "SETCFG sent.dat\n";
  cvfuzz::WriteScratch("run.pro", script);

  cvfuzz::InstrumentLine line;
  if (!line.Ok()) return 0;
  bool ran = false;
  {
    cvfuzz::TermOnLine on(line);
    if (!on.term.OpenPort()) return 0;
    // Ready, then for every line: busy, taken, ready again.
    line.FeedPerLine(std::string(1, static_cast<char>(TTerm::kXon)),
                     std::string{static_cast<char>(TTerm::kXoff), static_cast<char>(TTerm::kAck),
                                 static_cast<char>(TTerm::kXon)});
    ran = on.term.RunProFile((cvfuzz::ScratchDir() / "run.pro").string());
  }
  std::string expected;
  for (const std::string& l : lines) expected += l + "\r";
  FUZZ_CHECK(line.Received(expected.size()) == expected);
  FUZZ_CHECK(ran == whole);
  return 0;
}
