#include "Dv8Profile.h"

namespace cvsim {

Dv8Profile::Dv8Profile(std::string model, std::string version)
    : Corvane4Profile(std::move(model), std::move(version)) {
  Remove("*?ID");
  // Plan scripts drive the CORVANE-3's boot monitor and loader ("*BO", "*HX" lines, "*GO1FE0",
  // "*FE6", the power-on lines) and its plan memory at segment 0x8000 (DIRECTORY3's).
  AddCorvane3Loader(*this);
  Remove("*FE2");
  Remove("*CC");
  Remove("*FRT363B");
  flash.planSegment = 0x8000;
  On("*FR", [tune = HandlerOf("*FR")](const std::string& line) {
    if (line.size() > 3 && line[3] != 'T') return Answer::Nak();
    return tune(line);
  });
  AddDv8Memories();
}

}  // namespace cvsim
