// A plan as text for a reader, as CSV (one row per design) and as JSON (the whole plan): what
// qlx-cli plan prints and what the plan window exports, written in one place.
#pragma once

#include <string>
#include <vector>

#include "plan/plan.h"

namespace qlx::plan {

const char* KindUnit(tuner::Kind k);
// A design's parts: "C1 120.5 pF, L2 3.21 uH".
std::string PartsText(const tuner::NetworkDesign& d);
// The 2:1 SWR span of a cell's band run in kHz, when the run crosses 2:1 on both sides.
std::optional<double> Span20KHz(const TunerWindow::Compared& c);

// One line per band point (the least-loss network with parts to buy), then per network its ranges
// and worst loss, the recommendation and my tuner's fit.
std::string PlanText(const Plan& p);
std::string PlanCsv(const Plan& p);
// The whole plan, with the length scan when there is one.
std::string PlanJson(const Plan& p, const std::vector<LengthResult>* lengths = nullptr);
// A length scan, best first, as text or CSV.
std::string LengthsText(const std::vector<LengthResult>& scan, bool csv);

}  // namespace qlx::plan
