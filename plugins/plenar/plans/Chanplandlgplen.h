#pragma once
// The CORVANE-PLENAR channel-plan set editor: the framework's editor and channel dialogs on the
// family's plan record (64 slots, three bands, 256 channels a plan, its plan files), with Send
// checking the canalization against the options the meter reports before the script runs.
#include <memory>

#include "Chanplandlg.h"
#include "InstalledOptions.h"

namespace cv::plenar {

class TCvPlenEquip;

// The options as Send's check gets them; null when the meter did not report them.
using OptionsReader = std::function<const TInstalledOptions*(TInstalledOptions& into)>;

// Makes the editor on `equip`; `readOptions` replaces the equipment's "*?ID" query (tests).
std::unique_ptr<TChannelsPlanDlg> MakeChannelsPlanDlgPlen(QWidget* owner, TCvPlenEquip* equip,
                                                          OptionsReader readOptions = nullptr);

}  // namespace cv::plenar
