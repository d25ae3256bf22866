// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/SystemInfo.h"

namespace {

const char kTwoProcessors[] =
    "processor\t: 0\n"
    "vendor_id\t: GenuineIntel\n"
    "cpu family\t: 6\n"
    "model\t\t: 158\n"
    "model name\t: Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz\n"
    "stepping\t: 10\n"
    "cpu MHz\t\t: 3191.998\n"
    "flags\t\t: fpu vme de\n"
    "\n"
    "processor\t: 1\n"
    "BogoMIPS\t: 48.00\n"
    "CPU implementer\t: 0x41\n"
    "\n";

TEST(SystemInfoSources, ProcessorsFromCpuInfo) {
  const auto cpus = platform::ParseCpuInfo(kTwoProcessors);
  ASSERT_EQ(cpus.size(), 2u);
  EXPECT_EQ(cpus[0].name, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
  EXPECT_EQ(cpus[0].identifier, "family 6 model 158 stepping 10");
  EXPECT_EQ(cpus[0].vendor, "GenuineIntel");
  EXPECT_EQ(cpus[0].mhz, 3191u);
  // A processor that describes itself differently has no name, identifier or clock.
  EXPECT_EQ(cpus[1].name, "");
  EXPECT_EQ(cpus[1].identifier, "");
  EXPECT_EQ(cpus[1].mhz, 0u);
  EXPECT_TRUE(platform::ParseCpuInfo("").empty());
}

TEST(SystemInfoSources, MemoryFromMemInfo) {
  const auto memory = platform::ParseMemInfo(
      "MemTotal:       16000000 kB\n"
      "MemFree:         1000000 kB\n"
      "MemAvailable:    4000000 kB\n"
      "SwapTotal:       2000000 kB\n"
      "SwapFree:        1500000 kB\n");
  EXPECT_TRUE(memory.known);
  EXPECT_EQ(memory.physicalTotal, 16'384'000'000u);
  EXPECT_EQ(memory.physicalAvailable, 4'096'000'000u);
  EXPECT_EQ(memory.pagingTotal, 2'048'000'000u);
  EXPECT_EQ(memory.pagingAvailable, 1'536'000'000u);
  EXPECT_EQ(memory.loadPercent, 75u);
  EXPECT_FALSE(memory.virtualKnown);

  // Old kernels have no MemAvailable: the free memory stands in.
  const auto old = platform::ParseMemInfo("MemTotal: 1000 kB\nMemFree: 100 kB\n");
  EXPECT_EQ(old.loadPercent, 90u);
  EXPECT_FALSE(platform::ParseMemInfo("nonsense").known);
}

class VideoCardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_drm_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  void MakeCard(const std::string& name, const std::string& vendor, const std::string& device,
                const std::string& driver) {
    const std::string folder = dir_ + "/" + name + "/device";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
    std::ofstream(folder + "/vendor") << vendor << "\n";
    std::ofstream(folder + "/device") << device << "\n";
    if (!driver.empty()) {
      ASSERT_EQ(
          ::symlink(("../../bus/pci/drivers/" + driver).c_str(), (folder + "/driver").c_str()), 0);
    }
  }

  std::string dir_;
};

TEST_F(VideoCardTest, FirstCardWithAPciDevice) {
  MakeCard("card10", "0x10de", "0x1c82", "nouveau");
  MakeCard("card1-HDMI-A-1", "0xffff", "0xffff", "");
  MakeCard("card2", "0x8086", "0x3e92", "i915");
  const auto card = platform::ReadVideoCard(dir_);
  EXPECT_TRUE(card.present);
  EXPECT_EQ(card.name, "PCI vendor 0x8086 device 0x3e92");
  EXPECT_EQ(card.driverFile, "i915");
  EXPECT_EQ(card.memoryBytes, 0u);
}

TEST_F(VideoCardTest, NoCardNoDriverOrNoFolder) {
  EXPECT_FALSE(platform::ReadVideoCard(dir_).present);
  EXPECT_FALSE(platform::ReadVideoCard(dir_ + "/missing").present);
  MakeCard("card0", "0x1af4", "0x1050", "");
  const auto card = platform::ReadVideoCard(dir_);
  EXPECT_TRUE(card.present);
  EXPECT_EQ(card.driverFile, "");
}

TEST(SystemInfoGather, DescribesThisProcess) {
  const platform::SystemInfo info = platform::GatherSystemInfo();
  EXPECT_GE(info.processorCount, 1);
  EXPECT_FALSE(info.osLine.empty());
  char cwd[PATH_MAX];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(info.programPath, cwd);
  EXPECT_TRUE(info.windowsPath.empty());
  // The tests run under the dummy video driver: the desktop is not asked for.
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver != nullptr && std::string(driver) == "dummy") {
    EXPECT_FALSE(info.screen.known);
  }
}

}  // namespace
