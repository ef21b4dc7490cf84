#pragma once
// Finding an instrument: COM1 to COM12, at 19200 baud and the configured extra rates, asking
// "*?VE" and "*?NA" and looking the model up in CvTools.cfg. Plain code over the port object; the
// main window supplies the log, the message pump and the stop request.
#include <cstdint>
#include <functional>
#include <string>

#include "ModelConfig.h"

class TSerial;

class TDetection {
 public:
  static constexpr int kPortCount = 12;
  static constexpr int kDetectionMode = 1;

  explicit TDetection(const TModelConfig& config) : config(config) {}

  std::function<void(const std::string&)> log;        // one line to the log memo
  std::function<void()> pump;                         // lets the window process pending messages
  std::function<bool()> stopRequested;                // the user pressed Stop
  std::function<void(const std::string&)> warnBadFormat;  // the bad model code box

  // Tries every port and rate until an instrument identifies itself, then identifies it once more
  // and logs where it is ready. The port is left closed. True when one was found.
  bool Search(TSerial& port);

  // On the open port: asks version and name; true when the model was identified and configured.
  bool IdentifyEquipment(TSerial& port, std::string& identity);
  bool ParseIdentity(const std::string& identity);
  // Looks the model up; false for a model not configured or with a bad code line.
  bool FindModel(const std::string& model, int32_t& code);

  // Result of the last identification.
  char modelName[32] = {};
  int32_t modelCode = -1;
  float version = 0.0f;
  std::string pluginName;
  bool found = false;
  int32_t foundPort = -1;
  int32_t foundBaud = 0;

 private:
  void Log(const std::string& line) const {
    if (log) log(line);
  }
  const TModelConfig& config;
};
