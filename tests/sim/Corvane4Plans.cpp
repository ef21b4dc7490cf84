// The CORVANE-4 plan memory and loader as canalization scripts drive them: the plan directory at
// segment 0x2000, the loader started at F7E0, the channel sector erased with "*FE2", and the
// plan set stored at delivery.
#include "Corvane4Profile.h"

namespace cvsim {

namespace {

using State = Corvane3Profile::LoaderState;

constexpr uint16_t kPlanSegment = 0x2000;

}  // namespace

void AddCorvane4PlanMemory(Corvane4Profile& p) {
  p.flash.planSegment = kPlanSegment;
  p.StoreDeliveryPlans();
  // "*GOF7E0:0000" runs the loader, "*GOFFFF:0000" restarts the main program; the CORVANE-3's
  // loader address is no program here.
  p.On("*GO", [&p](const std::string& line) {
    if (line.rfind("*GOF7E0:", 0) == 0) {
      p.loaderState = State::Loader;
    } else if (line.rfind("*GOFFFF:", 0) == 0) {
      p.loaderState = State::Starting;
    } else {
      return Answer::Nak();
    }
    p.acceptsLines = false;
    return Answer::Ok();
  });
  p.Remove("*FE6");
  p.On("*FE2", [&p](const std::string&) {
    p.flash.Erase();
    p.plans.clear();
    return Answer::Ok();
  });
}

}  // namespace cvsim
