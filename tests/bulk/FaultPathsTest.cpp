// File errors reach the user through the bulk imports too, and end the import there.
#include "BulkFixture.h"

namespace optc::testing {
namespace {

using BulkFaultPaths = BulkWindowTest;

TEST_F(BulkFaultPaths, AFolderChosenAsTheSpectrumIsRefusedByTheFileLayer) {
    const std::string folder = temp.Path().string();
    platform.existingFiles = std::set<std::string>{folder};
    ImportT(folder);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "File access denied");
    EXPECT_EQ(data->SpecCount, 0);
    ImportR(folder);
    EXPECT_EQ(platform.errors.back(), "File access denied");
    EXPECT_EQ(data->ReflCount, 0);
}

}  // namespace
}  // namespace optc::testing
