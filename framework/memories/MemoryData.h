#pragma once
// The memory settings dialog's rules, apart from its form: the working record copied from the
// memory editor, its checks and error lines, the cross-field rules of every change, the layout
// modes, and what each control shows. The form passes user actions in and renders `form`; tests
// drive this class directly. Texts are Windows-1252 bytes.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "AppServices.h"
#include "Chan3.h"
#include "MemoryEditor.h"
#include "MemoryRecord.h"
#include "MemoryTables.h"
#include "MsgIds.h"

namespace cv::mem {

// What one edit shows.
struct EditState {
  std::string text;
  bool enabled = true;
  bool labelEnabled = true;
};

// What one combo box shows: its list, the selected entry (-1 none) and whether it is enabled.
struct ComboState {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;
  bool labelEnabled = true;
  void Clear() {
    items.clear();
    index = -1;
  }
  void Fill(const std::vector<std::string>& texts) {
    items = texts;
    index = -1;
  }
};

// Every control of the dialog as the rules leave it.
struct MemoryDataForm {
  std::string caption;
  EditState name, freq, channel, soundSub, bw, lnbOsc, symRate, noise;
  ComboState band, level, units, standard, sound, lnbSup, codeRate, modulation, specInv, carriers, interval;
  bool freqRadio = true, channelRadio = false;
  std::string modifyCaption;
  bool modifyEnabled = true;
};

// The edits whose exit handler may take the focus back.
enum class DataEdit { Name, Freq, SoundSub, BW, LNBOsc, SymRate, Noise };

// The form as the rules see it while they work.
class MemoryDataView {
 public:
  virtual ~MemoryDataView() = default;
  virtual void Render() = 0;                   // show `form` now (long operations)
  virtual void FocusEdit(DataEdit edit) = 0;   // a refused value takes the focus back
  virtual void SetHourglass(bool on) = 0;
  // Runs the channel picker over the picked records; true when it closed with OK.
  virtual bool RunChannelPicker() = 0;
};

// The working record with the text forms the dialog keeps beside the values.
struct WorkingRecord {
  MemoryRecord r;
  std::string numberText;    // "%02d"
  std::string wordText;      // the tuning word of freq, four hexadecimal digits
  std::string planText;      // "%02d"
  std::string codeText;      // "%02d"
  std::string symRateText;   // "%04x"
  std::string soundSubText;  // "%03x" of (soundFreq + 10.7) x 100 rounded
  std::string bwText;        // "%04x" of bw x 100 cut
  std::string lnbText;       // "%05x" of lnbOsc x 10 cut, satellite memories
  bool manualSound = true;   // sound '4' or 'F'
  std::string cnRefText;     // "%04x" of the C/N reference's word, C/N referenced memories
};

// The dependent controls the field groups switch, each together with its label.
enum class GroupControl { Sound, SymRate, CodeRate, Modulation, SpecInv, Carriers, LnbOsc, Units, kCount };
// How a control stands in a field group: off, on, or on only for one measure or the satellite band.
enum class GroupSwitch : char { Off, On, ForQam, ForCofdm, ForSatellite, ForQpskOrQam, ForQpsk };
constexpr int kFieldGroups = 5;  // 0 terrestrial, 1 terrestrial QAM/COFDM, 2 satellite, 3 QPSK, 4 power
using FieldGroupTable =
    std::array<std::array<GroupSwitch, kFieldGroups>, static_cast<size_t>(GroupControl::kCount)>;
// The CORVANE-3's groups: the spectral inversion follows the symbol rate.
FieldGroupTable Cv3FieldGroups();

// What a family's rules differ in. The defaults are the CORVANE-3's.
struct MemoryDataRules {
  double satelliteStartMHz = 862.1;  // lowest satellite frequency a memory may hold
  int satFreqLineId = cv::msg::memdata::LineFreqSat;  // its load error line names that range
  bool digitalByStd = false;         // DIGITAL told by Std '6' (else by Color '3')
  bool manualSoundKept = false;      // once set, the manual-sound flag stays for the dialog's life
  // What choosing a BER measure sets.
  char qpskSpecInv = '0', qamSpecInv = '0', cofdmSpecInv = 0, qamModulation = '0';
  const char* specInvMeasures = "45";  // the measures whose spectral inversion is shown
  FieldGroupTable groups = Cv3FieldGroups();
  // The measure family every rule tests instead of Meas itself; none: the identity.
  char (*measureKind)(char meas) = nullptr;
  // The sounds a change to standard I or L replaces by that standard's carrier.
  const char* soundsReplacedByI = "569ABCE";
  const char* soundsReplacedByL = "45689BCEF";
  int cnRefLineId = cv::msg::memdata::LineCnRef;  // the C/N reference's load error line
  // False for a terrestrial-only meter: a satellite memory does not open, no frequency above
  // 862 MHz is taken, a picked satellite plan is ignored, a picked channel outside the band
  // leaves the memory tuned by its frequency, and a band the list lacks shows no entry.
  bool satelliteBand = true;
  // False for a meter without LNB supply, QPSK or QAM settings: the show pass neither shows the
  // LNB oscillator and symbol rate nor fills the lists of LNB supply, code rate, spectral
  // inversion, modulation, carriers and guard interval; LNB supply stays disabled and the
  // modulation list changes nothing.
  bool satelliteAndBerLists = true;
  // The family of a measure without sound or demodulation settings (DAB); 0: none. It goes
  // wherever the terrestrial digital families (QAM and COFDM) go, with every demodulation
  // control off.
  char dabKind = 0;
  // The highest plan number a memory may hold, and the load error line that names the count.
  int planMax = 31;
  int planLineId = cv::msg::memdata::LinePlanNumber;
  // Where the terrestrial range (and the C/N reference's) starts, and the load error line that
  // names that range.
  double terrestrialStartMHz = 5.0;
  int terFreqLineId = cv::msg::memdata::LineFreqTer;
  // The sounds a change to standard DK replaces by 6.50.
  const char* soundsReplacedByDK = "568ABCDE";
  // Further sounds that act as the satellite carriers 5.80, 6.65 and 7.02: chosen, they move the
  // memory to satellite; a terrestrial standard replaces them by its own carrier.
  const char* soundsAsSatelliteCarriers = "";
};

// A family's rules and the lists that differ between families.
struct MemoryDataFamily {
  MemoryDataRules rules;
  std::vector<CodeText> (*soundTable)() = SoundTable;
  std::vector<CodeText> (*specInvTable)(char band) = SpecInvTable;
  std::vector<CodeText> (*intervalTable)() = GuardIntervalTable;
  int (*standardIndex)(char color, char std) = StandardIndex;  // the entry a code shows, -1 none
  std::vector<CodeText> (*bandTable)() = BandTable;
  std::vector<CodeText> (*measureTable)() = MeasureTable;
  std::vector<CodeText> (*unitsTable)() = UnitsTable;
  std::vector<StandardEntry> (*standardTable)() = StandardTable;
};
const MemoryDataFamily& Cv3MemoryData();

class MemoryData {
 public:
  MemoryData(MemoryEquipment& equip, cv::Prompter& prompter, MemoryDataView& view,
             const MemoryDataFamily& family = Cv3MemoryData());

  // Copies `record` in and, when it passes its checks, shows it (caption, layout, controls).
  // False: "Invalid memory data" was shown and the dialog is not to be shown.
  bool OpenRecord(const MemoryRecord& record);
  void ClearMemory();
  bool LoadRecord(const MemoryRecord& record);
  // Copies the working record back. Units left empty (a BER memory's, or one a band change took
  // away from BER) go back as '0', the form the instrument's record and the memory file give
  // them. The frame, which the dialog neither shows nor edits, stays as `record` has it.
  void StoreRecord(MemoryRecord& record) const;

  // User actions. Each runs its apply operation and, on a change, ArrangeControls and
  // ValidateMemoryData. Combos pass the chosen entry's index; edits the text they hold at exit.
  void EvLevelChange(int index) { Changed(ApplyLevel(index)); }
  void EvBandChange(int index) { Changed(ApplyBand(index)); }
  void EvSoundChange(int index) { Changed(ApplySound(index)); }
  void EvLNBSupChange(int index) { Changed(ApplyCode(w.r.lnbSup, index)); }
  void EvUnitsChange(int index) { Changed(ApplyUnits(index)); }
  void EvStandChange(int index) { Changed(ApplyStandard(index)); }
  void EvCodeRateChange(int index) { Changed(ApplyCode(w.r.codeRate, index)); }
  void EvModulationChange(int index) {
    if (family.rules.satelliteAndBerLists) Changed(ApplyCode(w.r.modulation, index));
  }
  void EvSpInvChange(int index) { Changed(ApplySpInv(index)); }
  void EvCarriersChange(int index) { Changed(ApplyCarriers(index)); }
  void EvIntervalChange(int index) { Changed(ApplyCode(w.r.guardInt, index)); }
  void EvFreqChange(const std::string& text) { Exit(form.freq, text, &MemoryData::ApplyFreq); }
  void EvChBWChange(const std::string& text) { Exit(form.bw, text, &MemoryData::ApplyChBW); }
  void EvFreqSoChange(const std::string& text) { Exit(form.soundSub, text, &MemoryData::ApplyFreqSo); }
  void EvLNBOscChange(const std::string& text) { Exit(form.lnbOsc, text, &MemoryData::ApplyLNBOsc); }
  void EvNameChange(const std::string& text) { Exit(form.name, text, &MemoryData::ApplyName); }
  void EvSymRateChange(const std::string& text) { Exit(form.symRate, text, &MemoryData::ApplySymRate); }
  void NoiseChange(const std::string& text) { Exit(form.noise, text, &MemoryData::ApplyNoise); }
  void FreqRadioButtonClick();
  void ChannelRadioButtonClick();
  void ModifyChannelBtnClick();

  // The apply operations: true when the working record changed.
  bool ApplyLevel(int index);
  bool ApplyBand(int index);
  bool ApplySound(int index);
  bool ApplyStandard(int index);
  bool ApplyCarriers(int index);
  bool ApplySpInv(int index);
  bool ApplyCode(char& field, int index);
  bool ApplyUnits(int index);  // the code of the units list's entry
  bool ApplyFreq(const std::string& text);
  bool ApplyChBW(const std::string& text);
  bool ApplyFreqSo(const std::string& text);
  bool ApplyLNBOsc(const std::string& text);
  bool ApplyName(const std::string& text);
  bool ApplySymRate(const std::string& text);
  bool ApplyNoise(const std::string& text);
  void ApplyChannel();

  // The field group of the working record's measure and band.
  int FieldGroup() const;
  void ArrangeControls();
  void ValidateMemoryData();
  void SetFreqMode();
  void SetChannelMode();

  // Display operations (all report success).
  bool ShowName();
  bool ShowFreq();
  bool ShowTuning();
  bool ShowSoundSub();
  bool ShowChBW();
  bool ShowLNBOsc();
  bool ShowSymRate();
  bool ShowNoise();
  bool FindChannel();
  // The combos' fill and show operations over the setting tables.
  void FillBandCombo();
  bool ShowBand();
  void FillLevelCombo();
  bool ShowLevel();
  void FillUnitsCombo();
  bool ShowUnits();
  void FillStandardCombo();
  bool ShowStandard();
  void FillSoundCombo();
  bool ShowSound();
  void FillLNBSupCombo();
  bool ShowLNBSup();
  void FillCodeRateCombo();
  bool ShowCodeRate();
  void FillModulationCombo();
  bool ShowModulation();
  void FillSpecInvCombo();
  bool ShowSpecInv();
  void FillCarriersCombo();
  bool ShowCarriers();
  void FillIntervalCombo();
  bool ShowInterval();

  // The log lines of the copy-in checks.
  std::vector<std::string> LoadErrorLines(const MemErrors& errors) const;
  // The measure family of `meas`, which every rule on the measure tests.
  char Kind(char meas) const { return family.rules.measureKind ? family.rules.measureKind(meas) : meas; }
  bool Dab(char meas) const { return family.rules.dabKind && Kind(meas) == family.rules.dabKind; }
  // Whether the family of `meas` is one of `kinds`; the DAB family is one of any set that names
  // both QAM ('5') and COFDM ('6').
  bool KindIn(char meas, const char* kinds) const;
  // Whether `f` is a frequency a memory may hold (either band).
  bool FreqValid(double f) const;

  WorkingRecord w;
  MemoryDataForm form;
  int layoutMode = -1;
  bool busy = false;
  PlanInfo plan;          // the memory's plan header, read by ShowTuning
  TChan3 chan;            // the memory's channel
  PlanInfo pickedPlan;    // what the channel picker leaves
  TChan3 pickedChannel;
  int pickedPlanNumber = 0;

 private:
  void Changed(bool changed) {
    if (!changed) return;
    ArrangeControls();
    ValidateMemoryData();
  }
  using Apply = bool (MemoryData::*)(const std::string&);
  void Exit(EditState& edit, const std::string& text, Apply apply);
  // Band moves of the rules: band, 450.0 or 1500.0 MHz and its word.
  void ToBand(char band);
  void SetStandard(const char* code);
  void SetSound(char sound);
  std::string WordText(char band, float freq) const;
  std::string Fixed(double value, int precision) const;  // "%W.Pf" with the decimal separator
  // A typed edit: empty -> no change; out of range -> emptied, focused, beep.
  bool TypedReal(DataEdit which, EditState& edit, const std::string& text, bool commas, float& field,
                 const std::function<bool(double)>& valid);
  bool Digital() const { return family.rules.digitalByStd ? w.r.std == '6' : w.r.color == '3'; }
  void Switch(GroupControl control, int group);
  void Refuse(DataEdit which, EditState& edit);

  MemoryEquipment& equip;
  cv::Prompter& prompter;
  MemoryDataView& view;
  MemoryDataFamily family;
};

// The number at the start of `text` as the C library's atof / atoi read it, without the locale:
// blanks, a sign, digits, a point and its digits, an exponent. False when no digit was read.
bool LeadingNumber(const std::string& text, double& value);

}  // namespace cv::mem
