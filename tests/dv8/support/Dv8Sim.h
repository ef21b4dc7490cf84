#pragma once
// A simulated DV-800 meter on COM1 at 19200 baud (see SimOnCom1.h).
#include "Dv8Profile.h"
#include "SimOnCom1.h"

using Dv8Sim = SimOn<cvsim::Dv8Profile, 19200>;
