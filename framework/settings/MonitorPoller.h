#pragma once
// The monitor's side of the instrument: the reply decoders of its queries, one polling cycle,
// and the retuning, channel, measure-type and standard commands. No widget here; TMonitorDlg
// shows what it reads.
#include <string>
#include <vector>

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
// The standard codes of the monitor's radio group (the memories' standard table).
std::string StdCode(int index);
int StdIndex(const std::string& code);
// "%6.2f" below 862.1 MHz, "%6.1f" from there on.
std::string FrequencyText(float mhz);
// The instrument's tuning range: satellite 862.1..2150, terrestrial 5..862 unless the model
// variant is 4 (no terrestrial tuner).
bool FrequencyAllowed(double mhz, int modelVariant);
// One step of the frequency buttons: 0.05 MHz below 862.1, 0.5 MHz from there on.
double SteppedFrequency(double mhz, bool up);
// The channel a channel step selects among `count`, or -1 when there are none. A channel at or
// beyond the count goes to the first (up) or the last (down).
int SteppedChannel(int channel, int count, bool up);
// The lines of the display memo.
std::vector<std::string> DisplayLines(const MonitorMeasurement& record, bool channelMode);

class TMonitorPoller {
 public:
  explicit TMonitorPoller(Link link);

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
};

}  // namespace cv::settings
