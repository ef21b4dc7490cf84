#pragma once
// The monitor's side of the instrument: the reply decoders of its queries, one polling cycle,
// and the retuning, channel, measure-type and standard commands. No widget here; TMonitorDlg
// shows what it reads.
#include <string>
#include <vector>

#include "MonitorProfile.h"
#include "SettingsLink.h"

namespace cv::settings {

struct MonitorMeasurement {
  std::string value;       // level or BER text, or "- - -"
  char measureType = 0;    // '0'..'7'
  char units = '5';        // '0' dBuV, '1' dBmV, '2' dBm, '3' dB, '5' none
  float mhz = 0.0f;
  char band = 'T';
  std::string channel;     // name, " (", plan name, ") "
  int standard = 0;        // index of the standard table
};

// Decoders of replies already cut to their length and known to start with their three
// characters.
std::string LevelText(const std::string& reply);  // "*LV" qualifier sign hhh
std::string BerText(const std::string& reply);    // "*LV" qualifier sign hhh (the BER word)
float FrequencyOf(char band, unsigned word);
// The measure type's name; `units` gets its units code.
std::string MeasureName(char type, char& units);
std::string UnitsName(char units);
// The CORVANE-3's answers of DefaultMonitorProfile().
std::string StdCode(int index);
int StdIndex(const std::string& code);
std::string FrequencyText(float mhz);
bool FrequencyAllowed(double mhz, int modelVariant);
double SteppedFrequency(double mhz, bool up);
// The channel a channel step selects among `count`, or -1 when there are none. A channel at or
// beyond the count goes to the first (up) or the last (down).
int SteppedChannel(int channel, int count, bool up);
// The lines of the display memo.
std::vector<std::string> DisplayLines(const MonitorMeasurement& record, bool channelMode,
                                      const MonitorProfile& profile = DefaultMonitorProfile());

class TMonitorPoller {
 public:
  explicit TMonitorPoller(Link link, const MonitorProfile& profile = DefaultMonitorProfile());

  const MonitorProfile& Profile() const { return *profile; }

  bool ReceiveSystem(int& index);
  bool ReceiveMeasureType(char& type);
  bool ReceiveLevel(std::string& value);
  bool ReceiveBer(std::string& value);
  bool ReceiveFrequency(float& mhz, char& band);
  bool ReceiveTuningMode();
  bool ReceiveChannel(std::string& channel);
  // One cycle's queries; true when the record is complete and is to be shown.
  bool Cycle(MonitorMeasurement& record);
  void CountTxError();

  // The edit's text tuned; false when nothing valid was tuned. `refused`: the text was no
  // frequency the instrument takes (the edit is to be emptied).
  bool SendFrequency(const std::string& text, bool* refused);
  // One frequency step from the edit's text.
  void StepFrequency(const std::string& text, bool up);
  // To tuning by channel when tuned by frequency.
  void ToChannelMode();
  void StepChannel(bool up);
  void SelectMeasure(int index);
  void SelectStandard(int index);

  bool channelMode = false;

 private:
  // Queries and cuts; false (counted) when nothing came.
  bool Ask(const std::string& command, size_t cut, std::string& reply);
  // Logs `id` and the reply as a second line.
  void LogBad(int id, const std::string& reply);
  Link link;
  const MonitorProfile* profile;
};

}  // namespace cv::settings
