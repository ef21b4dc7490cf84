#include "PlenarProfile.h"

#include "OptionsReport.h"

namespace cvsim {

PlenarProfile::PlenarProfile(std::string model, std::string version)
    : Corvane4Profile(std::move(model), std::move(version)) {
  flash.maxPlans = 64;
  flash.dabBandCode = 8;
  AddOptionsReport(*this, optionWord, idSilent);
  StoredPlan dab;
  dab.name = "DAB";
  dab.band = 'D';
  dab.code = 3;
  // 174.928 and 223.936 MHz as the instrument stores them: the word truncated, twice.
  dab.channels = {{"  5A", 4276, 4276, {"ME8"}}, {" 12D", 5256, 5256, {}}};
  plans[2] = dab;
  AddPlenarSettings();
  AddIdentifierCommands();
  AddMemories();
  AddQuickSweep();
  AddDab();
  auto planQuery = HandlerOf("*?JI");
  On("*?JI", [this, planQuery](const std::string& line) {
    if (plansAbsent && line.size() == 6) return Answer::Reply("*JI!!");
    return planQuery(line);
  });
}

void PlenarProfile::StoreFullPlanSet() {
  for (int p = 0; p < 64; ++p) {
    StoredPlan plan;
    plan.name = "P" + std::to_string(p);
    plan.band = "TSD"[p % 3];
    plan.code = static_cast<unsigned>(p + 1);
    if (plan.band == 'S') {
      plan.lnbTenths = 97500;
      plan.channels = {{"S1", 0x0C80, 0, {"UN1", "", ""}}};
    } else if (plan.band == 'D') {
      plan.channels = {{"5A", 4276, 4276, {"ME8"}}};
    } else {
      plan.channels = {{"E21", 0x2533, 0x2553, {}}};
    }
    plans[p] = plan;
  }
}

}  // namespace cvsim
