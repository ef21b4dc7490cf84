// Fuzz target: a memory text file read by the memory editor, with the equipment's field splitter.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Cv3Equip.h"
#include "MemoryEditor.h"

namespace {

class Equipment : public cv::mem::MemoryEquipment {
 public:
  explicit Equipment(char decimal, char list) : equip(nullptr, nullptr) {
    equip.decimalSeparator = decimal;
    equip.listSeparator = list;
  }
  bool HasPort() const override { return false; }
  bool CheckVersion() override { return false; }
  bool Query(const std::string&, std::string&) override { return false; }
  bool SendCommand(const std::string&) override { return false; }
  std::vector<std::string> SplitFields(const std::string& line) override {
    equip.SplitFields(line.c_str());
    return {std::begin(equip.fields), std::end(equip.fields)};
  }
  void Log(const std::string&) override {}
  char DecimalSeparator() const override { return equip.decimalSeparator; }
  char ListSeparator() const override { return equip.listSeparator; }
  TCv3Equip equip;
};

class Silent : public cv::Prompter, public cv::plan::FileChooser, public cv::mem::MemoryView {
 public:
  cv::MsgAnswer Message(cv::MsgIcon, const QString&, const QString&, int) override { return cv::MsgAnswer::No; }
  void Beep() override {}
  std::string OpenFile(const std::string&, const std::string&) override { return {}; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return {}; }
  void SetGauge(int) override {}
  void ShowList() override {}
  void ShowButtons() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the separators, as the two locales the program meets.
  const bool comma = size > 0 && (data[0] & 1);
  Equipment equipment(comma ? ',' : '.', comma ? ';' : ',');
  Silent silent;
  cv::mem::MemoryEditor editor(equipment, silent, silent, silent);
  const std::string content(reinterpret_cast<const char*>(data), size);
  const bool ok = editor.ReadMemoryText(content, "fuzz.csv");
  if (editor.listLines.size() > 99 || (ok && editor.listLines.size() != 99)) std::abort();
  // A file that fails leaves the memories and the list as they were: those of a new editor.
  if (!ok && !editor.listLines.empty()) std::abort();
  for (const MemoryRecord& r : editor.records)
    if (!ok && !(r == MemoryRecord{})) std::abort();
  for (const MemoryRecord& r : editor.records)
    if (r.number != 0 && (r.number < 1 || r.number > 99)) std::abort();
  return 0;
}
