#pragma once
// The CORVANE-PLENAR equipment object: the CORVANE-4 object with a third band (DAB, 'D'), the
// installed-option query "*?ID", 64 plans in its script dialect, a raw write for the line tests
// and the channel identifier. It sends nothing when it is built.
#include <memory>
#include <string>
#include <vector>

#include "Cv4Equip.h"
#include "InstalledOptions.h"

class QDialog;

namespace cv::plenar {

extern const TEquipFamily kPlenarFamily;

// The line cut into at most 16 tokens (no keyword lookup, '#' is no comment): the first ends at a
// blank, ',', TAB, LF, CR or '(', the others at those or ')'. False when there is none. The
// equipment's SplitTokens and the format-2 plan file's command lines cut with it.
bool SplitTokens(const std::string& line, std::vector<std::string>& tokens);

class TCvPlenEquip : public cv::cv4::TCv4Equip {
 public:
  static constexpr const char* kVersionText = "CvPlenar 1.17";
  static constexpr const char* GetVersionText() { return kVersionText; }
  static constexpr int kMaxTokens = 16;

  // Build<TCvPlenEquip>(owner, port) makes a whole object; the constructor leaves it unidentified.
  TCvPlenEquip(QWidget* owner, TSerial* port);
  ~TCvPlenEquip() override;

  const TEquipFamily& Family() const override { return kPlenarFamily; }
  const ScriptDialect& Dialect() const override;
  const char* InitEquip() override;

  bool HasChannelIdentifier() override { return port != nullptr; }
  bool RunChannelIdentifier() override;

  // "*?ID" after the access code. No port: false, nothing sent. No reply: the "Equipment not
  // detected!" box, false. Otherwise the flags from the reply and the version from "*?VE".
  bool ReadInstalledOptions(TInstalledOptions& options);

  // cv::plenar::SplitTokens into `tokens`.
  bool SplitTokens(const std::string& line) { return cv::plenar::SplitTokens(line, tokens); }
  std::vector<std::string> tokens;

  // The text's bytes to the open port exactly as given: no carriage return, no handshake.
  bool WriteRaw(const std::string& text);

 protected:
  // The dialogs of this family's tools: the monitor and the update are the CORVANE-4's dialogs on
  // this object (its runner, tuning and help page); the plan editor, the memory editor, the
  // spectrum, the data logger and the configuration run on this family's tables. A tool without
  // one logs its lines and opens nothing.
  std::unique_ptr<QDialog> MakeToolDialog(Tool tool) override;
  // The identifier's form (TIdentifierForm); a test may make none.
  virtual std::unique_ptr<QDialog> MakeIdentifierDialog();
};

}  // namespace cv::plenar
