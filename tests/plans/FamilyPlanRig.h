#pragma once
// The plan editor's controller on another family's plan record, over the framework tests'
// recording fakes that read scripts in the family's dialect, in a temporary directory of its own;
// with the golden-file and channel helpers the families' plan tests share.
#include <fstream>
#include <sstream>

#include "ChannelListEditor.h"
#include "PlanFakes.h"
#include "ScriptDialect.h"

namespace plantest {

// The recording instrument, reading script lines in a family's dialect under its model name.
class DialectEquipment : public FakeEquipment {
 public:
  DialectEquipment(const ScriptDialect& (*dialect)(), std::string model) : dialect(dialect), model(std::move(model)) {}
  int ParseLine(const std::string& l, int& k, std::vector<std::string>& a) override {
    return ParseDialectLine(dialect(), l, k, a);
  }
  std::string ModelName() const override { return model; }

 private:
  const ScriptDialect& (*dialect)();
  std::string model;
};

struct FamilyEditorRig {
  FamilyEditorRig(const ScriptDialect& (*dialect)(), std::string model, const PlanFamily& family)
      : old(QDir::currentPath()), equip(dialect, std::move(model)), editor{equip, prompter, chooser, view, family} {
    QDir::setCurrent(dir.path());
  }
  ~FamilyEditorRig() { QDir::setCurrent(old); }
  std::string Path(const std::string& name) const { return (dir.path() + "/").toStdString() + name; }
  QTemporaryDir dir;
  QString old;
  DialectEquipment equip;
  RecordingPrompter prompter;
  ScriptedChooser chooser;
  NullView view;
  PlanEditor editor;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text equals the golden file `path` (CV_WRITE_GOLDENS=1 writes it again).
inline void ExpectGoldenFile(const std::string& text, const std::string& path) {
  if (std::getenv("CV_WRITE_GOLDENS")) std::ofstream(path, std::ios::binary) << text;
  EXPECT_EQ(text, ReadAll(path)) << path;
}

inline TChan3 Channel(const char* name, float mhz, int bw, char band, const char* c1 = "", const char* c2 = "",
                      const char* c3 = "") {
  return TChan3::FromFrequency(name, mhz, bw, band, c1, c2, c3);
}

// Plan P1 with one channel: "  S1" at an IF of 1500 MHz, or "  T1" at 471.25 MHz, 8 MHz wide.
inline PlanSlot OneChannelPlan(char band, float lnb) {
  PlanSlot plan = MakePlan("P1", band, 0, 0, lnb);
  plan.Channels() = {band == 'S' ? Channel("  S1", 1500.0f, 0, 'S') : Channel("  T1", 471.25f, 8, 'T')};
  plan.channelCount = 1;
  return plan;
}

// A frequency typed over the one channel of OneChannelPlan(band, lnb), and what follows.
struct TypedFrequency {
  char band;
  float lnb;
  const char* typed;
  ChannelListEditor::Exit result;
  float stored;       // the channel's frequency afterwards (satellite: IF)
  const char* shown;  // its list line
};

// Each case on a fresh channel list of the family; a changed channel is a new record whose PLL
// word follows the frequency.
template <size_t N>
void ExpectTypedFrequencies(const PlanFamily& family, const TypedFrequency (&cases)[N]) {
  for (const TypedFrequency& c : cases) {
    SCOPED_TRACE(std::string(1, c.band) + " " + std::to_string(c.lnb) + " " + c.typed);
    ChannelListEditor editor(OneChannelPlan(c.band, c.lnb), family);
    editor.Select(0);
    EXPECT_EQ(editor.ReadFrequency(c.typed), c.result);
    ASSERT_EQ(editor.Count(), 1);
    EXPECT_FLOAT_EQ(editor.Channels()[0].frequency, c.stored);
    EXPECT_EQ(editor.ListLine(0), c.shown);
    EXPECT_EQ(editor.Selected(), 0);
    if (c.result == ChannelListEditor::Exit::Changed) {
      EXPECT_EQ(editor.Channels()[0].word, Channel("x", c.stored, 8, c.band).word);
    }
  }
}

}  // namespace plantest
