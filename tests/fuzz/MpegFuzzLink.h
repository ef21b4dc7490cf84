#pragma once
// A fake line for the MPEG-2 analyser: every exchange takes the input's next line, a query as its
// reply (the command layer keeps 255 characters); "!" fails the exchange, and so does every
// exchange once the lines are spent.
#include <string>
#include <vector>

#include "MpegAnalyzer.h"

namespace cvfuzz {

class MpegFuzzLink : public cv::cv4::MpegLink {
 public:
  explicit MpegFuzzLink(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool SendCommand(const std::string&) override { return Next(nullptr); }
  bool Query(const std::string&, std::string& reply) override { return Next(&reply); }
  bool WriteLine(const std::string&) override { return Next(nullptr); }
  bool WriteRaw(const std::string&) override { return Next(nullptr); }
  // The longest reply handed out since the last call.
  size_t TakeLongest() {
    const size_t n = longest_;
    longest_ = 0;
    return n;
  }

 private:
  bool Next(std::string* reply) {
    if (next_ >= lines_.size()) {
      if (reply) reply->clear();
      return false;
    }
    const std::string& line = lines_[next_++];
    if (line == "!") {
      if (reply) reply->clear();
      return false;
    }
    if (reply) {
      *reply = line.substr(0, 255);
      if (reply->size() > longest_) longest_ = reply->size();
    }
    return true;
  }
  std::vector<std::string> lines_;
  size_t next_ = 0;
  size_t longest_ = 0;
};

}  // namespace cvfuzz
