// The DV-800 help page: every tool's topic has its section, and the framework's dialogs open
// this family's page through the equipment.
#include <gtest/gtest.h>

#include "Dv8Equip.h"
#include "FamilyHelpChecks.h"

using cv::dv8::TDV8Equip;

TEST(Dv8Help, EveryTopicOpensItsSectionOfTheFamilysPage) {
  ExpectFamilyHelp([](HostForm& host) { return std::unique_ptr<TCv3Equip>(TCv3Equip::Build<TDV8Equip>(&host.form, nullptr)); },
                   "DV8Tools.html", "help\\DV8Tools.hlp");
}
