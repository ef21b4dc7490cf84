// Data-logger files: the decoder, then every text of every channel, test point and measurement
// of what decoded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "AppServices.h"
#include "DataLogFile.h"
#include "MeasValue.h"

using namespace cv::xr9;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cv::RecordingPrompter boxes;  // the boxes of one input, forgotten after it
  static TDataLogStore store;
  store.sinks.prompter = &boxes;
  int slot = store.DecodeDataLogFile(data, size, "FUZZ.DL");
  if (slot < 0) {
    if (store.FindFreeSlot() != 0) abort();  // a refused file leaves no slot taken
    return 0;
  }
  TDataLogFile& file = store.File(slot);
  size_t total = 0;
  const auto& chans = *file.plan->Channels;
  for (int t = 0; t < file.testPointCount; ++t) total += store.LevelUnitsText(slot, t).size();
  for (size_t c = 0; c < chans.size(); ++c) {
    const TChanXR9* chan = &chans[c];
    total += store.ChannelFreqText(slot, chan).size() + TerChannelFreqText(chan).size() +
             store.SatChannelFreqText(slot, chan).size() + SoundCarrierText(chan).size() + BandName(chan).size();
    TDataLogChannel& ch = file.channels[c];
    for (int i = 0; i < ch.measCount; ++i) total += MeasName(ch.measCodes[i]).size();
    for (int t = 0; t < file.testPointCount; ++t) {
      TDataLogCell cell = ch.Cell(t);
      if (cell.count != ch.measCount) abort();
      std::string text;
      for (int i = 0; i < cell.count; ++i) {
        MeasValueText(cell.meas[i], UnitsDbuv, text);
        total += text.size() + MeasUnitText(&cell.meas[i]).size();
        int32_t number;
        char status;
        MeasNumber(cell.meas[i], file.testPoints->at(size_t(t)).levelUnits, number, status);
      }
      MeasValueTextOfCode(cell, MeasLevel, text);
    }
  }
  if (total == size_t(-1)) abort();
  store.FreeDataLogFile(slot);
  return 0;
}
