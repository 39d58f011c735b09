#include "tools/demo/DemoOptions.h"

#include <gtest/gtest.h>

using demo::DemoOptions;

TEST(DemoOptionsTest, ModesAndFoldersComeFromTheFlagsAndBadFlagsAreRefused) {
    const auto plain = DemoOptions::parse({});
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->story);
    EXPECT_FALSE(plain->headless);
    // Both folders default to the build folder that holds the binary, never the working folder.
    EXPECT_EQ(plain->screenshotsDir.parent_path(), plain->dataDir.parent_path());
    EXPECT_EQ(plain->screenshotsDir.filename(), "screenshots");

    const auto headless = DemoOptions::parse({"--headless", "--screenshots", "/tmp/shots", "--origin", "http://x"});
    ASSERT_TRUE(headless);
    EXPECT_TRUE(headless->headless);
    EXPECT_TRUE(headless->story) << "choosing the mode is not an action";
    EXPECT_EQ(headless->screenshotsDir, "/tmp/shots");
    EXPECT_EQ(headless->origin, "http://x");

    const auto once = DemoOptions::parse({"--accept-all"});
    ASSERT_TRUE(once);
    EXPECT_FALSE(once->story);

    EXPECT_FALSE(DemoOptions::parse({"--screenshots"})) << "a flag without its value";
    EXPECT_FALSE(DemoOptions::parse({"--window"})) << "an unknown flag";
}
