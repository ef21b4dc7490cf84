// The PRO script engine over a script, with the instrument's replies taken from the input: the
// script comes first, then a line "%%" and one reply line per exchange ("!" fails it). Every
// statement runs against the fake line; no port, no real wait.
#include "ScriptSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto [script, replies] = cvfuzz::SplitAtLine(cvfuzz::Text(data, size), "%%");
  const std::string path = cvfuzz::WriteScratch("FUZZ.PRO", script);
  cvfuzz::ReplyLink link(replies);
  cvfuzz::FakeHost host;
  cvfuzz::QuietView view;
  TScriptEngine engine(&link, &host);
  engine.RunScript(path, &view);
  return 0;
}
