#pragma once
// What the SKY certificate sheet answers the data-logger dialog, its checks and the SKY report
// while it is open. The sheet implements it; tests fake it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cv::xr9 {

// Services the SKY sheet assigns to channels that the threshold rules single out.
inline constexpr int kSkyServiceFmRadio = 6;
inline constexpr int kSkyServiceDab = 7;
inline constexpr int kSkyInfoTexts = 12;
// Characters of each information text the certificate prints.
inline constexpr size_t kSkyInfoPrinted = 40;

class SkySheetQuery {
 public:
  virtual ~SkySheetQuery() = default;
  virtual int SelectedMeasIndex(int slot, int channel) const = 0;
  // The slots of the files chosen for the terrestrial and the satellite grid, -1 for none.
  virtual void SelectedSlots(int& terSlot, int& satSlot) const = 0;
  // The first channel of the slot with the service, and how many carry it (-1 and 0: none).
  virtual int FindService(int slot, int service, uint8_t& count) const = 0;
  virtual bool HasService(int slot, int channel, int service) const = 0;
  virtual int RowOfTestPoint(int slot, int testPoint) const = 0;
  virtual int TestPointAtRow(int slot, int row) const = 0;
  // 7 or 5: the plan type of the file whose flat numbers the certificate prints.
  virtual int FlatNumbersSource() const = 0;
  // Tenths of a dB, in this argument order.
  virtual void GetOffsets(int& offAirTer, int& launchTer, int& launchSat, int& offAirSat) const = 0;
  // Information texts 1 to 12 (Windows-1252).
  virtual void SetInfoText(int n, const std::string& text) = 0;
  // At most `length` characters of text n.
  virtual std::string GetInfoText(int n, size_t length) const = 0;
};

}  // namespace cv::xr9
