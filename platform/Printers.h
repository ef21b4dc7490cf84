#pragma once
// The platform's list of installed printers, as the tools ask it before they offer printing. The
// list is empty on a machine without a print system (and on build machines); tests set the count
// the tools see.
namespace cv {

int InstalledPrinterCount();
// >= 0: InstalledPrinterCount answers this; < 0 asks the platform again.
void SetInstalledPrinterCount(int count);

}  // namespace cv
