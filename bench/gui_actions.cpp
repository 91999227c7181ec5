// Every user action of the two analysis windows and the minima window, timed from the
// event to the end of the repaint, on the real form logic and the real Qt windows
// (offscreen). Spectra of 2000, 20000 and 100000 points: a thin film with 40 fringe
// extrema and a bulk plate whose transmission and reflection lie on different grids.
//
// Each action runs several times; the table gives the median and the worst run and the
// ratio of the median to the cost of drawing the same number of points as a bare
// polyline with QPainter into an image of the chart's size, measured in the same run.
//
//   gui_actions [--runs=N] [--sizes=2000,20000,100000]
// With GUI_ACTIONS_DEBUG set, each run also prints the time spent in the handler and
// the number of chart repaints it caused.
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "../tests/thinfilm/SyntheticFilm.h"
#include "app/Application.h"
#include "bulk/Main_3View.h"
#include "numerics/FloatText.h"
#include "thinfilm/window/Main_1View.h"
#include "thinfilm/window/Main_4View.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/QtPlatform.h"

namespace {

using namespace optc;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The real platform services, except that file dialogs answer from a script and message
// boxes are recorded: a benchmark has nobody to click them away. Modal windows are
// shown for real.
class BenchPlatform : public qt::QtPlatform {
public:
    std::deque<std::string> openAnswers, saveAnswers;
    std::vector<std::string> problems;

    void ShowMessage(const std::string& text) override { problems.push_back("message: " + text); }
    void ShowError(const std::string& text) override { problems.push_back("error: " + text); }
    std::optional<std::string> OpenFileDialog(const std::string&) override { return Next(openAnswers); }
    std::optional<std::string> SaveFileDialog(const std::string&) override { return Next(saveAnswers); }

private:
    static std::optional<std::string> Next(std::deque<std::string>& answers) {
        if (answers.empty()) return std::nullopt;
        std::string path = answers.front();
        answers.pop_front();
        return path;
    }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// The application object with its three working windows, wired as in the program but
// without the start window, which only opens them.
struct Session {
    BenchPlatform platform;
    Application app{platform};
    qt::TForm3View view3{app.Form3};
    qt::TForm1View view1{app.Form1};
    qt::TForm4View view4{app.Form4, &view1};
    PaintCounter paints1{&view1.Chart()};
    PaintCounter paints3{&view3.Chart()};
    PaintCounter paints4{&view4.Chart()};

    Session() {
        platform.RegisterWindow(app.Form3, view3);
        platform.RegisterWindow(app.Form1, view1);
        platform.RegisterWindow(app.Form4, view4);
        // A zoom or a double click moves the axes over a quarter of a second; those
        // frames come after the action's own redraw and are timed in gui_chart.
        for (qt::ChartWidget* chart : {&view1.Chart(), &view3.Chart(), &view4.Chart()}) chart->SetZoomAnimation(0);
        view1.show();
        view3.show();
        Settle();
    }

    // Delivers what the last event left pending: the repaint of every control and chart
    // it changed.
    static void Settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
};

// ---- Synthetic spectra ----

struct Files {
    fs::path film, fringes, bulkT, bulkR;
    double shortestExtremum = 0, longestExtremum = 0;
};

void WritePairs(const fs::path& path, const synthetic::Points& points) {
    std::string text;
    text.reserve(points.size() * 24);
    char line[64];
    for (const auto& [x, y] : points) {
        std::snprintf(line, sizeof line, "%.6f\t%.4f\r\n", x, y);
        text += line;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
    std::fclose(f);
}

// A bulk plate 1 mm thick with an absorption edge near 2.5 eV: transmission from the
// reflection of its two faces, T = (1-R)^2 x / (1 - R^2 x^2), x = exp(-alpha d).
double PlateReflection(double lambda) { return 17.0 + 3.0 * (500.0 / lambda) * (500.0 / lambda); }
double PlateTransmission(double lambda) {
    const double r = PlateReflection(lambda) / 100.0;
    const double alpha = 10.0 * std::exp((1239.83 / lambda - 2.5) / 0.08);
    const double x = std::exp(-alpha * 0.1);
    return std::round(100.0 * (1 - r) * (1 - r) * x / (1 - r * r * x * x) * 1000.0) / 1000.0;
}

Files MakeFiles(const fs::path& dir, int n) {
    Files f;
    f.film = dir / ("film-" + std::to_string(n) + ".txt");
    f.fringes = dir / ("fringes-" + std::to_string(n) + ".txt");
    f.bulkT = dir / ("bulkT-" + std::to_string(n) + ".txt");
    f.bulkR = dir / ("bulkR-" + std::to_string(n) + ".txt");

    synthetic::Film film;
    film.thicknessNm = 5500;  // 40 extrema above 500 nm
    WritePairs(f.film, synthetic::Spectrum(film, 350, 1500, n));
    auto extrema = synthetic::Extrema(synthetic::Spectrum(film, 350, 1500, 20001, false), 500);
    extrema.erase(extrema.begin(), extrema.end() - 40);  // the 40 shortest, longest first
    WritePairs(f.fringes, extrema);
    f.longestExtremum = extrema.front().first;
    f.shortestExtremum = extrema.back().first;

    // Transmission ascending on 300..1500 nm; reflection descending on a coarser grid
    // of 310..1490 nm, so Calculate resamples both onto a common grid.
    synthetic::Points t, r;
    for (int i = 0; i < n; ++i) {
        const double lambda = 300.0 + 1200.0 * i / (n - 1);
        t.push_back({lambda, PlateTransmission(lambda)});
    }
    const int m = n - n / 10;
    for (int i = 0; i < m; ++i) {
        const double lambda = 1490.0 - 1180.0 * i / (m - 1);
        r.push_back({lambda, std::round(PlateReflection(lambda) * 1000.0) / 1000.0});
    }
    WritePairs(f.bulkT, t);
    WritePairs(f.bulkR, r);
    return f;
}

// ---- Measurements ----

struct Row {
    std::string window, action;
    std::map<int, std::vector<double>> runs;  // size -> milliseconds
    std::map<int, std::string> problem;       // size -> first message or error seen
};

class Bench {
public:
    Bench(int runs, fs::path dir) : runs_(runs), dir_(std::move(dir)) {}

    std::vector<Row> rows;
    std::map<int, std::vector<double>> floor;

    Row& RowFor(const std::string& window, const std::string& action) {
        for (auto& row : rows)
            if (row.window == window && row.action == action) return row;
        rows.push_back({window, action, {}, {}});
        return rows.back();
    }

    // Runs prepare (untimed), then times act up to the end of the repaint it causes.
    void Time(Session& s, int size, const std::string& window, const std::string& action,
              const std::function<void()>& prepare, const std::function<void()>& act) {
        Row& row = RowFor(window, action);
        for (int r = 0; r < runs_; ++r) {
            if (prepare) prepare();
            Session::Settle();
            s.platform.problems.clear();
            const int paintsBefore = s.paints1.count + s.paints3.count + s.paints4.count;
            const auto t0 = Clock::now();
            act();
            const auto t1 = Clock::now();
            Session::Settle();
            row.runs[size].push_back(Ms(Clock::now() - t0));
            if (getenv("GUI_ACTIONS_DEBUG"))
                std::fprintf(stderr, "%s/%s: handler %.2f ms, chart paints %d\n", window.c_str(), action.c_str(), Ms(t1 - t0),
                             s.paints1.count + s.paints3.count + s.paints4.count - paintsBefore);
            if (!s.platform.problems.empty() && !row.problem.count(size))
                row.problem[size] = s.platform.problems.front();
        }
    }

    // The floor of a redraw: n points mapped to pixels and drawn as one polyline.
    void MeasureFloor(int size, const synthetic::Points& points, QSize chartSize) {
        QImage image(chartSize, QImage::Format_ARGB32_Premultiplied);
        double xLo = points.front().first, xHi = points.back().first, yLo = 1e300, yHi = -1e300;
        for (const auto& p : points) {
            yLo = std::min(yLo, p.second);
            yHi = std::max(yHi, p.second);
        }
        std::vector<QPointF> pixels(points.size());
        for (int r = 0; r < runs_; ++r) {
            const auto t0 = Clock::now();
            const double sx = (chartSize.width() - 1) / (xHi - xLo), sy = (chartSize.height() - 1) / (yHi - yLo);
            for (std::size_t i = 0; i < points.size(); ++i)
                pixels[i] = QPointF((points[i].first - xLo) * sx, (yHi - points[i].second) * sy);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setPen(QPen(Qt::blue, 1));
            painter.drawPolyline(pixels.data(), static_cast<int>(pixels.size()));
            painter.end();
            floor[size].push_back(Ms(Clock::now() - t0));
        }
    }

    void RunSize(int n);

private:
    // The actions both analysis windows share: the axis click on the absorption graph,
    // the Tauc view, the gap fit over [eStart, eEnd], the double click and a pointer move.
    template <typename AnalysisForm>
    void TaucAndChartActions(Session& s, int n, const std::string& w, AnalysisForm& form, qt::ChartWidget& chart,
                             const char* eStart, const char* eEnd);
    void ThinFilm(Session& s, const Files& f, int n);
    void Bulk(Session& s, const Files& f, int n);

    int runs_;
    fs::path dir_;
};

void Send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ? Qt::MouseButtons(button) : Qt::NoButton;
    const Qt::MouseButton which = type == QEvent::MouseMove ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), which, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Removes the results files of the run before, untimed, so that a timed save measures
// the program's work. Replacing a file frees its blocks, which on a file system mounted
// with online discard (as this machine's is) costs about 4 ms per file in the kernel
// whatever the program does; performance.md gives that cost apart.
void RemoveResults(const fs::path& base, std::initializer_list<const char*> suffixes) {
    for (const char* suffix : suffixes) fs::remove(base.string() + suffix);
}

// The user's gestures on a chart.
void PointerMove(qt::ChartWidget& chart, int step) {
    const QRect plot = chart.axisRect()->rect();
    Send(&chart, QEvent::MouseMove,
         QPoint(plot.left() + plot.width() / 3 + (step % 2) * 17, plot.top() + plot.height() / 2 + (step % 3) * 5));
}
void DoubleClick(qt::ChartWidget& chart) {
    const QPoint at = chart.axisRect()->rect().center();
    Send(&chart, QEvent::MouseButtonPress, at);
    Send(&chart, QEvent::MouseButtonRelease, at);
    Send(&chart, QEvent::MouseButtonPress, at);
    Send(&chart, QEvent::MouseButtonDblClick, at);
    Send(&chart, QEvent::MouseButtonRelease, at);
}
void AxisClick(qt::ChartWidget& chart) {
    const QRect plot = chart.axisRect()->rect();
    const QPoint at(plot.left() - 12, plot.center().y());
    Send(&chart, QEvent::MouseButtonPress, at);
    Send(&chart, QEvent::MouseButtonRelease, at);
}

template <typename AnalysisForm>
void Bench::TaucAndChartActions(Session& s, int n, const std::string& w, AnalysisForm& form,
                                qt::ChartWidget& chart, const char* eStart, const char* eEnd) {
    auto click = [&form](Button& b) { form.Dispatch([&b] { b.Click(); }); };
    auto choose = [&form](RadioButton& b) { form.Dispatch([&b] { b.Click(); }); };
    Time(s, n, w, "Axis click (absorption)", nullptr, [&] { AxisClick(chart); });
    Time(s, n, w, "Tauc view", [&] { choose(form.RadioButton2); }, [&] { choose(form.RadioButton3); });
    Time(
        s, n, w, "Eg Calculation",
        [&] {
            if (!form.RadioButton3.Checked()) choose(form.RadioButton3);
            form.Dispatch([&] {
                form.Estart.SetText(eStart);
                form.Eend.SetText(eEnd);
            });
        },
        [&] { click(form.CalculatEg); });
    Time(s, n, w, "Double click (Tauc redraw)", nullptr, [&] { DoubleClick(chart); });
    int step = 0;
    Time(s, n, w, "Pointer move (readout)", nullptr, [&] { PointerMove(chart, ++step); });
}

void Bench::ThinFilm(Session& s, const Files& f, int n) {
    TForm1& form = s.app.Form1;
    qt::ChartWidget& chart = s.view1.Chart();
    const std::string w = "Thin film";
    auto click = [&form](Button& b) { form.Dispatch([&b] { b.Click(); }); };
    auto choose = [&form](RadioButton& b) { form.Dispatch([&b] { b.Click(); }); };

    Time(s, n, w, "Import Spectrum", [&] { s.platform.openAnswers.push_back(f.film.string()); },
         [&] { click(form.import1); });
    Time(s, n, w, "Import Fringes", [&] { s.platform.openAnswers.push_back(f.fringes.string()); },
         [&] { click(form.Import2); });
    form.Dispatch([&] {
        form.Const2.SetText("1.52");
        form.Wstart.SetText(FloatToStr(f.shortestExtremum));
        form.Wend.SetText(FloatToStr(f.longestExtremum));
    });
    Time(s, n, w, "Calculate", nullptr, [&] { click(form.Calculate); });
    Time(s, n, w, "Graph: refractive index", [&] { choose(form.RadioButton4); },
         [&] { choose(form.RadioButton1); });
    Time(s, n, w, "Graph: transmission", [&] { choose(form.RadioButton1); }, [&] { choose(form.RadioButton4); });
    Time(s, n, w, "Graph: absorption", [&] { choose(form.RadioButton1); }, [&] { choose(form.RadioButton2); });
    TaucAndChartActions(s, n, w, form, chart, "2.3", "2.5");
    Time(s, n, w, "Save Results (4 files)",
         [&] {
             const fs::path base = dir_ / ("film" + std::to_string(n));
             RemoveResults(base, {"Ref.txt", "Abs.txt", "tauc.txt", "FreeTrans.txt"});
             s.platform.saveAnswers.push_back(base.string());
         },
         [&] { click(form.Button1); });

    // Determine Fringes: timed until the minima window has painted its chart; the
    // window is then closed without marks.
    Time(s, n, "Minima", "Open with the spectrum drawn", nullptr, [&] {
        const int before = s.paints4.count;
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [&, before, deadline, poll] {
            const bool up = QApplication::activeModalWidget() == &s.view4 && s.paints4.count > before;
            if (up || Clock::now() > deadline) {
                if (!up) s.platform.problems.push_back("error: the minima window did not paint");
                s.view4.reject();
            } else {
                QTimer::singleShot(0, *poll);
            }
        };
        QTimer::singleShot(0, *poll);
        click(form.Button2);
    });
}

void Bench::Bulk(Session& s, const Files& f, int n) {
    TForm3& form = s.app.Form3;
    qt::ChartWidget& chart = s.view3.Chart();
    const std::string w = "Bulk";
    auto click = [&form](Button& b) { form.Dispatch([&b] { b.Click(); }); };
    auto choose = [&form](RadioButton& b) { form.Dispatch([&b] { b.Click(); }); };

    // The reflection spectrum is the source: both boxes unchecked.
    if (form.InpR.Checked() || form.InpN.Checked()) form.Dispatch([&] { form.InpR.Click(); });
    form.Dispatch([&] { form.Thickness.SetText("0.1"); });

    Time(s, n, w, "Import T Spectrum", [&] { s.platform.openAnswers.push_back(f.bulkT.string()); },
         [&] { click(form.import1); });
    Time(s, n, w, "Import R spectrum", [&] { s.platform.openAnswers.push_back(f.bulkR.string()); },
         [&] { click(form.Button2); });
    if (form.InpR.Checked() || form.InpN.Checked()) std::fprintf(stderr, "bulk: reflection source not chosen\n");
    Time(s, n, w, "Calculate (resampling)", nullptr, [&] { click(form.Calculate); });
    Time(s, n, w, "Graph: transmission", [&] { choose(form.RadioButton1); }, [&] { choose(form.RadioButton4); });
    Time(s, n, w, "Graph: reflection", [&] { choose(form.RadioButton4); }, [&] { choose(form.RadioButton1); });
    Time(s, n, w, "Graph: absorption", [&] { choose(form.RadioButton4); }, [&] { choose(form.RadioButton2); });
    TaucAndChartActions(s, n, w, form, chart, "2.5", "2.6");
    Time(s, n, w, "Save Results (2 files)",
         [&] {
             const fs::path base = dir_ / ("bulk" + std::to_string(n));
             RemoveResults(base, {"Abs.txt", "tauc.txt"});
             s.platform.saveAnswers.push_back(base.string());
         },
         [&] { click(form.Button1); });
}

void Bench::RunSize(int n) {
    const Files files = MakeFiles(dir_, n);
    Session session;
    ThinFilm(session, files, n);
    Bulk(session, files, n);
    synthetic::Film film;
    film.thicknessNm = 5500;
    MeasureFloor(n, synthetic::Spectrum(film, 350, 1500, n), session.view1.Chart().size());
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}
double Worst(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

// The targets: near the drawing floor at a typical 2000 points (2 ms, a small part of
// a frame), within 50 ms at capacity.
std::optional<double> Target(int size) {
    if (size <= 2000) return 2.0;
    if (size >= 100000) return 50.0;
    return std::nullopt;
}

void Print(const Bench& bench, const std::vector<int>& sizes, int runs) {
    std::printf("Milliseconds from the event to the end of the repaint; median / worst of %d runs; "
                "x = median over the polyline floor of the same size. * misses the target.\n\n",
                runs);
    std::printf("| window | action |");
    for (int n : sizes) std::printf(" %d pts median | worst | x floor |", n);
    std::printf("\n|---|---|");
    for (std::size_t i = 0; i < sizes.size(); ++i) std::printf("---:|---:|---:|");
    std::printf("\n| | polyline floor (QPainter, QImage of the chart's size) |");
    for (int n : sizes) {
        auto it = bench.floor.find(n);
        if (it == bench.floor.end()) {
            std::printf(" | | |");
            continue;
        }
        std::printf(" %.2f | %.2f | 1 |", Median(it->second), Worst(it->second));
    }
    std::printf("\n");
    for (const Row& row : bench.rows) {
        std::printf("| %s | %s |", row.window.c_str(), row.action.c_str());
        for (int n : sizes) {
            auto it = row.runs.find(n);
            if (it == row.runs.end()) {
                std::printf(" | | |");
                continue;
            }
            const double median = Median(it->second);
            const auto target = Target(n);
            const bool miss = target && median > *target;
            const double fl = Median(bench.floor.at(n));
            std::printf(" %.2f%s | %.2f | %.0f |", median, miss ? "*" : "", Worst(it->second),
                        fl > 0 ? median / fl : 0.0);
        }
        std::printf("\n");
    }
    bool any = false;
    for (const Row& row : bench.rows)
        for (const auto& [n, text] : row.problem) {
            if (!any) std::printf("\nMessages and errors shown during the runs:\n");
            any = true;
            std::printf("- %s / %s at %d points: %s\n", row.window.c_str(), row.action.c_str(), n, text.c_str());
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetDecimalSeparator('.');

    int runs = 7;
    std::vector<int> sizes{2000, 20000, 100000};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--runs=", 0) == 0) {
            runs = std::max(1, std::atoi(arg.c_str() + 7));
        } else if (arg.rfind("--sizes=", 0) == 0) {
            sizes.clear();
            std::string list = arg.substr(8);
            for (std::size_t at = 0; at < list.size();) {
                const std::size_t comma = std::min(list.find(',', at), list.size());
                const int n = std::atoi(list.substr(at, comma - at).c_str());
                if (n >= 100 && n <= 100000) sizes.push_back(n);
                at = comma + 1;
            }
        } else {
            std::fprintf(stderr, "usage: %s [--runs=N] [--sizes=2000,20000,100000]\n", argv[0]);
            return 2;
        }
    }

    const fs::path dir = fs::temp_directory_path() / ("gui_actions_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    Bench bench(runs, dir);
    for (int n : sizes) bench.RunSize(n);
    Print(bench, sizes, runs);
    fs::remove_all(dir);
    return 0;
}
