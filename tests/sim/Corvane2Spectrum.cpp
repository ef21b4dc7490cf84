// What the CORVANE-2's spectrum analyser and monitor meet besides the DV-800's commands: carriers
// on both sides of the gap between the bands and the seven measure modes of a meter without BER
// QAM.
#include "Corvane2Profile.h"

namespace cvsim {

void AddCorvane2Spectrum(Corvane2Profile& p) {
  // A terrestrial carrier close under 862 MHz and a satellite one just above 900 MHz, so a sweep
  // across the gap shows a peak on each side, and the satellite carriers of the default span.
  p.carriers = {{175.25, 60.0, 3.0}, {471.25, 72.0, 3.0},  {607.25, 65.0, 3.0},   {861.0, 66.0, 2.0},
                {903.0, 64.0, 3.0},  {1175.0, 70.0, 3.0}, {1190.0, 66.0, 3.0}, {1200.0, 75.0, 15.0},
                {1750.0, 62.0, 15.0}};
  // "*ME5" (BER QAM) is no mode of this meter; "*?LV" gives BER words in modes 4 and 6.
  p.On("*ME", [measure = p.HandlerOf("*ME")](const std::string& line) {
    if (line == "*ME5") return Answer::Nak();
    return measure(line);
  });
}

}  // namespace cvsim
