#include "Dv8Profile.h"

namespace cvsim {

Dv8Profile::Dv8Profile(std::string model, std::string version)
    : Corvane4Profile(std::move(model), std::move(version)) {
  Remove("*?ID");
  On("*FR", [tune = HandlerOf("*FR")](const std::string& line) {
    if (line.size() > 3 && line[3] != 'T') return Answer::Nak();
    return tune(line);
  });
  AddDv8Memories();
}

}  // namespace cvsim
