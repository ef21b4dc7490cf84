#include "TextFormat.h"

#include <vector>

#include "DecimalText.h"

namespace cv {

std::string FormatText(const std::string& format, std::initializer_list<TextArg> args) {
  std::vector<TextArg> list(args);
  size_t next = 0;
  std::string out;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out.push_back(format[i]);
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool left = false, zero = false;
    while (j < format.size() && (format[j] == '-' || format[j] == '0')) {
      (format[j] == '-' ? left : zero) = true;
      ++j;
    }
    int width = 0;
    while (j < format.size() && format[j] >= '0' && format[j] <= '9') width = width * 10 + (format[j++] - '0');
    int decimals = -1;
    if (j < format.size() && format[j] == '.') {
      decimals = 0;
      ++j;
      while (j < format.size() && format[j] >= '0' && format[j] <= '9') decimals = decimals * 10 + (format[j++] - '0');
    }
    while (j < format.size() && format[j] == 'l') ++j;
    if (j >= format.size() || next >= list.size()) {
      out.append(format, i, j - i + (j < format.size() ? 1 : 0));
      i = j;
      continue;
    }
    char kind = format[j];
    const TextArg& arg = list[next];
    std::string text;
    bool ok = true;
    if (kind == 's' && std::holds_alternative<std::string>(arg)) {
      text = std::get<std::string>(arg);
      if (decimals >= 0 && text.size() > static_cast<size_t>(decimals)) text.resize(decimals);
    } else if ((kind == 'd' || kind == 'i' || kind == 'u') && std::holds_alternative<long long>(arg)) {
      text = std::to_string(std::get<long long>(arg));
    } else if ((kind == 'x' || kind == 'X') && std::holds_alternative<long long>(arg)) {
      static const char* lower = "0123456789abcdef";
      static const char* upper = "0123456789ABCDEF";
      unsigned long long v = static_cast<unsigned long long>(std::get<long long>(arg));
      do {
        text.insert(text.begin(), (kind == 'x' ? lower : upper)[v & 15]);
        v >>= 4;
      } while (v);
    } else if (kind == 'f' && std::holds_alternative<double>(arg)) {
      text = FixedText(std::get<double>(arg), decimals < 0 ? 6 : decimals);
    } else {
      ok = false;
    }
    if (!ok) {
      out.append(format, i, j - i + 1);
      i = j;
      continue;
    }
    ++next;
    if (static_cast<int>(text.size()) < width) {
      size_t pad = width - text.size();
      if (left)
        text.append(pad, ' ');
      else if (zero && kind != 's')
        text.insert(text[0] == '-' ? 1 : 0, pad, '0');
      else
        text.insert(0, pad, ' ');
    }
    out += text;
    i = j;
  }
  return out;
}

}  // namespace cv
