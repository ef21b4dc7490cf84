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

// What a descendant family's record differs in. The defaults are the CORVANE-4's: every field
// choice decided by the measure itself, measures '0' to '7', plans 0 to 31 (32 in files).
struct Cv4RecordRules {
  // The measure family every field choice decides by; the measure itself is always kept,
  // sent and written as it is. None: the measure itself.
  char (*measureFamily)(char meas) = nullptr;
  // The family of a measure with neither sound nor demodulation settings ('8' DAB); 0: none.
  char dabFamily = 0;
  // A reply's measure must lie in '0'..'7'; a file's lies in '0'..`lastFileMeasure`, folded as
  // the CORVANE-3 folds it unless `measureFamily` is set.
  bool replyMeasureChecked = true;
  char lastFileMeasure = '7';
  int replyPlanMax = 31;
  int filePlanMax = 32;

  char Family(char meas) const { return measureFamily ? measureFamily(meas) : meas; }
  bool Dab(char family) const { return dabFamily && family == dabFamily; }
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
