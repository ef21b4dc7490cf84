#pragma once
// The CORVANE-2 channel-plan editor: the framework's editor and channel dialogs on the family's
// plan record, with Send checking the canalization against the options the meter reports.
#include <memory>

#include "Chanplandlg.h"
#include "Cv2PlanFamily.h"

class QWidget;

namespace cv::cv2 {

class TCv2Equip;

// The editor on `equip`, its Send checking against the meter's "*?ID" (`readOptions` replaces
// the query in tests).
std::unique_ptr<TChannelsPlanDlg> MakeChannelsPlanDlg2(QWidget* owner, TCv2Equip* equip,
                                                       OptionsReader readOptions = nullptr);

}  // namespace cv::cv2
