// CvTools.cfg with the model lookup and the identity an instrument gives: the input is the file,
// and each of its lines is also taken as a "*?VE" reply, alone and with the next line as the
// "*?NA" reply, identified against the file as detection does.
#include <cstring>

#include "Detection.h"
#include "Format.h"
#include "FuzzSupport.h"
#include "Messages.h"
#include "ModelConfig.h"
#include "MsgIds.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  TModelConfig config;
  std::string error;
  if (!config.ReadConfigText(input, "CvTools.cfg", error)) {
    FUZZ_CHECK(!error.empty() && config.models.empty());
    return 0;
  }
  FUZZ_CHECK(config.models.size() == config.libraries.size() && config.models.size() == config.codes.size());
  FUZZ_CHECK(config.baudTable[0] == TModelConfig::kFirstBaud);
  for (const std::string& model : config.models) {
    std::string library;
    int32_t code = 0;
    const std::string name = model.substr(1, model.size() > 2 ? model.size() - 2 : 0);
    config.FindModel(name, library, code);
  }

  const std::vector<std::string> lines = cvfuzz::Lines(input);
  TDetection detection(config);
  detection.log = [](const std::string&) {};
  for (size_t i = 0; i < lines.size() && i < 64; ++i) {
    const std::string next = i + 1 < lines.size() ? lines[i + 1] : std::string();
    for (const std::string& identity : {BuildIdentity(lines[i], false, next), BuildIdentity(lines[i], true, next)}) {
      if (!detection.ParseIdentity(identity)) continue;
      FUZZ_CHECK(detection.modelCode >= kMinModelCode && detection.modelCode <= kMaxModelCode);
      FUZZ_CHECK(std::strlen(detection.modelName) < sizeof detection.modelName);
      cv::Format(cv::Msg(cv::msg::detect::ReadyIn), detection.modelName, detection.version, "COM1", 19200);
    }
  }
  return 0;
}
