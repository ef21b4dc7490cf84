#pragma once
// The meter of the configuration fuzz targets: the input's lines are its replies, in turn; a send
// is acknowledged or refused by turns, and an empty reply every third query counts as none. Every
// command sent is kept.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "SettingsLink.h"

namespace cvfuzz {

struct OptionReplyLink {
  explicit OptionReplyLink(const std::string& input) : replies(Lines(input)) {
    if (replies.empty()) replies.push_back("");
  }
  cv::settings::Link Link() {
    cv::settings::Link link;
    link.send = [this](const std::string& command) {
      sent.push_back(command);
      return next % 2 == 0;
    };
    link.query = [this](const std::string& command, std::string& reply) {
      sent.push_back(command);
      if (next >= replies.size()) return reply.clear(), false;
      reply = replies[next++];
      return !reply.empty() || next % 3 != 0;
    };
    link.log = [](const std::string&) {};
    return link;
  }
  std::vector<std::string> replies;
  size_t next = 0;
  std::vector<std::string> sent;
};

}  // namespace cvfuzz
