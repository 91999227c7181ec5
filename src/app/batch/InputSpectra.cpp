#include "app/batch/InputSpectra.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include <CLI/CLI.hpp>

#include "app/batch/BatchReport.h"
#include "datafiles/FileErrors.h"
#include "datafiles/ImportFormats.h"
#include "thinfilm/envelope/ThinFilmResults.h"

namespace optc {

namespace fs = std::filesystem;

namespace {

// Options that name one file per spectrum, each an ending after the spectrum's name
// when the files go into --save-dir.
struct PerSpectrumFile {
    const char* option;
    std::optional<std::string> BatchOptions::*file;
};
constexpr PerSpectrumFile kPerSpectrumFiles[] = {
    {"--orders", &BatchOptions::orders},
    {"--save-extrema", &BatchOptions::saveExtrema},
    {"--report", &BatchOptions::report},
};

bool KnownEnding(const fs::path& name) {
    std::string ending = name.extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const SpectrumFormat& format : SpectrumFormats())
        if (std::find(format.endings.begin(), format.endings.end(), ending) != format.endings.end()) return true;
    return false;
}

// The endings of the files a spectrum's name is given to.
std::vector<std::string> OutputEndings(const BatchOptions& o) {
    std::vector<std::string> endings = {kRefSuffix, kAbsSuffix, kTaucSuffix, kFreeTransSuffix};
    for (const PerSpectrumFile& each : kPerSpectrumFiles)
        if (o.*each.file) endings.push_back(*(o.*each.file));
    return endings;
}

// What a folder must be: "--save-dir DIR: there is no such folder".
std::string FolderFault(const char* option, const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return std::string(option) + " " + path + ": there is no such folder";
    if (ec) return std::string(option) + " " + FileDetail(path, SystemReason(ec.value(), path));
    if (status.type() != fs::file_type::directory) return std::string(option) + " " + path + ": it is not a folder";
    return "";
}

// One file however it is named: its whole path with links resolved, and where it
// exists its device and inode (a hard link is the same file under another name).
struct FileKey {
    std::string path;
    std::optional<std::pair<dev_t, ino_t>> node;
};

FileKey KeyOf(const std::string& path) {
    std::error_code ec;
    fs::path whole = fs::weakly_canonical(path, ec);
    if (ec) whole = fs::absolute(path, ec).lexically_normal();
    FileKey key{whole.string(), std::nullopt};
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) key.node = std::make_pair(st.st_dev, st.st_ino);
    return key;
}

// The files of a run by their keys, each with what it is ("the --spectrum a.txt file").
class RunFiles {
public:
    // What the file already is in the run, or nothing when it is new; adds it.
    std::optional<std::string> Add(const std::string& path, const std::string& what) {
        const FileKey key = KeyOf(path);
        if (const auto found = byPath_.find(key.path); found != byPath_.end()) return found->second;
        if (key.node)
            if (const auto found = byNode_.find(*key.node); found != byNode_.end()) return found->second;
        byPath_.emplace(key.path, what);
        if (key.node) byNode_.emplace(*key.node, what);
        return std::nullopt;
    }

private:
    std::map<std::string, std::string> byPath_;
    std::map<std::pair<dev_t, ino_t>, std::string> byNode_;
};

}  // namespace

void DeclareSpectrum(CLI::App& analysis, BatchOptions& o, const char* meaning) {
    analysis.add_option("--spectrum", o.spectra, meaning)
        ->option_text("FILE")
        ->default_str("")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void DeclareManySpectra(CLI::App& analysis, BatchOptions& o) {
    const auto text = [&analysis](const char* name, std::optional<std::string>& value, const char* valueName,
                                  const char* meaning, const char* fallback) {
        analysis.add_option(name, value, meaning)->option_text(valueName)->default_str(fallback);
    };
    text("--folder", o.folder, "DIR",
         "Analyse every spectrum file in DIR (.txt, .csv, .jdx, .dx, .jcamp; not the results files of another "
         "spectrum there), in the order of their names, after those of --spectrum.",
         "none");
    text("--save-dir", o.saveDir, "DIR",
         "Save each spectrum's results in DIR, named after the spectrum (DIR/spot07Ref.txt ...), instead of "
         "--save; then --orders and --save-extrema give the ending of each spectrum's file (Orders.txt: "
         "DIR/spot07Orders.txt). Needed for more than one spectrum.",
         "--save BASE");
    text("--summary", o.summary, "FILE",
         "Write a CSV table with a row for each spectrum: its file, status, message, thicknesses, n at --natx, "
         "Eg and warnings.",
         "not written");
    text("--jobs", o.jobs, "N", "Analyse N spectra at once.", "one per processor core");
}

bool Repeatable(const CLI::Option& option) { return option.get_name() == "--spectrum"; }

std::string SpectrumName(const std::string& path) { return fs::path(path).stem().string(); }

std::vector<std::string> FolderSpectra(const std::string& folder, const BatchOptions& o,
                                       const std::vector<std::string>& skip) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const fs::path name = entry.path().filename();
        if (name.string().front() == '.' || !KnownEnding(name) || !entry.is_regular_file(ec)) continue;
        found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    // The names the files of the folder's spectra would take.
    std::set<std::string> outputs;
    for (const fs::path& spectrum : found)
        for (const std::string& ending : OutputEndings(o)) outputs.insert(spectrum.stem().string() + ending);
    std::set<std::string> skipped;
    for (const std::string& path : skip) skipped.insert(KeyOf(path).path);
    std::vector<std::string> spectra;
    for (const fs::path& spectrum : found)
        if (!outputs.count(spectrum.filename().string()) && !skipped.count(KeyOf(spectrum.string()).path))
            spectra.push_back(spectrum.string());
    return spectra;
}

std::string GatherSpectra(BatchOptions& o) {
    if (o.jobs) {
        const bool digits = !o.jobs->empty() && o.jobs->size() < 5 &&
                            o.jobs->find_first_not_of("0123456789") == std::string::npos;
        o.jobCount = digits ? static_cast<unsigned>(std::stoul(*o.jobs)) : 0;
        if (o.jobCount == 0) return "--jobs takes a whole number from 1 to 9999";
    }
    if (o.saveDir) {
        if (GivenValues(o, "--save")) return "--save and --save-dir exclude each other";
        if (std::string fault = FolderFault("--save-dir", *o.saveDir); !fault.empty()) return fault;
        for (const PerSpectrumFile& each : kPerSpectrumFiles) {
            const std::optional<std::string>& file = o.*each.file;
            if (file && (file->empty() || file->find('/') != std::string::npos))
                return std::string("with --save-dir, ") + each.option +
                       " takes the ending of each spectrum's file (such as Orders.txt), not a path";
        }
    }
    if (o.folder) {
        if (std::string fault = FolderFault("--folder", *o.folder); !fault.empty()) return fault;
        std::vector<std::string> skip;
        for (const auto* file : {&o.summary, &o.fringes, &o.reflection})
            if (*file) skip.push_back(**file);
        const std::vector<std::string> found = FolderSpectra(*o.folder, o, skip);
        if (found.empty()) return "--folder " + *o.folder + " holds no spectrum files (.txt, .csv, .jdx, .dx, .jcamp)";
        o.spectra.insert(o.spectra.end(), found.begin(), found.end());
    }
    if (o.spectra.size() > 1 && !o.saveDir)
        return "a run of several spectra saves their results with --save-dir DIR, not --save BASE";
    if (o.spectra.size() == 1) o = OptionsFor(o, o.spectra.front());
    return "";
}

std::string CheckSpectra(const BatchOptions& o) {
    RunFiles files;
    for (const std::string& spectrum : o.spectra) {
        if (std::string fault = InputFileFault("--spectrum", spectrum); !fault.empty()) return fault;
        if (const auto earlier = files.Add(spectrum, "the --spectrum " + spectrum + " file"))
            return "--spectrum " + spectrum + ": the same file as " + *earlier;
    }
    for (const auto& [option, file] : {std::pair{"--fringes", &o.fringes}, std::pair{"--reflection", &o.reflection}}) {
        if (!*file) continue;
        if (std::string fault = InputFileFault(option, **file); !fault.empty()) return fault;
        files.Add(**file, std::string("the ") + option + " " + **file + " file");
    }
    // Everything the run writes, in the order it is written, with whose file it is.
    std::vector<std::pair<std::string, std::string>> written;
    for (const std::string& spectrum : o.spectra)
        for (const auto& [option, file] : ResultsFiles(OptionsFor(o, spectrum)))
            written.emplace_back(file, std::string("the ") + option + " file of --spectrum " + spectrum);
    if (o.summary) written.emplace_back(*o.summary, "the --summary file");
    for (const auto& [file, whose] : written)
        if (const auto earlier = files.Add(file, whose))
            return "results file " + file + " (" + whose + ") would overwrite " + *earlier;
    if (o.report)
        for (const std::string& spectrum : o.spectra)
            if (std::string fault = ReportFileFault(*OptionsFor(o, spectrum).report); !fault.empty()) return fault;
    return "";
}

BatchOptions OptionsFor(const BatchOptions& o, const std::string& spectrum) {
    BatchOptions one = o;
    one.spectrum = spectrum;
    one.spectra = {spectrum};
    if (o.saveDir) {
        one.save = (fs::path(*o.saveDir) / SpectrumName(spectrum)).string();
        for (const PerSpectrumFile& each : kPerSpectrumFiles)
            if (o.*each.file) one.*each.file = one.save + *(o.*each.file);
    }
    // The options as this spectrum's run gives them.
    bool named = false;
    for (auto& [option, values] : one.given) {
        if (option == "--spectrum") {
            values = {spectrum};
            named = true;
        } else if (option == "--save-dir") {
            option = "--save";
            values = {one.save};
        }
        for (const PerSpectrumFile& each : kPerSpectrumFiles)
            if (option == each.option) values = {*(one.*each.file)};
    }
    if (!named) one.given.insert(one.given.begin(), {"--spectrum", {spectrum}});
    return one;
}

}  // namespace optc
