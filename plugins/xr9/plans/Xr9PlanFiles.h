#pragma once
// The one rule that turns plan names into ".can" file names, shared by SAVE ONE PLAN, the
// canalization script and its reader, so that every name comes back from a save and a load.
//
// A file name is the whole plan name with ".can" appended. What the script reader could not read
// back is written as '%' and two hex digits: '%' itself, a leading blank or '#', quotes, folder
// and drive separators, control bytes and bytes Windows-1252 leaves undefined, and a '.' that
// would start ".can" inside the name. Plans whose names give one file name (compared without
// regard to case) get "~2", "~3"... before the extension, which their names then keep when loaded:
// the reader leaves a "~1" of a name written elsewhere as it stands.
#include <string>
#include <vector>

#include "Xr9Plan.h"

namespace cv::xr9 {

// The file name (Windows-1252 bytes, with ".can") of a plan named `name`, alone in its store.
std::string PlanFileName(const std::string& name);
// The file name of every slot of `plans` (empty for a slot without a name), distinct among them.
std::vector<std::string> PlanFileNames(const std::vector<TPlanXR9>& plans);
// The plan name a file name gives back (folders and the extension dropped), at most 12 characters.
std::string PlanNameFromFile(const std::string& fileName);
// A Windows-1252 file name as the file system spells it, and back.
std::string FileSystemName(const std::string& name1252);
std::string NameFromFileSystem(const std::string& fsName);

}  // namespace cv::xr9
