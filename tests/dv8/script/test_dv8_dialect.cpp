// The DV-800 dialect's table: the framework's 33 keywords, codes, token counts and executors,
// with IFVER2 at code 17, and its two values of its own.
#include <gtest/gtest.h>

#include "Dv8Dialect.h"
#include "Dv8Equip.h"
#include "HostForm.h"

TEST(Dv8Dialect, TheFrameworkTableWithIfver2) {
  const ScriptDialect& d = cv::dv8::Dialect();
  const ScriptDialect& framework = cv::script::Corvane3Dialect();
  ASSERT_EQ(d.keywords.size(), 33u);
  for (size_t i = 0; i < d.keywords.size(); ++i) {
    SCOPED_TRACE(framework.keywords[i].keyword);
    EXPECT_EQ(d.keywords[i].keyword, i == 16 ? "IFVER2" : framework.keywords[i].keyword);
    EXPECT_EQ(d.keywords[i].tokens, framework.keywords[i].tokens);
    EXPECT_EQ(d.keywords[i].execute, framework.keywords[i].execute);
  }
  EXPECT_EQ(d.IndexOf("IFVER2") + 1, 17);
  EXPECT_EQ(d.IndexOf("IFVER3"), -1);
  EXPECT_EQ(d.versionMark, ' ');
  EXPECT_TRUE(d.plainIntermediate);
  EXPECT_FALSE(framework.plainIntermediate);
  EXPECT_EQ(d.segmentRecord, framework.segmentRecord);
  EXPECT_EQ(d.planCap, 32);

  // The equipment object runs its scripts in this dialect.
  HostForm host;
  std::unique_ptr<cv::dv8::TDV8Equip> e(TCv3Equip::Build<cv::dv8::TDV8Equip>(&host.form, nullptr));
  EXPECT_EQ(&e->Dialect(), &d);
}
