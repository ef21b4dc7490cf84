#include "ProcessSetup.h"

#include <signal.h>

namespace cv {

void SetUpProcess() { ::signal(SIGXFSZ, SIG_IGN); }

}  // namespace cv
