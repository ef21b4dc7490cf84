// The CORVANE-3's boot monitor, loader and plan memory, as plan and firmware scripts drive them.
#include <cstdio>

#include "ScriptCore.h"
#include "Simulator.h"

namespace cvsim {

namespace {
using State = Corvane3Profile::LoaderState;

}  // namespace

void AddCorvane3Loader(Corvane3Profile& p) {
  p.On("*BO", [&p](const std::string&) {
    p.loaderState = State::Boot;
    p.acceptsLines = false;
    return Answer::Ok();
  });
  // "*GO1FE0:0000" runs the loader just sent; "*GOFFFF:0000" restarts the main program.
  p.On("*GO", [&p](const std::string& line) {
    p.loaderState = line.rfind("*GOFFFF", 0) == 0 ? State::Starting : State::Loader;
    p.acceptsLines = false;
    return Answer::Ok();
  });
  // A line forced while XON is withheld is the resynchronisation: take it and announce
  // readiness again. Version queries answer as usual otherwise.
  p.On("*?VE", [&p](const std::string&) {
    if (!p.acceptsLines && p.loaderState != State::Starting) {
      p.acceptsLines = true;
      return Answer::Ok();
    }
    return Answer::Reply(std::string(p.versionBlank ? "*VE " : "*VE") + p.version);
  });
  // The power-on line is no command: a starting instrument wakes on it and announces itself
  // with XON; a running one lets it pass without a handshake.
  p.On("**", [&p](const std::string&) {
    if (p.loaderState == State::Starting) {
      p.loaderState = State::Main;
      p.acceptsLines = true;
    }
    return Answer::Unheard();
  });
  p.On("*HX:", [&p](const std::string& line) {
    // The script's prefix "*HX" and the file's line ":LLAAAATT...CC" run together.
    const std::string record = line.substr(4);
    cv::script::ParsedRecord r;
    if (p.checkHexChecksum && !cv::script::ParseFlashRecord(record, r)) return Answer::Nak();
    ++p.hexLines;
    // Outside the boot monitor the end record completes a firmware update: the new firmware
    // answers "*?VE" from now on. In the boot monitor the file is the loader a plan Send puts in
    // memory, and the firmware stays as it was.
    if (record.rfind("00000001", 0) == 0 && p.loaderState != State::Boot && !p.updatedVersion.empty())
      p.version = p.updatedVersion;
    return Answer::Ok();
  });
  p.On("*FE6", [&p](const std::string&) {
    p.flash.Erase();
    p.plans.clear();
    return Answer::Ok();
  });
  p.On("*FL:", [&p](const std::string& line) {
    return p.flash.Apply(line.substr(4)) ? Answer::Ok() : Answer::Nak();
  });
}

}  // namespace cvsim
