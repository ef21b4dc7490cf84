#pragma once
// What the program sets on its own process before anything else runs.

namespace cv {

// A file-size limit (ulimit -f) raises a signal that ends the process by default, with every
// unsaved edit of every open tool: ignored, the write past the limit fails as any other (EFBIG)
// and the save that made it says so and keeps the old file.
void SetUpProcess();

}  // namespace cv
