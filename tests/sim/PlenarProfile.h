#pragma once
// The CORVANE-PLENAR meter: the CORVANE-4 meter with a third band and its options report.
//  - "*?NA" answers "*NA CORVANE-PLENAR"; "*?VE" answers "*VE 2.22".
//  - "*?ID" answers "*ID", three characters the program does not read, and the option word as
//    eight upper-case hexadecimal digits (optionWord; every option by default); idSilent leaves
//    it unanswered.
//  - Plan memory takes 64 plans; a header of band number 8 is a DAB plan ('D' in "*?JI"), whose
//    channels (CHAND's records: the word twice) read back like the others. At delivery it holds
//    the CORVANE-4's terrestrial and satellite plans and, as plan 2, a DAB plan.
//  - StoreFullPlanSet() fills all 64 plans (every third a DAB plan); plansAbsent (a fault)
//    answers every "*?JI" with "*JI!!", as a meter holding no plan.
//  - Whatever the program writes without the line protocol (no handshake, no CR) is in the
//    traffic like every other byte.
//  - Configuration (PlenarSettings.cpp): the CORVANE-4's register map with the model text split
//    in two ("CORVANE-" at 0x1F10, "PLENAR" at 0x1F60) and 21 board blocks descending from
//    0x1EE4 (the CORVANE-4's sixteen, QAM and COFDM constellations, RDS, video effects, DAB),
//    the DAB board fitted beside the CORVANE-4's. FitEveryBoard fills every block and the CA text.
//  - A good update makes "*?VE" report 2.30.
//  - Data logger: StoreLoggerTypes stores memories 1 to 16 with the sixteen measurement type
//    characters '0'..'F' (every one selected, no other memory), with values of each type's
//    coding: mantissa and exponent for '4', '5', '6', '8', '9' and 'E', whole percentages for
//    'C', tenths for the rest.
//  - The channel identifier's commands (PlenarIdentifier.cpp), answered by the signal on the
//    tuned channel (`signal`, or a scenario by name: SetScenario, cvsim --scenario): the
//    teletext, RDS and MPEG-2 lock queries answer "not yet" for the first pollsBeforeAnswer polls
//    of each after every "*?FR" and "*FR"; "*?LN" gives the level `levels` holds for the tuned
//    frequency; `refusedLookup` makes one of "*?SC", "*?JI", "*?CH", "*?CI" answer "!!". "*SY"
//    takes any code, which "*?SY" then gives back.
//  - Memories (PlenarMemories.cpp): 99 memories kept as XSR records of 45 characters, covering
//    the sixteen measure codes ('0'..'9', 'A'..'F') on the bands they measure; "*?XSR%02X"
//    answers a record (unansweredFor and shortReplyFor as the CORVANE-4's), "*XSR" stores one
//    of exactly 45 characters (refusedMemory refused). "*SR" is refused; "*?SR" serves the data logger.
//  - Quick sweep (PlenarQuickSweep.cpp): see QuickSweep below.
//  - DAB (PlenarMpeg.cpp), beside the CORVANE-4's MPEG-2 decoder: "*?I21DA20005" answers "*I2" and
//    the five status bytes at registers[kDabStatus] (lock 01 or 00, SNR and QUAL words),
//    "*?I21DA30002" the capture counter's two bytes at kDabCapture (SetDab sets them all);
//    "*I21DA18" + text selects the audio (dabAudio); the line tests "*RC01" and "*RC05", written
//    raw, are recorded in rawLines and answered with nothing at all.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Corvane4Profile.h"

namespace cvsim {

class PlenarProfile : public Corvane4Profile {
 public:
  explicit PlenarProfile(std::string model = "CORVANE-PLENAR", std::string version = "2.22");

  // Every option the reply can carry: bits 24 to 16, 8 to 4 and 2 to 0.
  static constexpr uint32_t kAllOptions = 0x01FF01F7;
  uint32_t optionWord = kAllOptions;
  bool idSilent = false;

  static constexpr int kPlenarBoards = 21;
  static constexpr const char* kMeasureTypes = "0123456789ABCDEF";
  void FitEveryBoard();
  void StoreLoggerTypes();

  // What the tuned channel carries, as the channel identifier finds it.
  enum class Signal { Nothing, TerrestrialAnalog, SatelliteAnalog, SatelliteDigital, Cofdm, Qam, Rds };
  Signal signal = Signal::Nothing;
  int pollsBeforeAnswer = 0;
  std::string refusedLookup;
  // Raw "*?LN" levels (tenths) by tuned MHz (within 0.05 MHz); 100 elsewhere.
  std::vector<std::pair<double, int>> levels;
  std::string teletextHeader = "100 CVTV 1  Thu 10 Dec  13:45:07";
  std::string pdcId = "1A2B";
  std::string pdcText = "EVENING NEWS";
  std::string rdsPi = "D3C1";
  std::string rdsPs = "CV RADIO";
  std::string network = "CVNET TERRESTRIAL";
  std::string providerField = "CVPRO";  // the field "*?SL00" skips, its length at 9-10
  std::string provider = "CV BROADCAST SERVICES";
  // The scenarios a person can pick (cvsim --scenario NAME): name and what it plays.
  static const std::vector<std::pair<std::string, std::string>>& Scenarios();
  bool SetScenario(const std::string& name);

  bool plansAbsent = false;
  void StoreFullPlanSet();

  // The option word's bits of the options a memory needs.
  static constexpr uint32_t kDabOption = 1u << 24, kCofdmOption = 1u << 18, kQamOption = 1u << 17,
                            kQpskOption = 1u << 16, kBelow45Option = 1u << 2, kTerOption = 1u << 1,
                            kSatOption = 1u << 0;

  // Memory n's record at delivery: measure code "0123456789ABCDEF"[(n - 1) % 16].
  static std::string XsrRecord(int n);
  std::array<std::string, 99> xsrMemories;

  // The instrument's own sweep: "*SP1" enters it (refused with sp1Refused), "*?SPA" answers
  // "*SPA" and spaMode, "*SPA6" sets the mode to '6', "*?SPR" answers "*SPR" and refItem,
  // "*SPY1" starts it, "*?FR" answers "*FR", band and "0000", "*?SPH" answers "*SPH" and the header
  // words (startWord, stepCode, points, factor, offset as 4, 2, 4, 4, 4 upper-case hexadecimal
  // digits), "*?SPS<b>" answers "*SPS" + b's digit and then two hexadecimal digits per point of
  // block b (120 points a block) from Raw(). Faults: headerSilent, frSilent, missingBlock (that
  // block unanswered), shortBlock (that block one point short).
  struct QuickSweep {
    bool sp1Refused = false;
    char spaMode = '9';
    char refItem = '7';
    char band = 0;  // "*?FR"'s band letter; 0: the band last tuned
    unsigned startWord = 0x0A00, stepCode = 0x14, points = 101;
    int factor = 100, offset = 0;
    bool headerSilent = false, frSilent = false;
    int missingBlock = -1, shortBlock = -1;
    int sps = 0;  // "*?SPS" queries answered
  } quick;
  // The raw level of point i: a carrier every 10 points over a floor.
  static unsigned Raw(unsigned i) { return i % 10 == 5 ? 0xC8 : 0x32 + i % 7; }

 static constexpr unsigned kDabStatus = 0x1DA20, kDabCapture = 0x1DA30;
  void SetDab(bool locked, unsigned snr, unsigned qual, unsigned capture);
  std::string dabAudio;  // the last "*I21DA18" selection
  int dabAudioSelections = 0;

 private:
  void AddPlenarSettings();
  void AddIdentifierCommands();
  void AddMemories();
  void AddQuickSweep();
  void AddDab();
  std::map<std::string, int> polls_;  // polls of each query since the last tuning
};

}  // namespace cvsim
