// Where the file dialogs start: the repository's examples until the user chooses a
// file, then the folder of the file chosen last.
#include "ui/DialogFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace optc {
namespace {

namespace fs = std::filesystem;

TEST(DialogFolders, ExamplesFirstThenTheFolderLastChosen) {
    DialogFolders folders("/repo/examples");
    EXPECT_EQ(folders.OpenFolder(), "/repo/examples");
    EXPECT_EQ(folders.SaveFolder(), "");  // results never go to the examples by default

    folders.Chosen("/data/films/run7.txt");
    EXPECT_EQ(folders.OpenFolder(), "/data/films");
    EXPECT_EQ(folders.SaveFolder(), "/data/films");
    folders.Chosen("/results/sample");  // a save dialog's base name counts too
    EXPECT_EQ(folders.OpenFolder(), "/results");
    folders.Chosen("bare-name.txt");  // no folder to take: the last one stays
    EXPECT_EQ(folders.OpenFolder(), "/results");

    DialogFolders none;
    EXPECT_EQ(none.OpenFolder(), "");
}

TEST(DialogFolders, FindsTheExamplesOfTheRepositoryTheProgramRunsFrom) {
    std::set<std::string> existing;
    auto isFolder = [&](const std::string& p) { return existing.count(p) > 0; };

    // build/ inside the repository: examples beside it.
    existing = {"/home/u/optc/examples"};
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc/build", "/home/u/optc", isFolder), "/home/u/optc/examples");
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc/build/", "", isFolder), "/home/u/optc/examples");
    // A build folder deeper in the tree finds the source tree's examples.
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc/out/release", "/home/u/optc", isFolder),
              "/home/u/optc/examples");
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc/out/../out/release", "/home/u/optc/", isFolder),
              "/home/u/optc/examples");
    // An executable outside the source tree does not use it; a tree whose name merely
    // begins with the source folder's is outside it.
    EXPECT_EQ(DialogFolders::FindExamples("/usr/local/bin", "/home/u/optc", isFolder), "");
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc2/out/release", "/home/u/optc", isFolder), "");
    // An installed program finds the examples installed under its prefix, but one run
    // from the repository keeps the repository's even when a package is installed too.
    existing = {"/usr/share/doc/optical-constants/examples", "/home/u/optc/examples"};
    EXPECT_EQ(DialogFolders::FindExamples("/usr/bin", "/home/u/optc", isFolder),
              "/usr/share/doc/optical-constants/examples");
    EXPECT_EQ(DialogFolders::FindExamples("/opt/oc/bin/", "", isFolder), "");
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc/build", "/home/u/optc", isFolder), "/home/u/optc/examples");
    // No examples folder anywhere.
    existing.clear();
    EXPECT_EQ(DialogFolders::FindExamples("/home/u/optc/build", "/home/u/optc", isFolder), "");
    EXPECT_EQ(DialogFolders::FindExamples("", "/home/u/optc", isFolder), "");

    // The same on the real file system: a file named "examples" is no folder.
    const fs::path root = fs::temp_directory_path() / ("dialog_folders_" + std::to_string(::getpid()));
    fs::create_directories(root / "build");
    std::ofstream((root / "examples").string()) << "not a folder";
    EXPECT_EQ(DialogFolders::FindExamples((root / "build").string(), root.string()), "");
    fs::remove(root / "examples");
    fs::create_directories(root / "examples");
    EXPECT_EQ(DialogFolders::FindExamples((root / "build").string(), root.string()), (root / "examples").string());
    fs::remove_all(root);
}

}  // namespace
}  // namespace optc
