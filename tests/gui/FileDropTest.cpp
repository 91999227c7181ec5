// Files dropped on the Thin Films and Bulk windows, and files named outside the open
// dialog: each is imported as the window's own import button would import it.
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "bulk/Main_3View.h"
#include "support/SourceTree.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ui/NamedFile.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

// Drops `urls` on `target` at its middle, as the window system delivers a drop, and
// lets the deferred import run.
bool Drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &drop);
    QTest::qWait(20);
    return drop.isAccepted();
}

QUrl File(const char* name) { return QUrl::fromLocalFile(QString::fromStdString((kExamples / name).string())); }

TEST(FileDrop, ImportsTheDroppedFileAsTheWindowsImportWould) {
    ScriptedPlatform platform;
    auto thin = ThinFilmData::Create();
    TForm1 form1(platform, *thin, [] { return UnitChoices{}; });
    TForm1View view1(form1);
    auto bulk = BulkData::Create();
    TForm3 form3(platform, *bulk, [] { return UnitChoices{}; });
    TForm3View view3(form3);

    struct Case {
        const char* what;
        QWidget* target;
        QList<QUrl> urls;
        bool taken;
        StaticText* shown;  // the file name's text the import fills
        const char* file;
    };
    QWidget* fringesFile = view1.findChild<QLabel*>("Fileshow2");
    QWidget* fringesButton = view1.findChild<QWidget*>("Import2");
    ASSERT_TRUE(fringesFile && fringesButton);
    const Case cases[] = {
        {"spectrum on the Thin Films window", &view1, {File("thinfilm-transmission.txt")}, true, &form1.Fileshow1,
         "thinfilm-transmission.txt"},
        {"CSV spectrum on the Thin Films window", &view1, {File("thinfilm-transmission.csv")}, true,
         &form1.Fileshow1, "thinfilm-transmission.csv"},
        {"fringes on the fringes' file name", fringesFile, {File("thinfilm-fringes.txt")}, true, &form1.Fileshow2,
         "thinfilm-fringes.txt"},
        {"fringes on Import Fringes", fringesButton, {File("thinfilm-fringes.txt")}, true, &form1.Fileshow2,
         "thinfilm-fringes.txt"},
        {"T spectrum on the Bulk window", &view3, {File("bulk-transmission.txt")}, true, &form3.Fileshow1,
         "bulk-transmission.txt"},
        {"two files at once", &view1, {File("thinfilm-transmission.txt"), File("thinfilm-fringes.txt")}, false,
         nullptr, nullptr},
        {"not a local file", &view3, {QUrl("https://example.org/t.txt")}, false, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.shown) c.shown->SetText("");
        EXPECT_EQ(Drop(*c.target, c.urls), c.taken);
        if (c.shown) {
            EXPECT_NE(c.shown->Text().find(c.file), std::string::npos) << c.shown->Text();
        }
        EXPECT_TRUE(platform.openAnswers.empty());
    }
    EXPECT_EQ(thin->SpecCount, 801);
    EXPECT_EQ(thin->ExtCount, 18);
    EXPECT_GT(bulk->SpecCount, 0);
    EXPECT_TRUE(platform.errors.empty());
}

// A name that is no file is the import's error box, and nothing of the window changes.
TEST(FileDrop, ANamedFileThatIsNoFileIsTheFileError) {
    ScriptedPlatform platform;
    auto thin = ThinFilmData::Create();
    TForm1 form1(platform, *thin, [] { return UnitChoices{}; });
    ImportNamedFile(form1, form1.import1, "/no/such/spectrum.txt");
    ASSERT_TRUE(form1.LastEventError());
    EXPECT_EQ(form1.LastEventError()->text, "File not found");
    EXPECT_NE(form1.LastEventError()->detail.find("/no/such/spectrum.txt"), std::string::npos);
    EXPECT_EQ(form1.Fileshow1.Text(), "File1");
    EXPECT_TRUE(platform.openAnswers.empty());
}

}  // namespace
}  // namespace optc::qt
