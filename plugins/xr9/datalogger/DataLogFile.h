#pragma once
// Data-logger files of the TV MIRELTO analyser (".DL"): the measurement model, the store of the
// 200 slots the data-logger dialog owns, the decoder, and the texts of names, units, bands and
// frequencies that the sheets, the CSV export and the reports print.
//
// The values are kept as the file gives them: per channel, its n measurements at every test
// point, nothing for a channel without measurements. A cell and its measurements are views over
// that store, so a decoded file takes memory of the order of its own size.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Xr9Plan.h"

namespace cv::xr9 {

constexpr uint8_t DataLogMagic = 0xDA;
constexpr int DataLogSlots = 200;
constexpr int MaxMeasPerChannel = 15;
constexpr size_t DataLogNameMax = 32;
constexpr size_t TestPointNameMax = 16;

enum TMeasCode : uint8_t {
  MeasLevel = 0, MeasVA = 1, MeasCnAuto = 2, MeasPower = 3, MeasMer = 4, MeasCber = 5, MeasVber = 6,
  MeasOffset = 7, MeasMpeg2 = 8, MeasNoiseMargin = 9, MeasRef = 10, MeasCnRef = 11, MeasSer = 12,
  MeasLber = 13,
};

struct TDataLogMeas {
  uint8_t code = 0;
  uint8_t levelUnits = 0;  // 0 none, 1 dBuV, 2 dBmV, 3 dBm
  uint32_t value = 0;      // the file's 24 bits: flag byte, then the number
  uint8_t mark = 0;        // set by the certificate threshold check
};

// The values of one channel at one test point: meas[0 .. count) in the channel's code order.
struct TDataLogCell {
  int32_t testPoint = 0;
  TDataLogMeas* meas = nullptr;
  int32_t count = 0;
};

struct TDataLogChannel {
  int32_t measCount = 0;
  uint8_t measCodes[MaxMeasPerChannel] = {};
  uint8_t lnbMode = 0;
  uint32_t lnbOscillator = 0;  // kHz
  std::string serviceName;     // up to 23 characters; typed in the measurement sheet

  // The cell of test point `tp`; an empty cell for an index outside the file.
  TDataLogCell Cell(int tp);
  int32_t CellCount() const { return cellCount; }

  // measCount values per test point, test point after test point.
  std::vector<TDataLogMeas> values;
  int32_t cellCount = 0;
};

struct TDataLogTestPoint {
  std::string name;  // up to 16 characters
  uint8_t levelUnits = 0;
  int32_t pointType = -1;  // role given by a sheet; -1 none
  int32_t branch = 0;
};

// A value the SKY level offsets changed: the number it was received with and the offset it now
// carries (tenths of a dB).
struct TSkyHeldValue {
  int32_t received = 0;
  int32_t added = 0;
};

struct TDataLogFile {
  int32_t testPointCount = 0;
  std::string name;  // up to 32 characters
  std::unique_ptr<TPlanXR9> plan;
  std::vector<TDataLogChannel> channels;                      // one per plan channel
  std::optional<std::vector<TDataLogTestPoint>> testPoints;  // absent in a free slot
  // The values the SKY offsets changed, by channel and value index, until they are removed.
  std::map<std::pair<int32_t, size_t>, TSkyHeldValue> skyHeld;

  bool IsFree() const { return testPointCount == 0 && !testPoints; }
};

// Where the decoder's messages and lines go, and the dialog's file list to reset with the slots.
struct DataLogSinks {
  Prompter* prompter = nullptr;  // the one in force when none
  LogSink dlMemo;                // the dialog's log memo
  std::function<void()> resetFileList;
};

class TDataLogStore {
 public:
  explicit TDataLogStore(DataLogSinks sinks = {});

  int FindFreeSlot() const;
  // Decodes a whole .DL image into the first free slot; `name` may be null. Shows its own
  // messages; gives the slot, or -1 when nothing was loaded.
  int DecodeDataLogFile(const uint8_t* image, size_t size, const char* name);
  void FreeDataLogFile(int slot);
  void FreeAllDataLogFiles();

  TDataLogFile& File(int slot) { return files_[slot]; }
  const TDataLogFile& File(int slot) const { return files_[slot]; }

  // Texts.
  std::string LevelUnitsText(int slot, int testPoint) const;
  std::string ChannelFreqText(int slot, const TChanXR9* chan) const;
  std::string SatChannelFreqText(int slot, const TChanXR9* chan) const;

  DataLogSinks sinks;

 private:
  bool DecodeMeasurements(int slot, ByteReader& r);
  void Box(int msgId) const;
  void Box(const std::string& text) const;

  std::vector<TDataLogFile> files_;
};

std::string MeasName(int code);
std::string MeasUnitText(const TDataLogMeas* meas);
std::string TerChannelFreqText(const TChanXR9* chan);
std::string SoundCarrierText(const TChanXR9* chan);
std::string BandName(const TChanXR9* chan);
bool IsAnalogChannel(const TChanXR9& chan);

}  // namespace cv::xr9
