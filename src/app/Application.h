#pragma once
// The application object without its windows: the two workspaces and the four forms,
// created once in the order start, bulk, thin film, minima, living until the program
// ends. The windowed program adds the Qt views; batch runs use it as it is.
#include <memory>

#include "app/main_2.h"
#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_4.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/Platform.h"

namespace optc {

class Application {
public:
    explicit Application(Platform& platform) : platform_(platform) { Form1.SetMinimaForm(Form4); }
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

private:
    Platform& platform_;
    // Allocated once; each reserves tens of megabytes, taken only as far as spectra reach.
    std::unique_ptr<ThinFilmData> thinFilmData_ = ThinFilmData::Create();
    std::unique_ptr<BulkData> bulkData_ = BulkData::Create();

public:
    // The start window refers to the two analysis windows it opens; the imports read
    // its unit choices at the moment they run.
    TForm2 Form2{platform_, Form3, Form1};
    TForm3 Form3{platform_, *bulkData_, [this] { return Form2.Units(); }};
    TForm1 Form1{platform_, *thinFilmData_, [this] { return Form2.Units(); }};
    TForm4 Form4{platform_, *thinFilmData_};
};

}  // namespace optc
