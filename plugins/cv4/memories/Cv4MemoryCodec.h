#pragma once
// The CORVANE-4 memory: its two wire records, the SR record of firmware below 1.95 (43
// characters) and the XSR record of 1.95 and later (45 characters, two digits of sound), its
// error lines and its memory text file of 25 columns. Plain C++ over the framework's one memory
// record; the editor takes it as its family codec and picks the form once per transfer.
#include <string>
#include <vector>

#include "MemoryCodec.h"

namespace cv::cv4 {

// The memory of this family and its descendants: the framework's one record, in which the
// DiSEqC setting is carried and the frame never filled.
using TCv4MemoryRecord = MemoryRecord;

// The record rules of this family and its descendants, which re-value them: the CORVANE-4's
// ranges, the spectral inversion of every BER measure '1' or '2', guard intervals to '4', a
// number outside 1..99 taken as memory 1, the DiSEqC setting, labels kept short, the file's
// colour as written and its sound letters in either case. The reply's layout follows the form.
struct Cv4RecordRules : cv::mem::RecordRules {
  Cv4RecordRules();
};

class Cv4MemoryCodec : public cv::mem::MemoryCodec {
 public:
  enum class Form { SR, XSR };
  static constexpr size_t kSrLength = 43;
  static constexpr size_t kXsrLength = 45;
  static constexpr size_t kFileRowLength = 84;
  // The first firmware that speaks the XSR form.
  static constexpr float kXsrVersion = 1.95f;

  // `versionText` names the plug-in in the file's first line.
  explicit Cv4MemoryCodec(std::string versionText, const Cv4RecordRules& rules = {})
      : versionText(std::move(versionText)), rules(rules) {}

  Form form = Form::SR;
  static Form FormOfVersion(float version) { return version >= kXsrVersion ? Form::XSR : Form::SR; }

  MemoryRecord Cleared() const override;
  void ChooseForm(cv::mem::MemoryEquipment& equip) override;
  bool BeginSendOne(cv::mem::MemoryEquipment& equip) override;
  std::string QueryCommand(int number) const override;
  std::string Encode(MemoryRecord& record) const override;
  bool Sendable(const std::string& text, const MemoryRecord& record) const override;
  int BadLengthMessage() const override;
  cv::mem::DecodedMemory Decode(const std::string& reply, MemoryRecord& record) const override;
  std::vector<std::string> ErrorLines(const cv::mem::MemErrors& errors, const MemoryRecord& record,
                                      int index) const override;
  bool FreqInRange(char band, float mhz) const override;
  float FallbackFreq(char band) const override;
  std::string FileHeader(char list) const override;
  std::string FormatFileRow(const MemoryRecord& record, char decimal, char list) const override;
  cv::mem::ParsedRow ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record) const override;
  std::vector<std::string> FileLines(const std::string& content) const override;
  bool SkippedFileLine(const std::string& line) const override;
  std::string RowText(const std::string& line) const override;
  int FileColumns() const override;

  // The two forms apart from the one chosen (tests, the simulator, fuzzing).
  static std::string EncodeForm(Form form, MemoryRecord& record, const Cv4RecordRules& rules = {});
  static cv::mem::DecodedMemory DecodeForm(Form form, const std::string& reply, MemoryRecord& record,
                                           const Cv4RecordRules& rules = {});
  // The bad-field lines of this family, which a descendant re-values.
  static const cv::mem::ErrorLineIds& LineIds();
  const Cv4RecordRules& Rules() const { return rules; }
  static size_t LengthOf(Form form) { return form == Form::XSR ? kXsrLength : kSrLength; }

 private:
  std::string versionText;
  Cv4RecordRules rules;
};

}  // namespace cv::cv4
