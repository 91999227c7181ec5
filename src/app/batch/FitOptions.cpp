#include "app/batch/FitOptions.h"

#include <charconv>
#include <cmath>

#include <CLI/CLI.hpp>

namespace optc {

namespace {

// A number as the command line gives it, with "." whatever the locale.
std::optional<double> Number(const std::string& text) {
    double v = 0.0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, v);
    if (error != std::errc() || at != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

void DeclareFitOptions(CLI::App& thin, FitBatchOptions& o) {
    const auto text = [&thin](const char* name, std::optional<std::string>& value, const char* valueName,
                              const char* meaning, const char* fallback) {
        thin.add_option(name, value, meaning)->option_text(valueName)->default_str(fallback);
    };
    const auto flag = [&thin](const char* name, bool& value, const char* meaning, const char* fallback) {
        thin.add_flag(name, value, meaning)->default_str(fallback);
    };
    flag("--fit", o.fit,
         "\"Fit Spectrum...\": fit the film's exact transmission to the whole spectrum, started from the fringe "
         "orders; the result goes to \"spectrumFit\" in the summary.",
         "off");
    text("--slit-width", o.slitWidth, "NM", "The instrument's band, a triangle of this full width at half maximum.",
         "0, none");
    text("--fit-dispersion", o.dispersion, "LAW",
         "The fit's n(λ): cauchy (A + B/λ²), cauchy3 (A + B/λ² + C/λ⁴) or sellmeier (n² = 1 + Sλ²/(λ² - λ0²)).",
         "cauchy");
    text("--fit-absorption", o.absorption, "LAW",
         "The fit's absorption: urbach (an exponential edge over a constant floor) or none (a clear film, fitted "
         "over its fringes).",
         "urbach");
    flag("--fit-uniform", o.uniform, "Fit a film of uniform thickness (no thickness spread).", "the spread is fitted");
    flag("--fit-substrate", o.fitSubstrate, "Fit nS as well.", "nS as given");
    text("--fit-from", o.from, "NM", "Fit from this wavelength.", "the spectrum's start");
    text("--fit-to", o.to, "NM", "Fit up to this wavelength.", "the spectrum's end");
    text("--fit-table", o.table, "FILE",
         "Write the fitted points: wavelength, T measured, T fitted, residual, n and α.", "not written");
    flag("--use-fit-thickness", o.useThickness,
         "\"Use This Thickness\" of a trusted fit, then Calculate again; a fit not trusted leaves the thickness "
         "box as it was, and the notes say why.",
         "off");
}

std::string CheckFitOptions(const FitBatchOptions& o) {
    const std::pair<const char*, bool> needFit[] = {
        {"--slit-width", o.slitWidth.has_value()}, {"--fit-dispersion", o.dispersion.has_value()},
        {"--fit-absorption", o.absorption.has_value()}, {"--fit-uniform", o.uniform},
        {"--fit-substrate", o.fitSubstrate}, {"--fit-from", o.from.has_value()},
        {"--fit-to", o.to.has_value()}, {"--fit-table", o.table.has_value()},
        {"--use-fit-thickness", o.useThickness}};
    if (!o.fit)
        for (const auto& [name, given] : needFit)
            if (given) return std::string("option ") + name + " needs --fit";
    if (o.slitWidth) {
        const auto w = Number(*o.slitWidth);
        if (!w || *w < 0.0 || *w > 100.0) return "--slit-width takes a width from 0 to 100 nm";
    }
    if (o.dispersion && *o.dispersion != "cauchy" && *o.dispersion != "cauchy3" && *o.dispersion != "sellmeier")
        return "--fit-dispersion takes cauchy, cauchy3 or sellmeier";
    if (o.absorption && *o.absorption != "urbach" && *o.absorption != "none")
        return "--fit-absorption takes urbach or none";
    for (const auto& [name, value] : {std::pair{"--fit-from", &o.from}, std::pair{"--fit-to", &o.to}}) {
        if (!*value) continue;
        const auto v = Number(**value);
        if (!v || !(*v > 0.0)) return std::string(name) + " takes a positive wavelength in nm";
    }
    if (o.from && o.to && !(*Number(*o.from) < *Number(*o.to))) return "--fit-from must lie below --fit-to";
    return "";
}

SpectrumFitOptions SpectrumFitOptionsOf(const FitBatchOptions& o) {
    SpectrumFitOptions f;
    if (o.slitWidth) f.slitNm = Number(*o.slitWidth).value_or(0.0);
    if (o.dispersion)
        f.dispersion = *o.dispersion == "cauchy3"     ? DispersionLaw::CauchyThree
                       : *o.dispersion == "sellmeier" ? DispersionLaw::Sellmeier
                                                      : DispersionLaw::Cauchy;
    if (o.absorption) f.absorption = *o.absorption == "none" ? AbsorptionLaw::None : AbsorptionLaw::Urbach;
    f.spread = !o.uniform;
    f.fitSubstrate = o.fitSubstrate;
    if (o.from) f.fromNm = Number(*o.from).value_or(0.0);
    if (o.to) f.toNm = Number(*o.to).value_or(0.0);
    return f;
}

}  // namespace optc
