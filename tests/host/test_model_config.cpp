// CvTools.cfg reading, the baud table and the identity parser.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "ModelConfig.h"

namespace {

std::vector<int32_t> Bauds(const TModelConfig& c) { return {std::begin(c.baudTable), std::end(c.baudTable)}; }

std::string Record(const std::string& model, const std::string& option) {
  return "[" + model + "]\nCv3Tools\n1\n" + option + "\n";
}

}  // namespace

TEST(ModelConfig, ReadsRecordsAndIgnoresOtherLines) {
  TModelConfig c;
  std::string error;
  ASSERT_TRUE(c.ReadConfigText("; comment\r\n[Corvane3]\r\nCv3Tools\r\n12\r\n\r\n[XR9]\nXR9Tools\n40\n[DV8]\ndv8tools\n7\nBAUDRATE = 9600\n",
                               "CvTools.cfg", error))
      << error;
  EXPECT_EQ(c.models, (std::vector<std::string>{"[CORVANE3]", "[XR9]", "[DV8]"}));
  EXPECT_EQ(c.libraries, (std::vector<std::string>{"CV3TOOLS", "XR9TOOLS", "DV8TOOLS"}));
  EXPECT_EQ(c.codes, (std::vector<std::string>{"12", "40", "7"}));
  EXPECT_EQ(c.options, (std::vector<std::string>{"BAUDRATE=9600"}));
  EXPECT_EQ(Bauds(c), (std::vector<int32_t>{19200, 9600, 0, 0, 0}));
}

TEST(ModelConfig, BaudTableFromOptionLines) {
  struct Row {
    const char* name;
    std::vector<std::string> options;
    std::vector<int32_t> bauds;
  } rows[] = {
      {"19200 first and not repeated, others in sorted order",
       {"BAUDRATE=9600", "BAUDRATE=19200", "BAUDRATE=38400"}, {19200, 38400, 9600, 0, 0}},
      {"only four extra rates",
       {"BAUDRATE=9600", "BAUDRATE=4800", "BAUDRATE=57600", "BAUDRATE=2400", "BAUDRATE=1200"},
       {19200, 1200, 2400, 4800, 57600}},
      {"a blank option line sorts first and ends the examination",
       {"BAUDRATE=9600", "   "}, {19200, 0, 0, 0, 0}},
      {"lower case, blanks inside, duplicates",
       {"baudrate = 38400", "BAUDRATE=38400", "SPEED=1"}, {19200, 38400, 0, 0, 0}},
      {"nothing readable, zero or negative is no rate",
       {"BAUDRATE=", "BAUDRATE=0", "BAUDRATE=-5", "XBAUDRATE=4800"}, {19200, 0, 0, 0, 0}},
      {"other options are skipped", {"LANG=ES", "BAUDRATE=115200"}, {19200, 115200, 0, 0, 0}},
  };
  for (const Row& r : rows) {
    std::string text;
    for (size_t i = 0; i < r.options.size(); ++i) text += Record("M" + std::to_string(i), r.options[i]);
    TModelConfig c;
    std::string error;
    ASSERT_TRUE(c.ReadConfigText(text, "CvTools.cfg", error)) << r.name;
    EXPECT_EQ(Bauds(c), r.bauds) << r.name;
  }
}

TEST(ModelConfig, ARecordCutShortOrAMissingFileIsAnErrorThatEmptiesTheLists) {
  TModelConfig c;
  std::string error;
  ASSERT_TRUE(c.ReadConfigText(Record("A", "BAUDRATE=9600"), "CvTools.cfg", error));
  EXPECT_FALSE(c.ReadConfigText("[A]\nCv3Tools\n1\n[B]\nOnlyLibrary\n", "CvTools.cfg", error));
  EXPECT_EQ(error, "CvTools.cfg, line 4: the record [B] lacks its library name or its model code");
  EXPECT_TRUE(c.models.empty());
  EXPECT_EQ(Bauds(c), (std::vector<int32_t>{19200, 0, 0, 0, 0}));

  QTemporaryDir dir;
  std::string missing = dir.filePath("CvTools.cfg").toStdString();
  EXPECT_FALSE(c.ReadConfigFile(missing, error));
  EXPECT_EQ(error, "Unable to read the configuration file " + missing);
  std::ofstream(missing) << Record("CORVANE3", "");
  EXPECT_TRUE(c.ReadConfigFile(missing, error));
  EXPECT_EQ(c.models.size(), 1u);
}

TEST(ModelConfig, FindModelIgnoresCaseAndTakesTheFirstRecord) {
  TModelConfig c;
  std::string error;
  ASSERT_TRUE(c.ReadConfigText("[Corvane3]\nCv3Tools\n 12 \n[CORVANE3]\nOther\n13\n[BAD]\nX\nabc\n[NEG]\nY\n-1\n",
                               "CvTools.cfg", error));
  std::string library;
  int32_t code = -1;
  EXPECT_EQ(c.FindModel("corvane3", library, code), TModelConfig::Lookup::Found);
  EXPECT_EQ(library, "CV3TOOLS");
  EXPECT_EQ(code, 12);
  EXPECT_EQ(c.FindModel("BAD", library, code), TModelConfig::Lookup::BadCode);
  EXPECT_EQ(c.FindModel("NEG", library, code), TModelConfig::Lookup::Found);
  EXPECT_EQ(code, -1);
  EXPECT_EQ(c.FindModel("CORVANE", library, code), TModelConfig::Lookup::Missing);
}

TEST(Identity, BuiltFromTheVersionAndNameReplies) {
  EXPECT_EQ(BuildIdentity("*VE 2.10", true, "*NA CORVANE 3"), "*NACORVANE3 v2.10");
  EXPECT_EQ(BuildIdentity("*VE2.10", true, "*NA CORVANE 3"), "*NACORVANE3 v2.10");
  EXPECT_EQ(BuildIdentity("*VE 2.10", false, ""), "*VE 2.10");
  EXPECT_EQ(BuildIdentity("*V", true, "*NAX"), "*NAX v");
}

TEST(Identity, ParsesModelAndVersionWithoutReadingPastTheText) {
  struct Row {
    std::string identity;
    bool ok;
    std::string model;
    float version;
  } rows[] = {
      {"*NACORVANE3 v2.10", true, "CORVANE3", 2.1f},
      {"junk*nacorvane3 V1.5", true, "CORVANE3", 1.5f},
      {"*VE 2.10", false, "", 0},                      // blank after the command letters: no name
      {"CORVANE3 v2.10", false, "", 0},                // no star
      {"*", false, "", 0},                             // nothing after the star
      {"*NA", false, "", 0},
      {"*NAX", true, "X", 0.0f},                       // no version at all
      {"*NAX vX.", true, "X", 0.0f},                   // a V with no digit after it
      {"*NAABC\rDEF v3", true, "ABC", 3.0f},
      {"*NA" + std::string(40, 'M') + " v1", true, std::string(31, 'M'), 1.0f},  // name cut at 31
  };
  for (const Row& r : rows) {
    std::string model = "unchanged";
    float version = -1;
    ASSERT_EQ(ParseIdentityText(r.identity, model, version), r.ok) << r.identity;
    if (!r.ok) continue;
    EXPECT_EQ(model, r.model) << r.identity;
    EXPECT_FLOAT_EQ(version, r.version) << r.identity;
  }
}
