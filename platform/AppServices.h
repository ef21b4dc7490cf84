#pragma once
// Application services the tools use: the terminating flag that every long wait polls.
// The flag lives on the application object, so the host and every plug-in see the same value
// (each deliverable carries its own copy of this code).
namespace cv {

bool AppTerminating();
void SetAppTerminating(bool terminating);

}  // namespace cv
