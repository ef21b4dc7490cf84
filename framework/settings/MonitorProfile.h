#pragma once
// What one family's monitor does otherwise than another's: the poller and the dialog are one
// code, run on a profile of these values. The default profile is the CORVANE-3's. Pollers and
// dialogs keep a pointer to their profile, so a profile lives for the program's whole run (a
// static object, as DefaultMonitorProfile's).
#include <string>
#include <vector>

namespace cv::settings {

// One item of the standard radio group: the first code is the one sent for it; a reply with any
// of the codes selects it.
struct MonitorStandard {
  std::vector<std::string> codes;
};

class MonitorProfile {
 public:
  MonitorProfile();
  virtual ~MonitorProfile() = default;

  // The two tuning ranges, both inclusive.
  double satelliteStart = 862.1;
  double satelliteEnd = 2150.0;
  double terrestrialStart = 5.0;
  double terrestrialEnd = 862.0;
  // The arrows' step: `satelliteStep` from `satelliteStart` up, `terrestrialStep` below.
  double satelliteStep = 0.5;
  double terrestrialStep = 0.05;
  // "%6.1f" from this frequency up, "%6.2f" below.
  double formatSwitch = 862.1;
  // Model variant 4 has no terrestrial tuner: the terrestrial range is refused for it.
  bool variantRule = true;
  // The standard radio group's items in form order, and their texts ('|'-separated message;
  // 0: the framework's thirteen).
  std::vector<MonitorStandard> standards;
  int standardItemsId = 0;
  // The measurement radio group: its texts ('|'-separated message; 0: the framework's eight) and
  // the mode each item sends ("*ME%d").
  int measureItemsId = 0;
  std::vector<int> measureCodes = {0, 1, 2, 3, 4, 5, 6, 7};
  // The TER / SAT label beside the frequency edit.
  bool showBand = true;
  // The band label bold and above the frequency edit instead (the form grows to make room).
  bool bandAboveFreq = false;
  // The display shows what a cycle read whatever the tuning-mode and channel queries give (they
  // come after the reading); otherwise their failure leaves the display as it was.
  bool showDespiteTuningFailure = false;
  // An empty frequency edit tunes the satellite default of 1500 MHz (arrows and typing alike);
  // otherwise it sends nothing.
  bool emptyEditTunes = true;

  // The measurement item a reported type selects, or -1 for none (the group is cleared). By
  // default a type outside '0'..'7' leaves the group as it was (kKeepMeasureItem).
  static constexpr int kKeepMeasureItem = -2;
  virtual int MeasureItem(char type) const;
  // The channel text of the display from the "*?CI" reply (as it came) and the plan's name.
  virtual std::string ChannelText(const std::string& reply, const std::string& planName) const;

  // The code sent for item `index` ("00" out of the table).
  virtual std::string StdCode(int index) const;
  // The item a reply's code selects (0 for a code no item reads).
  virtual int StdIndex(const std::string& code) const;
  virtual std::string FrequencyText(float mhz) const;
  virtual bool FrequencyAllowed(double mhz, int modelVariant) const;
  // One arrow step from `mhz`, with the step of the range it lies in.
  virtual double SteppedFrequency(double mhz, bool up) const;
};

// The CORVANE-3's monitor.
const MonitorProfile& DefaultMonitorProfile();

}  // namespace cv::settings
