#pragma once
// Saving a whole file so that a failed or interrupted save never replaces the good one: the bytes
// go to a new file beside the target, which is written out, synced and closed, each step checked,
// and only then renamed over the target. A short write (a full disk, a file-size limit) fails the
// save; the buffered writers of the toolkit report some of those as success.
#include <string>

namespace cv {

enum class SaveResult { Saved, NotCreated, NotWritten };

// NotCreated: the new file could not be made (no such directory, no permission, a directory of
// that name, a target this process may not write); NotWritten: it could not be written whole.
// Either way the target is untouched, no temporary file is left, and *error (when given) says
// why. A link is followed: the file it leads to is replaced and keeps its permissions.
SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr);

}  // namespace cv
