#pragma once
// The simulated CORVANE-4 on COM1, the family's equipment object on it with the port open as the
// launchers leave it, the host's log memo and a recording prompter.
#include "Cv4Equip.h"
#include "Cv4Sim.h"
#include "FamilySettingsSim.h"

using Cv4SettingsSim = FamilySettingsSim<Cv4Sim, cv::cv4::TCv4Equip>;
