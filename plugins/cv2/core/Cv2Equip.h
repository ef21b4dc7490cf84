#pragma once
// The CORVANE-2 equipment object: the framework's object run on the family's values, with the
// DV-800's launchers, dialect and records and the CORVANE-4's 900 MHz tuning switch. The meter
// reports its installed options ("*?ID"); the object asks it nothing while it is built.
#include <memory>
#include <string>
#include <string_view>

#include "Cv3Equip.h"
#include "InstalledOptions.h"

class QDialog;

namespace cv::cv2 {

using cv::dv8::InstalledOptions;

extern const TEquipFamily kCorvane2Family;

// List position to instrument code, as the memory, monitor and spectrum dialogs send or store
// them (InitIndexTable): LEVEL, V/A, Power, C/N auto, BER (QPSK), BER (COFDM), C/N referenced;
// PAL B/G, PAL D/K, PAL I, PAL SAT, DIGITAL; the sound settings of the memory records.
inline constexpr int measureCodes[7] = {0, 1, 2, 3, 4, 6, 7};
inline constexpr int standardCodes[5] = {0, 1, 2, 7, 36};
inline constexpr int soundCodes[16] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17};

// "*ME%d" of a measure list position; "*SY%02d" of a standard list position.
std::string MeasureCommand(int position);
std::string StandardCommand(int position);
// A sound code as one character: '0'..'9', then 'A'..'H' for 10..17; '0' outside.
char SoundCodeChar(int code);

// The 13 option flags from a "*?ID" reply: flag 0 is bit 20 of the option word, down to flag 12,
// bit 0 (bits 3, 9 to 15 and from 21 up unused). A reply with no word reads as word 0, every
// flag false. True when a word was read.
bool ParseInstalledOptions(std::string_view reply, InstalledOptions& options);

class TCv2Equip : public TCv3Equip {
 public:
  static constexpr const char* kVersionText = "Cv2Tools 1.14";
  static constexpr const char* GetVersionText() { return kVersionText; }

  // Build<TCv2Equip>(owner, port) makes a whole object; the constructor leaves it unidentified.
  TCv2Equip(QWidget* owner, TSerial* port);
  ~TCv2Equip() override;

  const TEquipFamily& Family() const override { return kCorvane2Family; }
  const char* InitEquip() override;
  // Scripts run in the DV-800 dialect with the C-band CHAN3S.
  const ScriptDialect& Dialect() const override;

  // The family has no data logger, with a port or without.
  bool HasDataLogger() override { return false; }
  bool RunDataLogger() override { return TEquip::RunDataLogger(); }

  // No port: false at once, the record untouched. Otherwise the access code, then "*?ID"; no
  // reply: the "Equipment not detected!" box and false, the record untouched.
  bool ReadInstalledOptions(InstalledOptions& options);
  // Memories go to the meter whatever it is doing: it has no data-logging state to ask for.
  static bool CheckNotLogging() { return true; }

 protected:
  // The tools that need the port log their start line once the dialog exists.
  void ShowTool(Tool tool) override;
  // The tool's dialog, owned by the host's main form; null for a tool whose dialog the plug-in
  // does not carry yet, whose launcher then logs its lines and opens nothing.
  virtual std::unique_ptr<QDialog> MakeToolDialog(Tool tool);
};

}  // namespace cv::cv2
