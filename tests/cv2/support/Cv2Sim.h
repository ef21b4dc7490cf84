#pragma once
// A simulated CORVANE-2 meter on COM1 at 19200 baud (see SimOnCom1.h).
#include "Corvane2Profile.h"
#include "SimOnCom1.h"

using Cv2Sim = SimOn<cvsim::Corvane2Profile, 19200>;
