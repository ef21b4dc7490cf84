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
#include <cstdint>
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

 private:
  void AddPlenarSettings();
  void AddIdentifierCommands();
  std::map<std::string, int> polls_;  // polls of each query since the last tuning
};

}  // namespace cvsim
