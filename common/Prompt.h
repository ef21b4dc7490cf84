#pragma once
// Message boxes whose texts are Windows-1252 bytes (message-table, instrument and file texts),
// through the one prompter of the application (platform/AppServices.h).
#include <functional>
#include <string>

#include "AppServices.h"

namespace cv {

void ShowBox(Prompter& prompter, const std::string& text, const std::string& caption, MsgIcon icon);
bool AskBoxYesNo(Prompter& prompter, const std::string& text, const std::string& caption, MsgIcon icon);
MsgAnswer AskBoxYesNoCancel(Prompter& prompter, const std::string& text, const std::string& caption,
                            MsgIcon icon);

// The editors' question before their unsaved changes would go (information icon, Yes, No and
// Cancel). True to go on: No, or Yes when `save` completed; going on after a save that did not
// complete would lose the changes. Cancel stops.
bool AskToSaveChanges(Prompter& prompter, const std::string& text, const std::string& caption,
                      const std::function<bool()>& save);

}  // namespace cv
