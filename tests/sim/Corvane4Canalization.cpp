// The CORVANE-4's answers to the canalization scripts that its loader's own handlers leave out:
// the plan memory cleared by command, the transfer optimisation's tuning, and the loader's
// refusal of a measurement, which tells a sent script where the meter stands.
#include "Corvane4Profile.h"

namespace cvsim {

void AddCorvane4Canalization(Corvane4Profile& p) {
  using State = Corvane3Profile::LoaderState;
  // A firmware above 1.95 clears its plan memory without its loader.
  p.On("*CC", [&p](const std::string& line) {
    if (line != "*CC") return Answer::Nak();
    p.flash.Erase();
    p.plans.clear();
    return Answer::Ok();
  });
  // The sent script tunes its fixed word with upper-case digits, which the meter takes as well.
  p.On("*FRT363B", [&p](const std::string& line) {
    if (line != "*FRT363B") return Answer::Nak();
    p.tunedMHz = 0x363B / 20.0 - 38.9;
    p.lastTuning = line;
    ++p.tuneCount;
    return Answer::Ok();
  });
  // The boot monitor and the loader measure nothing: the level query is refused there.
  p.On("*?LV", [&p](const std::string&) {
    if (p.loaderState == State::Boot || p.loaderState == State::Loader) return Answer::Nak();
    return Answer::Reply(p.LevelReply());
  });
}

}  // namespace cvsim
