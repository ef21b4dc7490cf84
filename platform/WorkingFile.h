#pragma once
// Where a tool's working file goes (a generated script before it is saved or sent, a plan image
// before it is copied or uploaded): under its own name in the working directory, where it is left
// for the technician, when that folder takes it; otherwise, such as a plan opened from a
// write-protected stick, under the same name in a folder private to this process, removed when
// the program ends. Either way the tool goes on with the same content.
#include <string>

namespace cv {

// The path to write `name` at; nothing is written or left behind by the asking.
std::string WorkingFilePath(const std::string& name);

}  // namespace cv
