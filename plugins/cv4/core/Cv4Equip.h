#pragma once
// The CORVANE-4 equipment object: the framework's equipment object run on the family's values
// (version text, ranges, version reply, field count, command table, help page) and its tools.
// It sends nothing when it is built: the meter has no tuner to probe.
#include <memory>

#include "Cv3Equip.h"

class QDialog;

namespace cv::cv4 {

extern const TEquipFamily kCorvane4Family;

class TCv4Equip : public TCv3Equip {
 public:
  static constexpr const char* kVersionText = "Cv4Tools 1.16";
  static const char* GetVersionText() { return kVersionText; }

  // Build<TCv4Equip>(owner, port) makes a whole object; the constructor leaves it unidentified.
  TCv4Equip(QWidget* owner, TSerial* port);
  ~TCv4Equip() override;

  const TEquipFamily& Family() const override { return kCorvane4Family; }
  const ScriptDialect& Dialect() const override;
  const char* InitEquip() override;

 protected:
  // The tools that need the port log their start line once the dialog exists.
  void ShowTool(Tool tool) override;
  // The tool's dialog, owned by the host's main form; null for a tool whose dialog the plug-in
  // does not carry yet, whose launcher then logs its lines and opens nothing.
  virtual std::unique_ptr<QDialog> MakeToolDialog(Tool tool);
};

}  // namespace cv::cv4
