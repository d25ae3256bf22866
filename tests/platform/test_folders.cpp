// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/Files.h"
#include "platform/Folders.h"

namespace {

using platform::ChooseWorkingFolder;
using platform::FolderFacts;

std::string TempFolder(const char* tag) {
  std::string pattern = std::string("/tmp/ot_folders_") + tag + "_XXXXXX";
  char* made = ::mkdtemp(pattern.data());
  return made != nullptr ? std::string(made) : std::string();
}

FolderFacts InstalledFacts() {
  FolderFacts f;
  f.executableFolder = "/usr/games";
  f.resourceFolder = "/usr/share/games/ostrel-trains";
  f.home = "/home/ann";
  return f;
}

TEST(WorkingFolder, OverrideThenPortableCopyThenUserData) {
  FolderFacts f = InstalledFacts();
  EXPECT_EQ(ChooseWorkingFolder(f), "/home/ann/.local/share/ostrel-trains");
  f.xdgDataHome = "/home/ann/data/";
  EXPECT_EQ(ChooseWorkingFolder(f), "/home/ann/data/ostrel-trains");
  f.xdgDataHome = "data";  // a relative XDG_DATA_HOME is invalid and ignored
  EXPECT_EQ(ChooseWorkingFolder(f), "/home/ann/.local/share/ostrel-trains");

  // A copy that carries its resources keeps its files beside the program...
  f.executableFolder = f.resourceFolder = "/home/ann/ot";
  f.executableHasResources = true;
  f.executableFolderWritable = true;
  EXPECT_EQ(ChooseWorkingFolder(f), "/home/ann/ot");
  // ...unless the environment names another folder.
  f.homeOverrideSet = true;
  f.homeOverride = "/srv/trains";
  EXPECT_EQ(ChooseWorkingFolder(f), "/srv/trains");
}

TEST(WorkingFolder, ProgramFolderOnlyWhenItHoldsResourcesAndIsWritable) {
  FolderFacts f = InstalledFacts();
  f.executableFolder = f.resourceFolder = "/opt/ot";
  f.executableHasResources = true;
  f.executableFolderWritable = false;
  EXPECT_EQ(ChooseWorkingFolder(f), "/home/ann/.local/share/ostrel-trains");
  // No resources anywhere: the program's folder is still the resource folder
  // named, but nothing is there to keep the player's files beside.
  f.executableHasResources = false;
  f.executableFolderWritable = true;
  EXPECT_EQ(ChooseWorkingFolder(f), "/home/ann/.local/share/ostrel-trains");
}

TEST(ResourceFolder, ArchiveOrLooseFolderCounts) {
  const std::string dir = TempFolder("res");
  ASSERT_FALSE(dir.empty());
  EXPECT_FALSE(platform::HasResources(dir));
  ASSERT_TRUE(core::CreateFolder(dir + "/Dat"));
  EXPECT_TRUE(platform::HasResources(dir));
  ::rmdir((dir + "/Dat").c_str());
  std::ofstream(dir + "/data.dat") << "x";
  EXPECT_TRUE(platform::HasResources(dir));
  std::remove((dir + "/data.dat").c_str());
  ::rmdir(dir.c_str());
  EXPECT_FALSE(platform::HasResources(""));
}

TEST(ResourceFolder, ProgramFolderThenTreeItIsInstalledInThenConfiguredFolder) {
  // An installed tree unpacked in a temporary root: <root>/games holds the program.
  const std::string root = TempFolder("root");
  const std::string installed = TempFolder("inst");
  ASSERT_FALSE(root.empty() || installed.empty());
  const std::string exe = root + "/games";
  const std::string beside = platform::InstalledDataFolderBeside(exe);
  EXPECT_EQ(beside, root + "/share/games/ostrel-trains");
  EXPECT_EQ(platform::InstalledDataFolderBeside("/usr/games"), "/usr/share/games/ostrel-trains");
  EXPECT_EQ(platform::InstalledDataFolderBeside(""), "");
  ASSERT_TRUE(platform::CreateFolderPath(exe, 0700) && platform::CreateFolderPath(beside, 0700));
  const std::vector<std::string> order = {exe, beside, installed};

  // None holds resources: the program's folder, where the error will name them.
  EXPECT_EQ(platform::FindResourceFolder(order), exe);
  ASSERT_TRUE(core::CreateFolder(installed + "/Dat"));
  EXPECT_EQ(platform::FindResourceFolder(order), installed);
  std::ofstream(beside + "/data.dat") << "x";
  EXPECT_EQ(platform::FindResourceFolder(order), beside);
  std::ofstream(exe + "/data.dat") << "x";
  EXPECT_EQ(platform::FindResourceFolder(order), exe);

  std::remove((exe + "/data.dat").c_str());
  std::remove((beside + "/data.dat").c_str());
  for (const std::string& dir :
       {beside, root + "/share/games", root + "/share", exe, root, installed + "/Dat", installed})
    ::rmdir(dir.c_str());
}

TEST(ResourceFolder, TheTestProgramsFolderIsTheExecutablesFolder) {
  EXPECT_EQ(platform::ExecutableFolder(), std::string(OT_BINARY_DIR));
  EXPECT_EQ(platform::InstalledDataFolder().substr(0, 1), "/");
}

TEST(EnterWorkingFolder, CreatesMissingParentsPrivatelyAndEntersIt) {
  const std::string dir = TempFolder("enter");
  ASSERT_FALSE(dir.empty());
  char before[4096];
  ASSERT_NE(::getcwd(before, sizeof before), nullptr);
  const std::string target = dir + "/a/b/ostrel-trains";
  ASSERT_TRUE(platform::EnterWorkingFolder(target));
  char now[4096];
  ASSERT_NE(::getcwd(now, sizeof now), nullptr);
  EXPECT_EQ(std::string(now), target);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Entering an existing folder works too.
  EXPECT_TRUE(platform::EnterWorkingFolder(target));
  ASSERT_EQ(::chdir(before), 0);
  ::rmdir(target.c_str());
  ::rmdir((dir + "/a/b").c_str());
  ::rmdir((dir + "/a").c_str());
  ::rmdir(dir.c_str());
}

TEST(EnterWorkingFolder, FailsWhereNothingCanBeCreated) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(platform::EnterWorkingFolder("/proc/ot-cannot-exist/x"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Error: cannot create the folder"),
            std::string::npos);
}

}  // namespace
