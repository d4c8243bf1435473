#include "core/cables.h"

#include <cmath>

#include "core/numbers.h"

namespace qlx {

namespace {

constexpr std::array<CableSpec, kCatalogueRows> kCatalogue{{
    {" RG-6 (Belden 8215)", 0.48, 1.05, 0.66f, 2700.0f, 20.5f},
    {" RG-8 Type, TMS LMR400", 0.52, 2.15, 0.85f, 600.0f, 23.9f},
    {" RG-8 Type, Belden 9913/9086", 0.54, 2.24, 0.84f, 600.0f, 24.6f},
    {" RG-8A (Belden 8237)", 0.55, 1.8, 0.66f, 3700.0f, 29.5f},
    {" RG-8 Type, Wireman CQ106", 0.466055, 1.56086, 0.82f, 600.0f, 24.5f},
    {" RG-8X, Type TMS LMR240", 0.52, 1.5, 0.84f, 300.0f, 24.2f},
    {" RG-8X (Belden 9258)", 0.575, 1.3, 0.8f, 300.0f, 25.3f},
    {" RG-11 Foam (Belden 8213)", 0.53, 2.0, 0.78f, 600.0f, 17.3f},
    {" RG-11A (Belden 8261)", 0.555, 1.7, 0.66f, 3700.0f, 20.5f},
    {" RG-58 Type, TMS LMR200", 0.51, 1.15, 0.83f, 300.0f, 24.5f},
    {" RG-58A Foam (Belden 8219)", 0.56, 1.0, 0.78f, 300.0f, 26.5f},
    {" RG-58A (Belden 8259)", 0.58, 0.9, 0.66f, 1400.0f, 30.8f},
    {" RG-59 Foam (Belden 8212)", 0.46, 0.8, 0.78f, 300.0f, 17.3f},
    {" RG-59B (Belden 8263)", 0.44, 0.65, 0.66f, 1700.0f, 20.5f},
    {" RG-62A (Belden 9269)", 0.51, 1.36, 0.84f, 750.0f, 13.5f},
    {" RG-142/303 High-Temp. Teflon", 0.53, 1.05, 0.695f, 1400.0f, 29.2f},
    {" RG-174 (Belden 8216)", 0.44, -0.33, 0.66f, 1100.0f, 30.8f},
    {" RG-213 (Belden 8267)", 0.55, 1.7, 0.66f, 3700.0f, 30.8f},
    {" RG-218A (ex RG-17)", 0.52, 2.4, 0.66f, 11000.0f, 29.5f},
    {" 1/2-inch, LMR500", 0.52, 2.41, 0.85f, 2500.0f, 23.9f},
    {" 0.59-inch, LMR600", 0.53, 2.68, 0.86f, 2500.0f, 23.4f},
    {" 1.2-inch, LMR1200", 0.54, 3.42, 0.88f, 2500.0f, 23.1f},
    {" 1/2-Inch 50-Ohm Hardline", 0.57, 2.8, 0.81f, 2500.0f, 25.0f},
    {" 1/2-Inch 75-Ohm Hardline", 0.57, 2.8, 0.81f, 2500.0f, 16.7f},
    {" 7/8-Inch 50-Ohm Hardline", 0.67, 3.6, 0.81f, 4000.0f, 25.0f},
    {" 7/8-Inch 75-Ohm Hardline", 0.67, 3.6, 0.81f, 3500.0f, 16.7f},
    {" 1/2-Inch LDF4-50A Andrew Heliax", 0.552084, 2.96696, 0.88f, 1400.0f, 23.1f},
    {" 7/8-Inch LDF5-50A Andrew Heliax", 0.5512534, 3.51973, 0.89f, 2100.0f, 22.8f},
    {" 1-1/4 Inch LDF6-50A Andrew Heliax", 0.579512, 3.88817, 0.89f, 2100.0f, 22.9f},
    {" 300-Ohm Tubular Transmitting Line", 0.548793, 2.4428, 0.8f, 8000.0f, 4.236f},
    {" 450-Ohm Window Ladder Line", 0.562877, 3.79695, 0.91f, 10000.0f, 2.759f},
    {" 600-Ohm Open-Wire Ladder Line", 0.559841, 4.15639, 0.92f, 12000.0f, 1.842f},
}};

}  // namespace

const std::array<CableSpec, kCatalogueRows>& Catalogue() { return kCatalogue; }

std::string_view ListText(int position) {
    if (position >= 0 && position < kCatalogueRows)
        return kCatalogue[static_cast<std::size_t>(position)].list_text;
    if (position == kUserDefinedIndex) return kUserDefinedText;
    return {};
}

float Atten100(const CableSpec& cable, float freq_mhz) {
    return static_cast<float>(
        std::exp(cable.loss_slope * std::log(static_cast<double>(freq_mhz)) - cable.loss_intercept));
}

float R0(const CableSpec& cable) {
    return static_cast<float>(1016.65 / (static_cast<double>(cable.cap_pf) *
                                         static_cast<double>(cable.vel_factor)));
}

CableAtFrequency CableAt(const CableSpec& cable, float freq_mhz) {
    CableAtFrequency c;
    c.atten100 = Atten100(cable, freq_mhz);
    c.r0 = R0(cable);
    c.wave_len = static_cast<float>(static_cast<double>(cable.vel_factor) * kFreeSpaceWaveFtMHz /
                                    static_cast<double>(freq_mhz));
    c.x0 = static_cast<float>(SuggestedX0(c.r0, c.atten100, c.wave_len));
    return c;
}

double SuggestedX0(double r0, float atten100, float wave_len) {
    const double alpha = static_cast<double>(atten100) * kNepersPerDbRounded / 100.0;  // Np per foot
    const float beta = static_cast<float>(kTwoPiSingle / static_cast<double>(wave_len));
    return -r0 * alpha / static_cast<double>(beta);
}

}  // namespace qlx
