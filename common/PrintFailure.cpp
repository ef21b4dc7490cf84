#include "PrintFailure.h"

#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Text1252.h"

namespace cv {

std::string PrintFailureText(const PrintOutput& job, PrintResult result) {
  switch (result) {
    case PrintResult::Printed:
      return {};
    case PrintResult::PrinterRefused:
      return Msg(msg::PrintPrinterRefused);
    case PrintResult::FileNotSaved:
      break;
  }
  return Format(Msg(msg::PrintFileNotSaved), To1252(job.File()));
}

}  // namespace cv
