#pragma once
// The CORVANE-3 equipment object: identification at load, the tools it offers, and the command
// layer every dialog of the plug-in talks to the instrument through.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "Clock.h"
#include "Equip.h"
#include "EquipFamily.h"

class TChan3;
class TLogForm;
class TScriptEngine;
namespace cv::script {
class TranscriptFile;
}
struct ScriptDialect;
struct PlanInfo;

class TCv3Equip : public TEquip {
 public:
  // The CORVANE-3 object, identified at once (InitEquip runs inside the constructor).
  TCv3Equip(QWidget* owner, TSerial* port);
  ~TCv3Equip() override;

  // Builds a family's equipment object whole: the object, then its most-derived InitEquip, its
  // script keywords and the start directory (FinishBuild). A derived family's constructor passes
  // DeferInit, because a base constructor cannot reach the derived InitEquip.
  template <class E>
  static E* Build(QWidget* owner, TSerial* port) {
    std::unique_ptr<E> equip(new E(owner, port));
    equip->FinishBuild();
    return equip.release();
  }

  const char* InitEquip() override;
  bool HasChannelEditor() override { return true; }
  bool HasMemoryEditor() override { return true; }
  bool HasDataLogger() override { return port != nullptr; }
  bool HasMonitor() override { return port != nullptr; }
  bool HasSpectrum() override { return port != nullptr; }
  bool HasConfiguration() override { return port != nullptr; }
  bool HasUpdateFirmware() override { return port != nullptr; }
  bool HasChannelIdentifier() override { return false; }
  bool RunChannelEditor() override;
  bool RunMemoryEditor() override;
  bool RunDataLogger() override;
  bool RunMonitor() override;
  bool RunSpectrum() override;
  bool RunConfiguration() override;
  bool RunUpdateFirmware() override;

  // Command layer; every operation returns true on success. Reply buffers hold at least 256 bytes.
  bool SendCommand(const char* command);
  bool Query(const char* command, char* reply);
  // The port opened again as the tool launchers open it: the line set up afresh, whatever the
  // instrument sent before dropped, the wake line sent. False without a port or when it fails.
  bool ReopenPort();
  bool AskLevel(char* reply, int milliseconds);
  // A family whose tuner lacks a band overrides the tuning (and may refuse a frequency).
  virtual bool TuneFrequency(float mhz, int milliseconds);
  bool CheckVersion();
  bool ReadVersion(float& version);
  // The version in a "*?VE" reply: upper-cased, from its fourth character on, the number after
  // the first `mark` (the family's versionMark) within 255 characters. False (version 0) when
  // there is none.
  static bool ParseVersionReply(std::string_view reply, char mark, float& version);
  // The CORVANE-3 tuning command for a frequency: "*FR", 'T' or 'S', the PLL word as four hex
  // digits (cv::PllTuneCommand with the family's ranges for another family).
  static std::string TuneCommand(float mhz);

  // Plan headers and channels stored in the instrument ("*?JI", "*?CI"; Cv3EquipPlans.cpp).
  // `answered`, when given, tells a plan the instrument says it does not hold (true) from a
  // query it did not answer (false).
  // `answered`: a reply came; `absent`: it was the instrument's word that it holds no such plan.
  bool ReadPlanInfo(int plan, PlanInfo& info, bool* answered = nullptr, bool* absent = nullptr);
  virtual bool ReadChannelInfo(int channel, int plan, TChan3& chan, char band);
  static void CopyPlanInfo(PlanInfo& dest, const PlanInfo& source);
  static void CopyChannel(TChan3& dest, const TChan3& source);

  // PRO scripts (ScriptEngine.h; Cv3EquipScript.cpp): runs the script with `dialog`'s log zone,
  // gauge and status label; true when the last statement run succeeded.
  bool RunScript(const std::string& path, TLogForm* dialog);
  void ShowSendingTime(int32_t elapsedSeconds, int32_t expectedSeconds);
  void LogStart(cv::script::TranscriptFile& file, const std::string& text);
  void LogEnd(cv::script::TranscriptFile& file);
  TScriptEngine& Script();
  // The family's script dialect, which the engine takes when first used; CORVANE-3 here.
  virtual const ScriptDialect& Dialect() const;

  // Text utilities shared by the dialogs.
  bool SplitFields(const char* line);
  static char FoldTypeCode(char code);
  static std::string FixWidth(const std::string& text, int width);
  static std::string GetFileName(const std::string& path);
  static std::string GetFileExt(const std::string& path);
  const std::string& GetStartDir() const { return startDir; }
  static constexpr const char* GetVersionText() { return "Cv3Tools 1.22"; }
  // What this object's family does otherwise than the CORVANE-3 (EquipFamily.h).
  virtual const TEquipFamily& Family() const { return kCorvane3Family; }
  const char* VersionText() const { return Family().versionText; }
  const cv::FamilyRanges& Ranges() const { return *Family().ranges; }
  const TCommandTable& Commands() const { return *Family().commands; }
  // The help file the dialogs open ("help\Cv3Tools.hlp") and a tool's topic in it.
  std::string HelpFile() const;
  const char* HelpTopicName(HelpTopic topic) const { return Family().helpTopics[static_cast<int>(topic)]; }
  static float IFToFreq(float oscillator, float intermediate);
  static float FreqToIF(float oscillator, float frequency);

  QWidget* GetOwner() const { return owner; }
  // The monitor's failed exchanges and warnings, counted across its dialogs while the plug-in
  // stays loaded.
  int monitorTxErrors = 0;
  int monitorTxWarnings = 0;
  static constexpr int kFieldCount = 24;  // the CORVANE-3's; Family().fieldCount is this object's
  static constexpr int kFieldLength = 12;
  int FieldCount() const { return Family().fieldCount; }
  char fields[TEquipFamily::kMaxFields][kFieldLength + 1] = {};

 protected:
  // The rate every tool opens the port at.
  static constexpr int kToolBaud = 19200;
  struct DeferInit {};
  TCv3Equip(QWidget* owner, TSerial* port, DeferInit);
  void FinishBuild();

  enum class Tool { ChannelEditor, MemoryEditor, DataLogger, Monitor, Spectrum, Configuration, UpdateFirmware };
  // Creates the tool's dialog, runs it modally and destroys it; the port is open when it is called
  // (editors offline excepted).
  virtual void ShowTool(Tool tool);

  QWidget* owner = nullptr;
  std::string startDir;
  struct ScriptParts;
  std::shared_ptr<ScriptParts> scriptParts;  // the engine with its links to port and program

  // The start line of a port tool whose family logs it once the dialog exists: ShowTool logs it
  // (LogPendingStart) after creating the dialog; the launcher logs it if ShowTool did not.
  void LogPendingStart();

 private:
  bool RunEditorTool(int startId, int closedId, int portErrorId, int offlineId, Tool tool);
  bool RunPortTool(int startId, int closedId, int portErrorId, int refusedId, Tool tool);
  int pendingStartId = 0;
};
