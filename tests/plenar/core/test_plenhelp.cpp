// The CORVANE-PLENAR help page: every tool's topic has its section, and the framework's dialogs
// open this family's page through the equipment.
#include <gtest/gtest.h>

#include "FamilyHelpChecks.h"
#include "PlenEquip.h"

using cv::plenar::TCvPlenEquip;

TEST(PlenHelp, EveryTopicOpensItsSectionOfTheFamilysPage) {
  ExpectFamilyHelp(
      [](HostForm& host) { return std::unique_ptr<TCv3Equip>(TCv3Equip::Build<TCvPlenEquip>(&host.form, nullptr)); },
      "CvPlenar.html", "help\\CvPlenar.hlp");
}
