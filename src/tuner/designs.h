// The network designs behind Design(), and what they share.
#pragma once

#include "tuner/networks.h"
#include "tuner/search.h"

namespace qlx::tuner::detail {

DesignResult DesignLowPassL(const TunerLoad& load, const TunerSettings& s);
DesignResult DesignHighPassL(const TunerLoad& load, const TunerSettings& s);
DesignResult DesignHighPassLTopology(const TunerLoad& load, const TunerSettings& s, bool coil_across_line);
DesignResult DesignPi(const TunerLoad& load, const TunerSettings& s);
DesignResult DesignTee(const TunerLoad& load, const TunerSettings& s);

// The page a network shows its design on.
Page PageOf(Network n);

DesignFailure Failure(Network n, std::string text, bool hide_page);
// A failure that hides another page than the network's own (the Tee's messages hide the first).
DesignFailure Failure(Network n, std::string text, bool hide_page, Page page);

// The failure of a search that ended without a match: "No match found" at a bound and the fault
// text for a non-finite evaluation, both hiding the network's page; the network's own message
// where its check refused a step.
DesignFailure SearchFailed(Network n, SearchEnd end, std::string refused_text, bool refused_hides,
                           Page refused_page);
DesignFailure SearchFailed(Network n, SearchEnd end, std::string refused_text = {}, bool refused_hides = true);

// The phase at the transmitter side for a network that turns the phase by `turn` radians from
// its input to its output, folded into range from above only (190 shows as -170, -190 stays).
double InputAngle(double phase, double turn);

// An element with its value in microhenries or picofarads from its reactance at f0 MHz.
Element MakeElement(const char* name, Kind kind, Connection c, double x, double f0, double q, double v, double i,
                    double p);

std::string TooCloseText(double z0);

// A design of network n with schematic s for this load and settings, its elements still to come.
NetworkDesign NewDesign(Network n, Schematic schematic, const TunerLoad& load, const TunerSettings& s);

// The design as reported, its loss the sum of its elements' dissipations (from the line input back
// to the transmitter); or a failure when one of its numbers is not finite or the elements would
// lose all of the power: no nan or inf ever reaches a page.
DesignResult Finish(NetworkDesign d, const TunerSettings& s);

}  // namespace qlx::tuner::detail
