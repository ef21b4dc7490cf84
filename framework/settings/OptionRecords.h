#pragma once
// The instrument's configuration memory as the configuration dialog reads it: the option records
// (TComana), each naming the register blocks of one item, and the reader that asks the
// instrument for them, builds the option lines and the save file. No widget here.
#include <cstdint>
#include <string>
#include <vector>

#include "OptionFamily.h"
#include "SettingsLink.h"

class TComana {
 public:
  // Codes: four hex digits of address and three of byte count ("1050011"); empty: no query.
  TComana(const std::string& name, bool hasParts, const std::string& status, const std::string& description,
          const std::string& detail, const std::string& slot);
  std::string name;         // at most 14 characters
  bool hasParts = false;    // an option board with a status word; else an identity item
  std::string statusQuery;  // "*?I20A0" + code, or empty
  std::string descriptionQuery;
  std::string detailQuery;
  std::string slotQuery;
};

namespace cv::settings {

// Absent options and identity items: the status word no option line shows.
constexpr unsigned kNoStatus = 0xFFFF;

class TOptionReader {
 public:
  explicit TOptionReader(Link link, const TOptionFamily& family = Corvane3OptionFamily());

  // The sixteen records of the CORVANE-3, in the order of its configuration memory.
  static std::vector<TComana> BuildOptions();
  // A family's records, in its table's order.
  static std::vector<TComana> BuildOptions(const TOptionFamily& family);
  const TOptionFamily& Family() const { return family; }

  // Fills versionText from "*?VE" (" v2.10"), empty on any failure.
  void AskVersion();
  // The family's rotary byte. `ccw` is set when the instrument answered; the result is false
  // only when it holds counter-clockwise.
  bool AskRotary(int* ccw);
  // True when the option is fitted; `status` is its status word. An option whose status query
  // went unanswered or was answered badly joins `unread`.
  bool AskOption(int index, unsigned& status);
  void ShowOption(int index, unsigned status);
  // Every record in order; the identity lines lose their leading blanks.
  void ReadOptions();
  void ReadAll() {
    AskVersion();
    ReadOptions();
  }

  // Joined for a message: "TER tuner, QAM".
  std::string UnreadNames() const;

  enum class RotaryChange { AccessRefused, WriteRefused, Confirmed, Refused };
  // Writes the rotary direction and reads it back (with AskRotary); `ccw` the read-back as there.
  RotaryChange ChangeRotary(bool toCcw, int* ccw);

  enum class Restart { Refused, Unconfirmed, Confirmed };
  // "*AA", the restart's wait, then the version asked on the port opened afresh, as detection
  // asks it: an answer is the only confirmation. Logs "Rotary changed" when confirmed, else why not.
  Restart RestartInstrument();
  static constexpr int kRestartWaitMs = 4000;

  std::vector<TComana> options;
  std::vector<std::string> lines;
  // The names of the options the last reading could not tell fitted or absent.
  std::vector<std::string> unread;
  std::string versionText;

 private:
  // The reply of a register query, cut after the bytes it asked for and upper-cased; false when
  // nothing came.
  bool ReadRegister(const std::string& query, std::string& reply);
  std::string RotaryCommand(const char* prefix, const char* tail) const;
  Link link;
  const TOptionFamily& family;
};

// The whole save file: its first line, the opening block (date and time given), the option lines
// and the closing block, or "No options detected" when there are no lines. With identity lines,
// a report holding no more than those lists them, then says "No options detected" and closes.
// With closeEmpty, a report without any line closes too. A non-empty firstLine replaces the
// message table's first line. Options in `unread` make it a report marked incomplete, naming
// them before the closing block, and never one that says no option was detected.
std::string ConfigurationFileText(const std::vector<std::string>& lines, const std::string& date,
                                  const std::string& time, size_t identityLines = 0, bool closeEmpty = false,
                                  const std::string& firstLine = {}, const std::vector<std::string>& unread = {});

// The protected-mode access code the equipment object sends.
inline constexpr const char* kAccessCommand = "*7205&";

}  // namespace cv::settings
