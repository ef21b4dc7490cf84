#pragma once
// A simulated CORVANE-4 meter on COM1 at 19200 baud (see SimOnCom1.h).
#include "Corvane4Profile.h"
#include "SimOnCom1.h"

using Cv4Sim = SimOn<cvsim::Corvane4Profile, 19200>;
