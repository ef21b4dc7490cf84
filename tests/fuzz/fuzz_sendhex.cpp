// SENDHEX files: the input is the file a script's SENDHEX statement sends record by record
// (".UPD" when its first byte is odd, which also shows the sending time). Every record that goes
// out is a whole one, within the line protocol's limit.
#include "ScriptSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  const std::string name = size > 0 && (data[0] & 1) ? "FIRM.UPD" : "update.hex";
  const std::string path = cvfuzz::WriteScratch(name, input);
  cvfuzz::ReplyLink link("");
  cvfuzz::FakeHost host;
  cvfuzz::QuietView view;
  TScriptEngine engine(&link, &host);
  engine.SetView(&view);
  FUZZ_CHECK(engine.ParseLine(("SENDHEX " + path + " *HX").c_str()) == 1);
  const bool ok = engine.ExecuteAction();
  FUZZ_CHECK(link.longest <= static_cast<size_t>(TScriptEngine::kCommandLimit));
  if (ok) {
    int records = 0;
    for (const std::string& l : cvfuzz::Lines(input)) records += !l.empty() && l[0] == ':';
    FUZZ_CHECK(link.sent == records);
  }
  return 0;
}
