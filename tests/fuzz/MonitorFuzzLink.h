#pragma once
// The monitor's command layer for its fuzz targets: queries answered by the input's lines in
// turn (none once they are spent), every other send refused, the last tuned frequency kept.
#include <string>
#include <vector>

#include "SettingsLink.h"

namespace cvfuzz {

struct MonitorReplies {
  std::vector<std::string> replies;
  size_t next = 0;
  int errors = 0, warnings = 0;
  float tuned = -1;

  cv::settings::Link Link() {
    cv::settings::Link link;
    link.send = [this](const std::string&) { return next % 2 == 0; };
    link.query = [this](const std::string&, std::string& reply) {
      if (next >= replies.size()) return reply.clear(), false;
      reply = replies[next++];
      return true;
    };
    link.tune = [this](float mhz, int) { return tuned = mhz, true; };
    link.log = [](const std::string&) {};
    link.txErrors = &errors;
    link.txWarnings = &warnings;
    return link;
  }
};

}  // namespace cvfuzz
