// The CORVANE-4 plan memory and loader as canalization scripts drive them: the plan directory at
// segment 0x2000, the loader started at F7E0, the channel sector erased with "*FE2", and a plan
// set stored at delivery.
#include "Corvane4Profile.h"
#include "ScriptCore.h"

namespace cvsim {

namespace {

using State = Corvane3Profile::LoaderState;
using cv::script::PushWord;

constexpr uint16_t kPlanSegment = 0x2000;

// Writes `data` at `address` as the instrument's own loader would, through the same records.
void Put(FlashImage& flash, uint16_t address, const std::vector<uint8_t>& data) {
  flash.Apply(cv::script::FlashRecord("", address, data));
}

std::vector<uint8_t> Channel(const char* name, unsigned word, unsigned word2) {
  std::vector<uint8_t> data = cv::script::ChannelName4(name);
  PushWord(data, static_cast<float>(word));
  PushWord(data, static_cast<float>(word2));
  data.insert(data.end(), {0xFF, 0xFF});  // no command
  return data;
}

// Two plans: a terrestrial one, and a satellite one whose first channel decodes to 880 MHz, a
// CORVANE-3 frequency below this family's satellite band.
void StoreDeliveryPlans(FlashImage& flash) {
  flash.Apply("020000022000DC");
  Put(flash, 0x0000, cv::script::DirectoryData("CANALITZACI", 2, 32));
  std::vector<uint8_t> headers = cv::script::PlanHeaderData("        ", "TDT", 0x0400, 1, 7, 0.0f, 1);
  headers.insert(headers.end(), {0xFF, 0xFF});
  const std::vector<uint8_t> sat = cv::script::PlanHeaderData("        ", "ASTRA", 0x0500, 2, 5, 97500.0f, 2);
  headers.insert(headers.end(), sat.begin(), sat.end());
  headers.insert(headers.end(), {0xFF, 0xFF});
  Put(flash, 0x0010, headers);
  Put(flash, 0x0400, Channel("21", 10203, 10258));
  std::vector<uint8_t> channels = Channel("880", 10876, 10876);
  const std::vector<uint8_t> second = Channel("1200", 13436, 13436);
  channels.insert(channels.end(), second.begin(), second.end());
  Put(flash, 0x0500, channels);
  flash.recordsWritten = 0;
}

}  // namespace

void AddCorvane4PlanMemory(Corvane4Profile& p) {
  p.flash.planSegment = kPlanSegment;
  StoreDeliveryPlans(p.flash);
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
