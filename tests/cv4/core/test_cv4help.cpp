// The CORVANE-4 help page: every tool's topic has its section, and the framework's dialogs open
// this family's page through the equipment.
#include <gtest/gtest.h>

#include "Cv4Equip.h"
#include "FamilyHelpChecks.h"

using cv::cv4::TCv4Equip;

TEST(Cv4Help, EveryTopicOpensItsSectionOfTheFamilysPage) {
  ExpectFamilyHelp([](HostForm& host) { return std::unique_ptr<TCv3Equip>(TCv3Equip::Build<TCv4Equip>(&host.form, nullptr)); },
                   "Cv4Tools.html", "help\\Cv4Tools.hlp");
}
