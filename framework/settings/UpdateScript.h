#pragma once
// The check that a PRO script is a firmware update script: a line "SENDHEX" that names a ".UPD"
// file. No widget here.
#include <string>

namespace cv::settings {

// One line (without its line feed): true when it is an update line (the extension ".UPD" in any
// case); `updateFile` then gets the text from the blank after the keyword to the name's end, as
// the script writes it (" fw.upd").
bool MatchUpdateLine(const std::string& line, std::string& updateFile);
// The script's text read as the dialog reads the file: pieces of at most `piece` characters (the
// family's line buffer), each cut at its line feed; the first update line counts.
bool FindUpdateLine(const std::string& text, std::string& updateFile, size_t piece = 254);

}  // namespace cv::settings
