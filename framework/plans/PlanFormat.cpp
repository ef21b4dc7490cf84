#include "PlanFormat.h"

#include <QFile>
#include <charconv>

#include "Format.h"
#include "NumFormat.h"
#include "Pll.h"

namespace cv::plan {

std::string Dec(long long value, int width, bool zeroPad) {
  return cv::Format(zeroPad ? "%0*lld" : "%*lld", width < 0 ? 0 : width, value);
}

std::string Hex(unsigned long long value, int width, bool upper) {
  return cv::Format(upper ? "%0*llX" : "%0*llx", width, value);
}

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r')) t.remove_suffix(1);
  return t;
}

std::string ShownName(std::string_view name) { return std::string(TrimBlanks(name)); }

int32_t BandwidthInUnits(double mhz, int unitsPerMHz) {
  return static_cast<int32_t>((mhz + 0.5 / unitsPerMHz) * unitsPerMHz);
}

std::optional<double> ParseNumber(std::string_view text) {
  double v = 0;
  if (!cv::ParseFixedNotation(TrimBlanks(text), v)) return std::nullopt;
  return v;
}

double FileFrequency(char band, float mhz) {
  if (!cv::IsSatelliteBand(band)) {
    const auto kept = ParseNumber(cv::PrintfFixed(mhz, 0, 2, '.'));
    if (kept && cv::PllWord(band, static_cast<float>(*kept)) == cv::PllWord(band, mhz)) return mhz;
  }
  return cv::PllFrequency(band, cv::PllWord(band, mhz));
}

std::optional<long long> ParseInteger(std::string_view text) {
  int64_t v = 0;
  if (!cv::ParseInteger(TrimBlanks(text), v)) return std::nullopt;
  return v;
}

std::optional<uint16_t> ParseHex16(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
  text.remove_prefix(2);
  unsigned long v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v, 16);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v > 0xFFFF) return std::nullopt;
  return static_cast<uint16_t>(v);
}

std::string Fill(const std::string& pattern, std::initializer_list<std::string> args) {
  std::string out;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd') &&
        arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

void SplitTextLines(const std::string& content, TextFileLines& out) {
  // The files were read 254 characters at a time: a longer line goes on as the next line, and a
  // line of exactly a multiple of 254 characters is followed by an empty one.
  constexpr size_t kChunk = 254;
  out.lines.clear();
  out.binaryLine = 0;
  int number = 0;
  size_t pos = 0;
  while (pos < content.size()) {
    size_t end = content.find('\n', pos);
    bool terminated = end != std::string::npos;
    if (!terminated) end = content.size();
    std::string line = content.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = terminated ? end + 1 : end;
    size_t at = 0;
    do {
      std::string piece = line.substr(at, kChunk);
      at += piece.size();
      ++number;
      if (out.binaryLine == 0 && piece.find('\0') != std::string::npos) out.binaryLine = number;
      out.lines.push_back({number, std::move(piece)});
    } while (at < line.size());
    if (terminated && !line.empty() && line.size() % kChunk == 0) out.lines.push_back({++number, {}});
  }
}

bool ReadTextLines(const std::string& path, TextFileLines& out) {
  QFile f(QString::fromLocal8Bit(path.c_str()));
  if (!f.open(QIODevice::ReadOnly)) return false;
  QByteArray all = f.readAll();
  if (f.error() != QFileDevice::NoError) return false;
  SplitTextLines(all.toStdString(), out);
  return true;
}

std::string DisplayLine(const TextLine& line) { return "(" + Dec(line.number, 2) + ") " + line.text; }

bool IsCommentOrEmpty(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  return i == std::string::npos || text[i] == '#';
}

std::string ListSafeName(std::string name, char listSeparator) {
  for (char& c : name)
    if (c == listSeparator) c = '_';
  if (size_t first = name.find_first_not_of(" \t"); first != std::string::npos && name[first] == '#')
    name[first] = '_';
  return name;
}

std::string ScriptSafeName(const std::string& name) {
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "_";
  size_t last = name.find_last_not_of(' ');
  std::string out = name;
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    bool inside = i >= first && i <= last;
    bool splits = c == '\t' || c == ',' || c == '(' || c == ')' || c < 0x20 || c == 0x7F ||
                  (c == ' ' && inside) || (c == '#' && i == first);
    if (splits) out[i] = '_';
  }
  return out;
}

}  // namespace cv::plan

#include "AtomicFile.h"

namespace cv::plan {

bool WriteWholeFile(const std::string& path, const std::string& content) {
  return WriteFileAtomically(path, content) == SaveResult::Saved;
}

}  // namespace cv::plan
