#include "Detection.h"

#include <cstring>

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Serial.h"

namespace msg = cv::msg::detect;

namespace {

// The instrument announces XON once it has answered a line. Taking that byte before the port is
// closed leaves the line quiet: an XON arriving after the next open's purge would pair with the
// next command and shift every reply that follows by one exchange.
void TakeClosingXon(TSerial& port) {
  char byte = 0;
  uint32_t read = 0;
  cv::SerialRead(port.handle, &byte, 1, &read);
}

}  // namespace

bool TDetection::Search(TSerial& port) {
  found = false;
  foundPort = -1;
  foundBaud = 0;
  Log(cv::Msg(msg::Searching));
  for (int index = 0; index < kPortCount && !found; ++index) {
    port.SetPort(index);
    if (!port.Open()) {
      Log(cv::Format(cv::Msg(msg::PortNotAvailable), port.name));
      // A port that is there but busy or forbidden says so on a line of its own.
      if (const char* problem = port.OpenProblem(); problem && *problem) Log(problem);
      continue;
    }
    for (int32_t baud : config.baudTable) {
      if (baud == 0) continue;
      const bool setUp = port.Setup(kDetectionMode, baud, 8, 0, 0);
      if (pump) pump();
      if (stopRequested && stopRequested()) break;
      std::string identity;
      // A rate the device refused is not asked at: the line would still run at the last one.
      if (setUp && IdentifyEquipment(port, identity)) {
        TakeClosingXon(port);
        Log(cv::Format(cv::Msg(msg::DetectedAt), port.name, baud, modelName, version));
        found = true;
        foundPort = index;
        foundBaud = baud;
        break;
      }
      Log(cv::Format(cv::Msg(msg::NotDetectedAt), port.name, baud));
    }
    port.Close();
  }
  if (!found) return false;

  port.SetPort(foundPort);
  if (port.Open()) {
    const bool setUp = port.Setup(kDetectionMode, foundBaud, 8, 0, 0);
    std::string identity;
    // A success refreshes what was found; a failure changes nothing.
    if (setUp && IdentifyEquipment(port, identity)) TakeClosingXon(port);
    port.Close();
  }
  Log(cv::Format(cv::Msg(msg::ReadyIn), modelName, version, port.name, foundBaud));
  return true;
}

bool TDetection::IdentifyEquipment(TSerial& port, std::string& identity) {
  char versionReply[kReplyBufferSize] = "*?VE";
  if (!port.Transact(versionReply)) return false;
  char nameReply[kReplyBufferSize] = "*?NA";
  bool nameOk = port.Transact(nameReply);
  identity = BuildIdentity(versionReply, nameOk, nameReply);
  if (identity.empty()) return false;
  if (!ParseIdentity(identity)) {
    Log(cv::Msg(msg::UnknownEquipment));
    return false;
  }
  return true;
}

bool TDetection::ParseIdentity(const std::string& identity) {
  // A failed parse leaves the identity already in force, its library included: a garbled
  // confirming reply must not take the plug-in away from an instrument that was found.
  const std::string inForce = pluginName;
  auto fail = [&] {
    pluginName = inForce;
    return false;
  };
  std::string model;
  float parsedVersion = 0.0f;
  if (!ParseIdentityText(identity, model, parsedVersion)) return fail();
  int32_t code = -1;
  if (!FindModel(model, code)) return fail();
  if (code < kMinModelCode || code > kMaxModelCode) return fail();
  modelCode = code;
  std::strncpy(modelName, model.c_str(), sizeof modelName - 1);
  modelName[sizeof modelName - 1] = '\0';
  version = parsedVersion;
  return true;
}

bool TDetection::FindModel(const std::string& model, int32_t& code) {
  std::string library;
  switch (config.FindModel(model, library, code)) {
    case TModelConfig::Lookup::Found:
      pluginName = library;
      return true;
    case TModelConfig::Lookup::BadCode: {
      pluginName = library;
      std::string text = cv::Format(cv::Msg(msg::BadFormat), "CvTools.cfg");
      if (warnBadFormat) warnBadFormat(text);
      Log(text);
      return false;
    }
    case TModelConfig::Lookup::Missing:
      break;
  }
  return false;
}
