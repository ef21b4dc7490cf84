#pragma once
// A monitor command layer answering from the input's lines in turn (nothing once they are spent),
// accepting every other command and recording each tuning.
#include <string>
#include <vector>

#include "SettingsLink.h"

namespace cvfuzz {

struct ReplyLink {
  std::vector<std::string> replies;
  size_t next = 0;
  int errors = 0, warnings = 0;
  std::vector<float> tuned;

  explicit ReplyLink(std::vector<std::string> lines) : replies(std::move(lines)) {
    if (replies.empty()) replies.push_back("");
  }
  cv::settings::Link Make(int modelVariant = 5) {
    cv::settings::Link link;
    link.send = [this](const std::string&) { return next % 2 == 0; };
    link.query = [this](const std::string&, std::string& reply) {
      if (next >= replies.size()) return reply.clear(), false;
      reply = replies[next++];
      return true;
    };
    link.tune = [this](float mhz, int) {
      tuned.push_back(mhz);
      return next % 2 == 0;
    };
    link.log = [](const std::string&) {};
    link.modelVariant = modelVariant;
    link.txErrors = &errors;
    link.txWarnings = &warnings;
    return link;
  }
};

}  // namespace cvfuzz
