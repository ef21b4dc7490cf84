#include "OptionWord.h"

#include "Chan3.h"

namespace cv {

namespace {

// Where the option word starts: after "*ID" and three characters the meter does not explain.
constexpr size_t kWordAt = 6;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

bool ReadOptionWord(std::string_view reply, uint32_t& word) {
  word = 0;
  if (reply.size() <= kWordAt) return false;
  std::string_view rest = reply.substr(kWordAt);
  const size_t first = rest.find_first_not_of(" \t");
  if (first == std::string_view::npos || !IsHexDigit(rest[first])) return false;
  size_t end = first;
  while (end < rest.size() && IsHexDigit(rest[end])) ++end;
  const size_t from = end - first > 8 ? end - 8 : first;
  word = ParseHex(rest.substr(from, end - from), 8);
  return true;
}

}  // namespace cv
