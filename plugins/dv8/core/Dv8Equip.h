#pragma once
// The DV-800 equipment object: the framework's equipment object run on the family's values. The
// meter is terrestrial only and reports neither its model nor its options, so the object asks it
// nothing while it is built and is the same with or without a port.
#include <memory>

#include "Cv3Equip.h"
#include "InstalledOptions.h"

class QDialog;

namespace cv::dv8 {

extern const TEquipFamily kDv800Family;

// List position to instrument code, as the memory, monitor and spectrum dialogs send or store
// them: a measure goes out as "*ME%d" or is stored as '0' plus the value, a standard is
// written "%02d" (so 10 matches "SY10").
inline constexpr int measureCodes[5] = {0, 1, 2, 3, 7};
inline constexpr int standardCodes[10] = {0, 1, 2, 4, 5, 10, 13, 11, 24, 36};
inline constexpr int soundCodes[13] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 15};

class TDV8Equip : public TCv3Equip {
 public:
  static constexpr const char* kVersionText = "DV8Tools 1.14";
  static constexpr const char* GetVersionText() { return kVersionText; }

  // Build<TDV8Equip>(owner, port) makes a whole object; the constructor leaves it unidentified.
  TDV8Equip(QWidget* owner, TSerial* port);
  ~TDV8Equip() override;

  const TEquipFamily& Family() const override { return kDv800Family; }
  const char* InitEquip() override;
  // Scripts run in the DV-800 dialect (IFVER2, CHAN3S as a plain difference).
  const ScriptDialect& Dialect() const override;

  // The meter has no satellite tuner: from 900 MHz up nothing is sent and nothing waited.
  bool TuneFrequency(float mhz, int milliseconds) override;

  static void ReadInstalledOptions(InstalledOptions& options);
  // Memories go to the meter whatever it is doing: it has no data-logging state to ask for.
  static bool CanSendMemories() { return true; }
  static char MapMeasureCode(char code) { return FoldTypeCode(code); }

 protected:
  // The tools that need the port log their start line once the dialog exists.
  void ShowTool(Tool tool) override;
  // The tool's dialog, owned by the host's main form; null for a tool whose dialog the plug-in
  // does not carry yet, whose launcher then logs its lines and opens nothing.
  virtual std::unique_ptr<QDialog> MakeToolDialog(Tool tool);
};

}  // namespace cv::dv8
