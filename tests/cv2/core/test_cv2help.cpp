// The CORVANE-2 help page: every tool's topic has its section, and the framework's dialogs open
// this family's page through the equipment.
#include <gtest/gtest.h>

#include "Cv2Equip.h"
#include "FamilyHelpChecks.h"

using cv::cv2::TCv2Equip;

TEST(Cv2Help, EveryTopicOpensItsSectionOfTheFamilysPage) {
  ExpectFamilyHelp([](HostForm& host) { return std::unique_ptr<TCv3Equip>(TCv3Equip::Build<TCv2Equip>(&host.form, nullptr)); },
                   "Cv2Tools.html", "help\\Cv2Tools.hlp");
}
