#pragma once
// Message boxes whose texts are Windows-1252 bytes (message-table, instrument and file texts),
// through the one prompter of the application (platform/AppServices.h).
#include <string>

#include "AppServices.h"

namespace cv {

void ShowBox(Prompter& prompter, const std::string& text, const std::string& caption, MsgIcon icon);
bool AskBoxYesNo(Prompter& prompter, const std::string& text, const std::string& caption, MsgIcon icon);
MsgAnswer AskBoxYesNoCancel(Prompter& prompter, const std::string& text, const std::string& caption,
                            MsgIcon icon);

}  // namespace cv
