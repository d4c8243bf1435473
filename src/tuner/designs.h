// The network designs behind Design(), and what they share.
#pragma once

#include "tuner/networks.h"

namespace qlx::tuner::detail {

DesignResult DesignLowPassL(const TunerLoad& load, const TunerSettings& s);

DesignFailure Failure(Network n, std::string text, bool hide_page);

// The design as reported, or a failure when one of its numbers is not finite or the elements
// would lose all of the power: no nan or inf ever reaches a page.
DesignResult Checked(NetworkDesign d, const TunerSettings& s);

}  // namespace qlx::tuner::detail
