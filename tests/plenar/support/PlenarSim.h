#pragma once
// A simulated CORVANE-PLENAR meter on COM1 at 19200 baud (see SimOnCom1.h).
#include "PlenarProfile.h"
#include "SimOnCom1.h"

using PlenarSim = SimOn<cvsim::PlenarProfile, 19200>;
