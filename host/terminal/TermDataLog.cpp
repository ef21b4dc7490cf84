// The host dialect's data-logger dumps: DATAL3 for the "3" family and DATAL7 for the "7" family
// write the instrument's logger memories and the values logged per test point as a table with
// the terminal's list separator between fields and its decimal separator in the numbers.
#include <cmath>
#include <string>

#include "CsvCell.h"
#include "Format.h"
#include "LoggerRecords.h"
#include "NumFormat.h"
#include "Term.h"
#include "TermOutput.h"

#define SKIP_WHEN_FALSE() \
  if (!ifLevels.Running()) return resultText = "FALSE", true

namespace {

constexpr int kEntries = cv::logger::kItems;
using cv::logger::TLoggerMemory;

// A run of hexadecimal digits of a reply; characters that are no digit count as 0.
uint32_t HexAt(const std::string& s, size_t pos, size_t count) {
  uint32_t v = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    const int d = i < s.size() ? cv::HexDigitValue(s[i]) : -1;
    v = v * 16 + static_cast<uint32_t>(d < 0 ? 0 : d);
  }
  return v;
}

int DigitAt(const std::string& s, size_t pos) {
  return pos < s.size() && s[pos] >= '0' && s[pos] <= '9' ? s[pos] - '0' : 0;
}

// A dump's heading is its own file format, read by whatever matches its texts: the measure and
// units names are the dump's, not the data logger's (which names the BER types without a blank).
// Only which measures are ratios, and so shown in dB, is the logger's rule, as its values are.
// The "7" family names all three BER types alike and its band by a digit.
const char* MeasureName(int measure, bool seven) {
  static const char* const kNames[][2] = {{"LEVEL", "LEVEL"},           {"V/A", "V/A"},
                                          {"POWER", "POWER"},           {"C/N auto", "C/N auto"},
                                          {"BER (QPSK)", "BER"},        {"BER (QAM)", "BER"},
                                          {"BER (COFDM)", "BER"},       {"C/N refer.", "C/N refer."}};
  return measure >= 0 && measure <= 7 ? kNames[measure][seven ? 1 : 0] : "???";
}

std::string BandName(const TLoggerMemory& e, bool seven) {
  if (!seven) return cv::logger::BandName(e.band);
  static const char* const k[] = {"UHF", "VLO", "VHI", "FM", "IF", "SAT", "SUB", "TER"};
  const auto band = static_cast<uint8_t>(e.band);
  return band <= 7 ? k[band] : "???";
}

// The "3" family writes the units in parentheses and nothing for a BER type (units 5); the "7"
// family writes them bare.
std::string UnitsText(const TLoggerMemory& e, bool seven) {
  static const char* const k[] = {"dBuV", "dBmV", "dBm", "dBuV"};
  std::string text;
  if (e.units > 3) {
    if (!seven && e.units == 5) return "";
    text = "?\?\?";
  } else {
    text = cv::logger::IsRatioMeasure(e.measure) ? "dB" : k[e.units];
  }
  return seven ? text : "(" + text + ")";
}

std::string WithDecimal(std::string text, char decimal) {
  for (char& c : text)
    if (c == '.') c = decimal;
  return text;
}

}  // namespace

bool TTerm::DoDataLog(bool seven) {
  SKIP_WHEN_FALSE();
  resultText = "ERROR";
  cv::term::OutputFile file;
  if (!file.Begin(cv::term::NamedPath(Tok(1)))) return false;
  const char sep = listSeparator;
  std::string out;
  // Only a whole dump is saved: a table cut by a lost link or a silent meter would pass for the
  // logger's content, and a file of the same name from an earlier dump stays as it was.
  auto finish = [&](bool ok) {
    if (!ok) return false;
    file.Put(out);
    if (!file.Commit()) return false;
    resultText = "OK";
    return true;
  };
  // An instrument's text (a memory name, a flag) may hold the separator or a quote: quoted, it
  // stays one cell under its memory.
  auto cell = [&](const std::string& text) { return cv::CsvCell(text, sep) + sep; };
  auto ask = [&](const std::string& query, std::string& reply) {
    reply = query;
    return Query(reply);
  };

  TLoggerMemory entries[kEntries];
  std::string reply;
  if (!testMode) {
    const size_t minimum = seven ? 42 : 38;
    for (int m = 1; m <= kEntries; ++m) {
      if (!ask(cv::Format("*?SR%02X", m), reply) || reply.size() < minimum) return finish(false);
      const int number = static_cast<int>(HexAt(reply, 3, 2));
      if (number < 1 || number > kEntries) return finish(false);
      TLoggerMemory& e = entries[number - 1];
      e.number = static_cast<uint8_t>(number);
      for (int i = 0; i < 4; ++i) e.name[i] = reply[5 + i];
      e.band = static_cast<char>(seven ? reply[9] - '0' : reply[9]);
      const uint32_t word = HexAt(reply, 11, 4);
      const bool satellite = seven ? e.band == 5 : e.band == 'S';
      e.frequency =
          satellite ? static_cast<float>(word) * fStepS - ifValS : static_cast<float>(word) * fStep - ifVal;
      e.units = static_cast<uint8_t>(reply[seven ? 24 : 20] - '0');
      e.measure = static_cast<uint8_t>(reply[seven ? 26 : 22] - '0');
      if (!seven && cv::logger::IsBerMeasure(e.measure)) e.units = 5;
      e.selected = false;
    }
    for (int m = 1; m <= kEntries; ++m) {
      if (!ask(cv::Format("*?DSM%02X", m), reply) || reply.size() < 4) return finish(false);
      entries[m - 1].selected = reply[3] == '0';
    }
    // The header block: one field a selected memory.
    std::string lines[5] = {cv::Format("Num:%c", sep), cv::Format("Name:%c", sep), cv::Format("Band:%c", sep),
                            cv::Format("Freq(MHz):%c", sep), cv::Format("Level:%c", sep)};
    for (const TLoggerMemory& e : entries) {
      if (!e.selected) continue;
      lines[0] += cv::Format(" %d%c", e.number, sep);
      lines[1] += cell(" " + std::string(e.name));
      lines[2] += cv::Format(" %s%c", BandName(e, seven), sep);
      lines[3] += cv::Format(" %s%c", WithDecimal(cv::Format(" %6.2f", e.frequency), decimalSeparator), sep);
      const bool ber = cv::logger::IsBerMeasure(e.measure);
      if (seven && ber)
        lines[4] += cv::Format(" %s%c", MeasureName(e.measure, seven), sep);
      else if (seven)
        lines[4] += cv::Format(" %s (%s)%c", MeasureName(e.measure, seven), UnitsText(e, seven), sep);
      else
        lines[4] += cv::Format(" %s %s%c", MeasureName(e.measure, seven), UnitsText(e, seven), sep);
    }
    for (const std::string& line : lines) out += line + "\n";
  }

  for (int t = 1; t <= kEntries; ++t) {
    if (!ask(cv::Format("*?DST%02X", t), reply) || reply.size() < 4) return finish(false);
    if (!testMode && reply[3] != '0') continue;
    out += cv::Format("TP%d%c", t, seven ? ';' : sep);
    if (testMode) {
      out += "\n";
      continue;
    }
    for (int m = 1; m <= kEntries; ++m) {
      const TLoggerMemory& e = entries[m - 1];
      if (!e.selected) continue;
      if (!ask(cv::Format("*?DL%02X%02X", m, t), reply) || reply.size() < 8) return finish(false);
      const bool ber = seven ? e.measure == 5 : cv::logger::IsBerMeasure(e.measure);
      // The logger's own rule, so the dump and the data logger show one value for one reply.
      double value = 0;
      if (!seven)
        value = cv::logger::DataValue(e, reply);
      else if (ber)
        value = (DigitAt(reply, 5) * 10 + DigitAt(reply, 6)) * 0.1 / std::pow(10.0, DigitAt(reply, 7));
      else
        value = cv::logger::TenthsInUnits(HexAt(reply, 5, 3), e.units, cv::logger::IsRatioMeasure(e.measure));
      const char qualifier = reply[3];
      if (qualifier != '<' && qualifier != '=' && qualifier != '>') {
        // A letter that stands alone; the separator still ends the field, so every line keeps
        // one field a memory.
        out += cell(std::string(1, qualifier));
        continue;
      }
      std::string field;
      if (qualifier != '=') field += qualifier;
      if (reply[4] == '-' && value >= 0) field += '-';
      field += " " + WithDecimal(ber ? cv::Format(" %3.1E", value) : cv::Format(" %5.1f", value), decimalSeparator);
      out += cell(field);
    }
    out += "\n";
  }
  return finish(true);
}
