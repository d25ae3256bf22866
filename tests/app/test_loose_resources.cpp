#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/LooseResources.h"

namespace {

namespace fs = std::filesystem;

class LooseResourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_loose_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "res/Dat");
    std::ofstream(root_ / "res/Dat/ver.txt") << "1.0";
    fs::create_directories(root_ / "work");
    old_ = fs::current_path();
    fs::current_path(root_ / "work");
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(root_);
  }
  std::string Res() const { return (root_ / "res").string(); }
  std::string Work() const { return (root_ / "work").string(); }
  fs::path root_, old_;
};

TEST_F(LooseResourcesTest, LooseFilesElsewhereAreReachedThroughALink) {
  ASSERT_TRUE(LinkLooseResources(Res(), Work()));
  EXPECT_TRUE(fs::is_symlink("Dat"));
  std::ifstream in("Dat/ver.txt");
  std::string text;
  in >> text;
  EXPECT_EQ(text, "1.0");
  // A second start finds the link in place.
  EXPECT_TRUE(LinkLooseResources(Res(), Work()));
}

TEST_F(LooseResourcesTest, NoLinkWhenAnArchiveOrTheSameFolderServes) {
  EXPECT_TRUE(LinkLooseResources(Work(), Work()));
  std::ofstream(root_ / "res/data.dat") << "x";
  EXPECT_TRUE(LinkLooseResources(Res(), Work()));
  EXPECT_FALSE(fs::exists(fs::symlink_status("Dat")));
}

TEST_F(LooseResourcesTest, AStaleLinkIsReplacedAndOwnFilesAreKept) {
  fs::create_directory_symlink(root_ / "elsewhere", "Dat");
  ASSERT_TRUE(LinkLooseResources(Res(), Work()));
  EXPECT_EQ(fs::read_symlink("Dat"), root_ / "res/Dat");
  fs::remove("Dat");
  fs::create_directory("Dat");
  ASSERT_TRUE(LinkLooseResources(Res(), Work()));
  EXPECT_FALSE(fs::is_symlink("Dat"));
}

}  // namespace
