#pragma once
// A laboratory's day of spectra for runs of many spectra: films of one material whose
// thickness differs from spot to spot, each measured from 350 to 1500 nm in 1 nm steps
// with 0.1 %T of noise, written as an instrument writes them (three decimals). Made
// from the tests' own transmission formula. Shared by the tests and the benchmark.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../thinfilm/SyntheticFilm.h"

namespace optc::synthetic {

struct SpotFile {
    std::string path;
    double thicknessNm = 0.0;
};

// The film of spot k (0-based): 1000 nm and 12 nm more for every spot.
inline Film SpotFilm(int k) {
    Film film = OneMicronFilm();
    film.thicknessNm = 1000.0 + 12.0 * k;
    return film;
}

// Writes `count` spectra "spot01.txt", "spot02.txt"... into `folder`.
inline std::vector<SpotFile> WriteSpotSpectra(const std::filesystem::path& folder, int count) {
    std::vector<SpotFile> files;
    for (int k = 0; k < count; ++k) {
        const Film film = SpotFilm(k);
        char name[32];
        std::snprintf(name, sizeof name, "spot%02d.txt", k + 1);
        const std::string path = (folder / name).string();
        std::ofstream out(path, std::ios::binary);
        for (const auto& [lambda, t] : WithNoise(Spectrum(film, 350, 1500, 1151), 0.1, 100 + k)) {
            char line[64];
            std::snprintf(line, sizeof line, "%.0f\t%.3f\r\n", lambda, t);
            out << line;
        }
        files.push_back({path, film.thicknessNm});
    }
    return files;
}

}  // namespace optc::synthetic
