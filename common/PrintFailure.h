#pragma once
// What a tool's box says when its print job failed (platform/PrintOutput.h), Windows-1252 bytes.
#include <string>

#include "PrintOutput.h"

namespace cv {

// Empty when the job printed.
std::string PrintFailureText(const PrintOutput& job, PrintResult result);

}  // namespace cv
