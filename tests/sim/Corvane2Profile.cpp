#include "Corvane2Profile.h"

#include "OptionsReport.h"

namespace cvsim {

Corvane2Profile::Corvane2Profile(std::string model, std::string version)
    : Dv8Profile(std::move(model), std::move(version)) {
  satelliteTuner = true;
  AddOptionsReport(*this, optionWord, idSilent);
  AddCorvane2Settings();
  AddCv2Memories();
  AddCorvane2Spectrum(*this);
}

}  // namespace cvsim
