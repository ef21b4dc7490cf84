// Language modules and the message table: a module's text is read as the table is, loaded in
// place of the English texts, and each text is formatted with the arguments the program gives.
#include <map>

#include "Format.h"
#include "FuzzSupport.h"
#include "Messages.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  std::vector<cv::MsgEntry> entries;
  const int bad = cv::ParseMessageTable(input, entries);
  FUZZ_CHECK(bad >= 0 && entries.size() + static_cast<size_t>(bad) <= cvfuzz::Lines(input).size());
  std::map<int, std::string> last;
  for (const cv::MsgEntry& e : entries) {
    FUZZ_CHECK(e.id >= 0 && e.id <= cv::kMaxMsgId);
    last[e.id] = e.text;
  }

  const std::string module = cvfuzz::WriteScratch("CvTools.esp", input);
  FUZZ_CHECK(cv::LoadLanguageTable(module));
  for (const auto& [id, text] : last) {
    FUZZ_CHECK(cv::Msg(id) == text);
    // The arguments of the program's own calls: names, counts, a version an instrument sent.
    cv::Format(cv::Msg(id), "COM1", 19200);
    cv::Format(cv::Msg(id), 3, "CvTools.cfg", 1e30);
    cv::Format(cv::Msg(id), -2147483647 - 1, 2.5f, std::string(300, 'x'));
    cv::MsgQ(id);
  }
  cv::ResetLanguageTable();
  return 0;
}
