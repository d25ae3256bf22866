// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Cipher.h"
#include "core/LParams.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Unsealed(const std::string& sealed) {
  std::string plain(sealed.size() + 100, '\0');
  const int32_t n =
      Unseal(ProgramCipher(), reinterpret_cast<const uint8_t*>(sealed.data()),
             static_cast<int32_t>(sealed.size()), reinterpret_cast<uint8_t*>(plain.data()),
             static_cast<int32_t>(plain.size()) - 8);
  plain.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return plain;
}

// The plain document of the given entries, every number as "%8d".
std::string Document(const std::vector<std::pair<std::string, std::string>>& entries) {
  auto number = [](size_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%8zu", n);
    return std::string(text);
  };
  std::string doc = number(entries.size());
  for (const auto& [key, value] : entries) {
    doc += number(key.size()) + key + number(value.size()) + value;
  }
  return doc;
}

std::string Sealed(const std::string& plain) {
  std::string out(plain.size() + 17, '\0');
  const int32_t n = Seal(ProgramCipher(), reinterpret_cast<const uint8_t*>(plain.data()),
                         static_cast<int32_t>(plain.size()), reinterpret_cast<uint8_t*>(out.data()),
                         static_cast<int32_t>(out.size()), false);
  out.resize(static_cast<size_t>(n));
  return out;
}

class ParamsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_params_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/globals.sav";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  // Writes the settings a first version would keep: ver, a volume and a switch.
  void WriteOld(const std::string& path) {
    LParams params;
    ASSERT_TRUE(params.OpenWrite(path));
    std::string ver = "1.0";
    int32_t volume = 64;
    params.Text("Globals.", "ver", ver, kSave);
    params.Long("Globals.", "SoundVolume", volume, kSave);
    ASSERT_TRUE(params.Close());
  }

  // True when path loads and holds what WriteOld wrote.
  static bool HoldsOld(const std::string& path) {
    LParams params;
    ::testing::internal::CaptureStdout();
    const bool opened = params.OpenRead(path);
    ::testing::internal::GetCapturedStdout();
    std::string ver;
    int32_t volume = 0;
    params.Text("Globals.", "ver", ver, kLoad);
    params.Long("Globals.", "SoundVolume", volume, kLoad);
    return opened && params.AllFound && ver == "1.0" && volume == 64;
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir_.c_str());
    while (d != nullptr) {
      const dirent* e = ::readdir(d);
      if (e == nullptr) break;
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
        names.push_back(e->d_name);
    }
    if (d != nullptr) ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(ParamsTest, OneTextGivesTheThirtyEightByteDocument) {
  LParams params;
  ASSERT_TRUE(params.OpenWrite(path_));
  EXPECT_TRUE(params.AllFound);
  std::string ver = "1.0";
  EXPECT_TRUE(params.Text("Globals.", "ver", ver, kSave));
  EXPECT_TRUE(params.Close());
  const std::string sealed = ReadFile(path_);
  EXPECT_EQ(sealed.back(), 'n');
  const std::string plain = Unsealed(sealed);
  EXPECT_EQ(plain, "       1      11Globals.ver       31.0");
  EXPECT_EQ(plain.size(), 38u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"globals.sav"});
}

TEST_F(ParamsTest, EveryKindRoundTrips) {
  {
    LParams params;
    ASSERT_TRUE(params.OpenWrite(path_));
    const char raw[] = "Line\nwith \0 bytes\x01";
    std::string name(raw, sizeof raw - 1);
    int32_t money = -2147483647 - 1;
    double speed = 0.5;
    bool sound = true;
    params.Text("Globals.", "Globals.PlayerName", name, kSave);
    params.Long("Game.", "Money", money, kSave);
    params.Double("Game.", "Speed", speed, kSave);
    params.Bool("Globals.", "Sound", sound, kSave);
    EXPECT_EQ(params.Entries()[2].second, "5.00000000000000e-01");
    ASSERT_TRUE(params.Close());
  }
  LParams params;
  ASSERT_TRUE(params.OpenRead(path_));
  std::string name;
  int32_t money = 0;
  double speed = 0;
  bool sound = false;
  EXPECT_TRUE(params.Text("Globals.", "Globals.PlayerName", name, kLoad));
  EXPECT_TRUE(params.Long("Game.", "Money", money, kLoad));
  EXPECT_TRUE(params.Double("Game.", "Speed", speed, kLoad));
  EXPECT_TRUE(params.Bool("Globals.", "Sound", sound, kLoad));
  const char raw[] = "Line\nwith \0 bytes\x01";
  EXPECT_EQ(name, std::string(raw, sizeof raw - 1));
  EXPECT_EQ(money, -2147483647 - 1);
  EXPECT_EQ(speed, 0.5);
  EXPECT_TRUE(sound);
  EXPECT_TRUE(params.AllFound);
  EXPECT_TRUE(params.Close());
  EXPECT_TRUE(params.Entries().empty());
}

TEST_F(ParamsTest, MissingValuesClearAllFoundUnlessOptional) {
  WriteOld(path_);
  LParams params;
  ASSERT_TRUE(params.OpenRead(path_));
  int32_t level = 7;
  EXPECT_FALSE(params.Long("Globals.", "Level", level, kLoad, true));
  EXPECT_TRUE(params.AllFound);
  EXPECT_FALSE(params.Long("Globals.", "Level", level, kLoad));
  EXPECT_FALSE(params.AllFound);
  EXPECT_EQ(level, 7);
  // Another direction does nothing.
  EXPECT_FALSE(params.Long("Globals.", "SoundVolume", level, 2, true));
  EXPECT_EQ(level, 7);
  // Keys are prefix and name joined without a separator.
  EXPECT_TRUE(params.Long("Globals.Sound", "Volume", level, kLoad));
  EXPECT_EQ(level, 64);
}

TEST_F(ParamsTest, FirstOfDuplicateKeysWinsAndTextsConvertLikeTheRuntime) {
  WriteFile(path_, Sealed(Document({{"Key", "first"},
                                    {"Key", "second"},
                                    {"Flag", "true"},
                                    {"Num", " 42abc"},
                                    {"Bad", "abc"},
                                    {"a", "5.00000000000000e-001"},
                                    {"b", "-2.50000000000000e-05"}})));
  LParams params;
  ASSERT_TRUE(params.OpenRead(path_));
  EXPECT_EQ(params.Entries().size(), 7u);
  std::string text;
  EXPECT_TRUE(params.Text("", "Key", text, kLoad));
  EXPECT_EQ(text, "first");
  bool flag = true;
  EXPECT_TRUE(params.Bool("", "Flag", flag, kLoad));
  EXPECT_FALSE(flag);
  int32_t number = 0;
  EXPECT_TRUE(params.Long("", "Num", number, kLoad));
  EXPECT_EQ(number, 42);
  EXPECT_TRUE(params.Long("", "Bad", number, kLoad));
  EXPECT_EQ(number, 0);
  // Doubles read back whatever the width of their exponent.
  double a = 0, b = 0;
  EXPECT_TRUE(params.Double("", "a", a, kLoad));
  EXPECT_TRUE(params.Double("", "b", b, kLoad));
  EXPECT_EQ(a, 0.5);
  EXPECT_EQ(b, -2.5e-5);
}

TEST_F(ParamsTest, ValuesSavedAfterAFailedOpenWriteAreNeverReadBack) {
  WriteOld(path_);
  const std::string nowhere = dir_ + "/missing/game.sav";
  LParams params;
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(params.OpenWrite(nowhere));
  int32_t volume = 5;
  params.Long("Globals.", "SoundVolume", volume, kSave);
  params.Close();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error open file " + nowhere + "\n");
  ASSERT_TRUE(params.OpenRead(path_));
  EXPECT_TRUE(params.Long("Globals.", "SoundVolume", volume, kLoad));
  EXPECT_EQ(volume, 64);

  // Nor do they stand in for a file that cannot be read.
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(params.OpenWrite(nowhere));
  volume = 5;
  params.Long("Globals.", "SoundVolume", volume, kSave);
  EXPECT_FALSE(params.OpenRead(dir_ + "/none.sav"));
  ::testing::internal::GetCapturedStdout();
  volume = 64;
  EXPECT_FALSE(params.Long("Globals.", "SoundVolume", volume, kLoad));
  EXPECT_EQ(volume, 64);
}

TEST_F(ParamsTest, EmptyDamagedOrMissingFilesLoadNothing) {
  LParams params;
  WriteFile(path_, "");
  EXPECT_FALSE(params.OpenRead(path_));
  EXPECT_FALSE(params.AllFound);

  WriteOld(path_);
  std::string damaged = ReadFile(path_);
  damaged[3] ^= 0x10;
  WriteFile(path_, damaged);
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(params.OpenRead(path_));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(params.Entries().empty());
  std::string ver = "default";
  EXPECT_FALSE(params.Text("Globals.", "ver", ver, kLoad));
  EXPECT_EQ(ver, "default");

  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(params.OpenRead(dir_ + "/none.sav"));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error open file " + dir_ + "/none.sav\n");
}

TEST_F(ParamsTest, CountsAndLengthsRunningPastTheDocumentFailTheOpen) {
  const char* documents[] = {
      "",                              // no count at all
      "       ",                       // count cut short
      "       2       1a       1b",    // one entry too few
      "       1    1000key       1v",  // key longer than the rest
      "       1       3key99999999v",  // value longer than the rest
      "       1       3key       2v",  // value one byte short
      "       1      -3key       1v",  // negative length
      "99999999",                      // count far beyond the document
  };
  for (const char* doc : documents) {
    WriteFile(path_, Sealed(doc));
    LParams params;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(params.OpenRead(path_)) << doc;
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(params.Entries().empty()) << doc;
    EXPECT_FALSE(params.AllFound);
  }
  WriteFile(path_, Sealed("       0"));
  LParams params;
  EXPECT_TRUE(params.OpenRead(path_));
  EXPECT_TRUE(params.Entries().empty());
  EXPECT_TRUE(params.AllFound);
}

TEST_F(ParamsTest, OpeningAnotherFileWritesTheOneOpenForWriting) {
  WriteOld(path_);
  LParams params;
  ASSERT_TRUE(params.OpenWrite(dir_ + "/game.sav"));
  int32_t round = 3;
  params.Long("Game.", "CurrentRound", round, kSave);
  ASSERT_TRUE(params.OpenRead(path_));
  EXPECT_TRUE(HoldsOld(path_));
  ASSERT_TRUE(params.OpenRead(dir_ + "/game.sav"));
  round = 0;
  EXPECT_TRUE(params.Long("Game.", "CurrentRound", round, kLoad));
  EXPECT_EQ(round, 3);
}

TEST_F(ParamsTest, DestroyingAnOpenWriterWritesNothing) {
  WriteOld(path_);
  {
    LParams params;
    ASSERT_TRUE(params.OpenWrite(path_));
    std::string ver = "2.0";
    params.Text("Globals.", "ver", ver, kSave);
  }
  EXPECT_TRUE(HoldsOld(path_));
  EXPECT_EQ(Entries(), std::vector<std::string>{"globals.sav"});
}

// A child process starts writing new settings over the old ones and dies while the
// new file is being written: killed by the file size limit after `limit` bytes, or
// ending at once after OpenWrite or after the value operations.
void WriteAndDie(const std::string& path, rlim_t limit, int stage) {
  LParams params;
  if (!params.OpenWrite(path)) ::_exit(3);
  if (stage == 0) ::_exit(0);
  std::string ver = "9.9";
  std::string filler(300, 'z');
  params.Text("Globals.", "ver", ver, kSave);
  params.Text("Globals.", "Filler", filler, kSave);
  if (stage == 1) ::_exit(0);
  const rlimit size{limit, limit};
  ::setrlimit(RLIMIT_FSIZE, &size);
  params.Close();
  ::_exit(0);
}

TEST_F(ParamsTest, AWriteKilledAtAnyPointLeavesTheOldFileLoadable) {
  WriteOld(path_);
  const std::vector<std::pair<rlim_t, int>> cases = {{0, 0}, {0, 1},   {0, 2},   {1, 2},
                                                     {8, 2}, {100, 2}, {300, 2}, {350, 2}};
  for (const auto& [limit, stage] : cases) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteAndDie(path_, limit, stage);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (stage == 2) {
      EXPECT_TRUE(WIFSIGNALED(status)) << "limit " << limit;
    }
    EXPECT_TRUE(HoldsOld(path_)) << "limit " << limit << " stage " << stage;
  }
  // The next normal write replaces the old file and the leftover temporary one.
  LParams params;
  ASSERT_TRUE(params.OpenWrite(path_));
  std::string ver = "2.0";
  params.Text("Globals.", "ver", ver, kSave);
  ASSERT_TRUE(params.Close());
  EXPECT_FALSE(HoldsOld(path_));
  EXPECT_EQ(Entries(), std::vector<std::string>{"globals.sav"});

  // A writer of another file killed before its rename left its temporary file; the
  // next write in the folder removes it, and leaves files that are not the store's.
  WriteFile(dir_ + "/Ostrel.sav.tmp", "half a saved game");
  WriteFile(dir_ + "/notes.tmp", "the player's");
  ::testing::internal::CaptureStdout();
  WriteOld(path_);
  EXPECT_NE(::testing::internal::GetCapturedStdout().find("Ostrel.sav.tmp"), std::string::npos);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"globals.sav", "notes.tmp"}));
}

TEST_F(ParamsTest, PathsThatAreNotRegularFilesAreRefusedWithoutWaiting) {
  WriteOld(path_);
  const std::string fifo = dir_ + "/fifo.sav";
  const std::string folder = dir_ + "/folder.sav";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  // A FIFO left where the temporary file goes would block an ordinary open.
  ASSERT_EQ(::mkfifo((path_ + ".tmp").c_str(), 0600), 0);
  for (const std::string& path : {fifo, folder, std::string("/dev/null")}) {
    LParams params;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(params.OpenRead(path)) << path;
    EXPECT_FALSE(params.OpenWrite(path)) << path;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error open file " + path + "\nError open file " + path + "\n");
    EXPECT_FALSE(params.AllFound);
  }
  LParams params;
  ASSERT_TRUE(params.OpenWrite(path_));
  std::string ver = "2.0";
  params.Text("Globals.", "ver", ver, kSave);
  EXPECT_TRUE(params.Close());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"fifo.sav", "folder.sav", "globals.sav"}));
}

TEST_F(ParamsTest, EveryTruncationAndBitFlipOfARealFileFailsTheOpen) {
  WriteOld(path_);
  const std::string good = ReadFile(path_);
  auto refused = [&](const std::string& bytes) {
    WriteFile(path_, bytes);
    LParams params;
    ::testing::internal::CaptureStdout();
    const bool opened = params.OpenRead(path_);
    ::testing::internal::GetCapturedStdout();
    return !opened && params.Entries().empty();
  };
  for (size_t m = 0; m < good.size(); ++m) EXPECT_TRUE(refused(good.substr(0, m))) << m;
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    std::string flipped = good;
    flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << (bit % 8)));
    EXPECT_TRUE(refused(flipped)) << "bit " << bit;
  }
}

TEST_F(ParamsTest, AFailedWriteLogsOneLineAndKeepsTheOldFile) {
  WriteOld(path_);
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // As on a full disk: writes beyond 40 bytes fail instead of killing the process.
    ::close(pipeFds[0]);
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::signal(SIGXFSZ, SIG_IGN);
    LParams params;
    if (!params.OpenWrite(path_)) ::_exit(3);
    std::string filler(300, 'z');
    params.Text("Globals.", "Filler", filler, kSave);
    const rlimit size{40, 40};
    ::setrlimit(RLIMIT_FSIZE, &size);
    const bool closed = params.Close();
    std::fflush(stdout);
    ::_exit(closed ? 1 : 0);
  }
  ::close(pipeFds[1]);
  std::string log;
  char chunk[256];
  for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;) log.append(chunk, size_t(n));
  ::close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "Close reported success";
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_NE(log.find("LParams::Close"), std::string::npos) << log;
  EXPECT_TRUE(HoldsOld(path_));
  EXPECT_EQ(Entries(), std::vector<std::string>{"globals.sav"});
}

}  // namespace
