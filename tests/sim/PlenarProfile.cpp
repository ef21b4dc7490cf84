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
  dab.channels = {{"5A", 4276, 4276, {"ME8"}}, {"12D", 5256, 5256, {}}};
  plans[2] = dab;
  AddPlenarSettings();
  AddIdentifierCommands();
}

}  // namespace cvsim
