#pragma once
// The command layer as the configuration, monitor and update tools use it: a plain interface that
// the equipment object fills in and that tests and benchmarks may fill in with their own.
#include <functional>
#include <string>

class TCv3Equip;

namespace cv::settings {

struct Link {
  std::function<bool(const std::string& command)> send;
  // The reply line, whatever the outcome (empty when nothing came).
  std::function<bool(const std::string& command, std::string& reply)> query;
  std::function<bool(float mhz, int milliseconds)> tune;  // TCv3Equip::TuneFrequency
  std::function<void(const std::string& line)> log;       // one line of the host's LogMemo
  // After a failed send: the instrument refused the line (rather than staying silent).
  std::function<bool()> refused;
  std::function<void(int milliseconds)> wait;  // the equipment's wait, window events running
  // The port opened again as the tools open it (TCv3Equip::ReopenPort).
  std::function<bool()> reopen;
  int modelVariant = 5;
  // The monitor's failed-exchange count and warning number, kept by the equipment object.
  int* txErrors = nullptr;
  int* txWarnings = nullptr;
};

// The link of an equipment object (its command layer, log and counters).
Link EquipLink(TCv3Equip* equipment);

std::string Upper(std::string text);
// At most `length` characters of `text`.
std::string Cut(const std::string& text, size_t length);

}  // namespace cv::settings
