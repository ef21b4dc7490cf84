#pragma once
// The CORVANE-PLENAR PRO dialect: the CORVANE-4's with CHAND after CHAN3T (every later code one
// higher; scripts name keywords by text, so CORVANE-4 scripts run unchanged), and a directory of
// up to 64 plans, which PLAN and the LNB table follow.
#include "ScriptDialect.h"

class TScriptEngine;

namespace cv::plenar {

constexpr int kPlanCap = 64;

const ScriptDialect& Dialect();

// CHAND (index, name, MHz, register word): one 8-byte "*FL:" record of the name (four bytes,
// right-aligned and blank-padded) and the terrestrial word truncated, not rounded, written twice
// low byte first; then the register word unless it is 0xFFFF, and the word that ends the list.
bool DoChanD(TScriptEngine& engine);

}  // namespace cv::plenar
