#include "SRecordSink.h"

namespace cvsim {
namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
}  // namespace

bool SRecordValid(const std::string& record) {
  if (record.size() < 4 || record[0] != 'S' || HexDigit(record[1]) < 0 || record.size() % 2 != 0) return false;
  std::vector<int> bytes;
  for (size_t i = 2; i < record.size(); i += 2) {
    const int hi = HexDigit(record[i]), lo = HexDigit(record[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes.push_back(hi * 16 + lo);
  }
  if (bytes[0] != static_cast<int>(bytes.size()) - 1) return false;
  int sum = 0;
  for (size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
  return ((~sum) & 0xFF) == bytes.back();
}

void AddSRecordSink(Profile& profile, const std::string& prefix, SRecordSink& sink) {
  profile.On(prefix + "S", [prefix, &sink](const std::string& line) {
    const std::string record = line.substr(prefix.size());
    if (!SRecordValid(record)) {
      ++sink.refused;
      return Answer::Nak();
    }
    sink.records.push_back(record);
    return Answer::Ok();
  });
}

}  // namespace cvsim
