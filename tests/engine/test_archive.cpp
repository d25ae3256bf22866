// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Cipher.h"
#include "engine/LArchive.h"

namespace {

// One record for the test archive builder; the optional fields override what a
// well-formed archive would hold.
struct TestRecord {
  std::string name;
  std::string data;
  bool modeA = false;
  bool damageBody = false;
  bool unterminatedName = false;
  std::optional<uint32_t> start{};
  std::optional<uint32_t> end{};
  std::optional<uint32_t> size{};
};

void PutLittle(std::string& image, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<char>(v >> (8 * i));
}

std::string SealString(const std::string& text, bool modeA) {
  std::string out(text.size() + 17, '\0');
  const int32_t length =
      Seal(ProgramCipher(), reinterpret_cast<const uint8_t*>(text.data()),
           static_cast<int32_t>(text.size()), reinterpret_cast<uint8_t*>(out.data()),
           static_cast<int32_t>(out.size()), modeA);
  out.resize(static_cast<size_t>(length));
  return out;
}

// Builds an archive image with the program's key: header, sealed index, bodies.
std::string BuildArchive(const std::vector<TestRecord>& records,
                         std::optional<uint32_t> announced = std::nullopt) {
  std::string index(records.size() * 168, '\0');
  std::string bodies;
  const size_t base = 12 + static_cast<size_t>(SealedLength(static_cast<int32_t>(index.size())));
  for (size_t i = 0; i < records.size(); ++i) {
    const TestRecord& r = records[i];
    std::string body = SealString(r.data, r.modeA);
    if (r.damageBody) body[0] ^= 0x40;
    const size_t at = i * 168;
    if (r.unterminatedName) {
      index.replace(at, 152, std::string(152, 'X'));
    } else {
      index.replace(at, r.name.size(), r.name);
    }
    const uint32_t start = static_cast<uint32_t>(base + bodies.size());
    PutLittle(index, at + 152, r.start.value_or(start));
    PutLittle(index, at + 156, r.end.value_or(start + static_cast<uint32_t>(body.size())));
    PutLittle(index, at + 160, r.size.value_or(static_cast<uint32_t>(r.data.size())));
    bodies += body;
  }
  std::string image(12, '\0');
  const std::string sealedIndex = SealString(index, false);
  PutLittle(image, 4, announced.value_or(static_cast<uint32_t>(records.size())));
  PutLittle(image, 8, static_cast<uint32_t>(sealedIndex.size()));
  return image + sealedIndex + bodies;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_archive_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/data.dat";
  }
  void TearDown() override {
    if (!oldCwd_.empty()) {
      EXPECT_EQ(::chdir(oldCwd_.c_str()), 0);
    }
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  // Opens an archive built from the records; returns what went to standard output.
  std::string OpenBuilt(LArchive& archive, const std::vector<TestRecord>& records,
                        bool expectOpen = true) {
    WriteFile(path_, BuildArchive(records));
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(archive.Open(path_, kProgramKey, kProgramKeyLength), expectOpen);
    return ::testing::internal::GetCapturedStdout();
  }

  void EnterFolder() {
    char cwd[PATH_MAX];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    oldCwd_ = cwd;
    ASSERT_EQ(::chdir(dir_.c_str()), 0);
  }

  static std::string ReadAll(LArchive& archive, const std::string& name) {
    std::string text = "<missing>";
    archive.LoadText(name, text);
    return text;
  }

  std::string dir_;
  std::string path_;
  std::string oldCwd_;
};

TEST_F(ArchiveTest, ReadsFilesByExactName) {
  LArchive archive;
  const std::string out = OpenBuilt(archive, {{.name = "Dat/Icon.bmp", .data = "BMpicture"},
                                              {.name = "Dat/ver.txt", .data = "1.0"}});
  EXPECT_EQ(out, "");
  EXPECT_TRUE(archive.IsOpen());
  EXPECT_EQ(archive.GetSize("Dat/ver.txt"), 3);
  EXPECT_EQ(ReadAll(archive, "Dat/ver.txt"), "1.0");
  EXPECT_EQ(ReadAll(archive, "Dat/Icon.bmp"), "BMpicture");
  // Names are exact, case-sensitive byte strings.
  EXPECT_EQ(archive.GetSize("dat/icon.bmp"), -1);
  EXPECT_EQ(ReadAll(archive, "dat/icon.bmp"), "<missing>");
  EXPECT_EQ(ReadAll(archive, "Dat/Icon.bmp "), "<missing>");
}

TEST_F(ArchiveTest, LoadFileGivesSizePlusHundredBytesEndingInZeros) {
  LArchive archive;
  OpenBuilt(archive, {{.name = "Dat/ver.txt", .data = "1.0"}});
  std::unique_ptr<uint8_t[]> data;
  ASSERT_EQ(archive.LoadFile("Dat/ver.txt", data), 3);
  EXPECT_STREQ(reinterpret_cast<const char*>(data.get()), "1.0");
  // Read needs room for the whole sealed block (3 + 5 padding + 9 bytes).
  uint8_t buffer[17];
  EXPECT_EQ(archive.Read("Dat/ver.txt", buffer, 16), -1);
  EXPECT_EQ(archive.Read("Dat/ver.txt", buffer, 17), 3);
}

TEST_F(ArchiveTest, DuplicateNamesLastSizeFirstWorkingRecordThatFits) {
  LArchive archive;
  OpenBuilt(archive, {{.name = "Dat/a.txt", .data = "a long first record"},
                      {.name = "Dat/a.txt", .data = "short"}});
  EXPECT_EQ(archive.GetSize("Dat/a.txt"), 5);
  uint8_t buffer[64];
  EXPECT_EQ(archive.Read("Dat/a.txt", buffer, sizeof buffer), 19);
  // The first record's sealed block (33 bytes) does not fit 20; the second does.
  EXPECT_EQ(archive.Read("Dat/a.txt", buffer, 20), 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), "short");
  // LoadFile sizes its buffer by the last record (5 + 100 bytes); the first block fits.
  EXPECT_EQ(ReadAll(archive, "Dat/a.txt"), "a long first record");
}

TEST_F(ArchiveTest, ReadSkipsRecordsThatDoNotUnsealToTheirSize) {
  LArchive archive;
  OpenBuilt(archive, {{.name = "Dat/a.txt", .data = "damaged", .damageBody = true},
                      {.name = "Dat/a.txt", .data = "mode a", .modeA = true},
                      {.name = "Dat/a.txt", .data = "wrong size", .size = 4},
                      {.name = "Dat/a.txt", .data = "good"},
                      {.name = "Dat/b.txt", .data = "broken", .damageBody = true}});
  EXPECT_EQ(ReadAll(archive, "Dat/a.txt"), "good");
  EXPECT_EQ(ReadAll(archive, "Dat/b.txt"), "<missing>");
  EXPECT_EQ(archive.GetSize("Dat/b.txt"), 6);
}

TEST_F(ArchiveTest, RecordsOutsideTheFileAreSkippedWithALogLine) {
  LArchive archive;
  const std::string out =
      OpenBuilt(archive, {{.name = "Dat/noname.txt", .data = "x", .unterminatedName = true},
                          {.name = "Dat/past.txt", .data = "x", .end = 1u << 30},
                          {.name = "Dat/reversed.txt", .data = "x", .start = 500, .end = 100},
                          {.name = "Dat/header.txt", .data = "x", .start = 0},
                          {.name = "Dat/huge.txt", .data = "x", .size = 0x7FFFFFF0},
                          {.name = "Dat/ok.txt", .data = "fine"}});
  EXPECT_TRUE(archive.IsOpen());
  int lines = static_cast<int>(std::count(out.begin(), out.end(), '\n'));
  EXPECT_EQ(lines, 5) << out;
  EXPECT_NE(out.find("LArchive::Open"), std::string::npos);
  EXPECT_EQ(archive.ListFiles("Dat/*"), std::vector<std::string>{"Dat/ok.txt"});
  EXPECT_EQ(archive.GetSize("Dat/past.txt"), -1);
  EXPECT_EQ(archive.GetSize("Dat/huge.txt"), -1);
  EXPECT_EQ(ReadAll(archive, "Dat/ok.txt"), "fine");
}

TEST_F(ArchiveTest, ListFilesByPrefixInIndexOrder) {
  LArchive archive;
  OpenBuilt(archive, {{.name = "Dat/midi/b.mid", .data = "b"},
                      {.name = "Dat/Icon.bmp", .data = "i"},
                      {.name = "Dat/midi/a.mid", .data = "a"},
                      {.name = "Dat/midi/deep/c.mid", .data = "c"}});
  EXPECT_EQ(archive.ListFiles("Dat/midi/*"),
            (std::vector<std::string>{"Dat/midi/b.mid", "Dat/midi/a.mid", "Dat/midi/deep/c.mid"}));
  EXPECT_EQ(archive.ListFiles("*").size(), 4u);
  EXPECT_TRUE(archive.ListFiles("Sound/*").empty());
}

TEST_F(ArchiveTest, MissingArchiveSaysSoAndFallsBackToLooseFiles) {
  EnterFolder();
  ASSERT_EQ(::mkdir("Dat", 0755), 0);
  ASSERT_EQ(::mkdir("Dat/midi", 0755), 0);
  WriteFile("Dat/ver.txt", "2.5\n");
  WriteFile("Dat/midi/one.mid", "M1");
  WriteFile("Dat/midi/two.mid", "M2");

  LArchive archive;
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(archive.Open("data.dat", kProgramKey, kProgramKeyLength));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Error open file data.dat\n");
  EXPECT_FALSE(archive.IsOpen());

  EXPECT_EQ(archive.GetSize("Dat/ver.txt"), 4);
  EXPECT_EQ(ReadAll(archive, "Dat/ver.txt"), "2.5\n");
  EXPECT_EQ(archive.GetSize("Dat/none.txt"), -1);
  EXPECT_EQ(archive.GetSize("Dat/midi"), -1);  // a folder is no file
  uint8_t small[2];
  EXPECT_EQ(archive.Read("Dat/ver.txt", small, sizeof small), -1);

  std::vector<std::string> music = archive.ListFiles("Dat/midi/*");
  std::sort(music.begin(), music.end());
  EXPECT_EQ(music, (std::vector<std::string>{"Dat/midi/one.mid", "Dat/midi/two.mid"}));
  EXPECT_TRUE(archive.ListFiles("Dat/none/*").empty());
}

TEST_F(ArchiveTest, LooseFilesComeFromTheirRootFolderWithNamesUnchanged) {
  EnterFolder();
  ASSERT_EQ(::mkdir("res", 0755), 0);
  ASSERT_EQ(::mkdir("res/Dat", 0755), 0);
  ASSERT_EQ(::mkdir("res/Dat/midi", 0755), 0);
  WriteFile("res/Dat/ver.txt", "1.0");
  WriteFile("res/Dat/midi/one.mid", "M1");

  LArchive archive;
  EXPECT_EQ(archive.GetSize("Dat/ver.txt"), -1);  // not in the working folder
  archive.SetLooseRoot("res");
  EXPECT_EQ(archive.GetSize("Dat/ver.txt"), 3);
  EXPECT_EQ(ReadAll(archive, "Dat/ver.txt"), "1.0");
  EXPECT_EQ(archive.ListFiles("Dat/midi/*"), (std::vector<std::string>{"Dat/midi/one.mid"}));
}

TEST_F(ArchiveTest, HeaderOrIndexFaultsLeaveLooseMode) {
  LArchive archive;
  WriteFile(path_, std::string(10, '\0'));
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(archive.Open(path_, kProgramKey, kProgramKeyLength));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

  const std::vector<TestRecord> one = {{.name = "Dat/a.txt", .data = "a"}};
  for (uint32_t announced : {0u, 2u, 0xFFFFFFFFu}) {
    WriteFile(path_, BuildArchive(one, announced));
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(archive.Open(path_, kProgramKey, kProgramKeyLength)) << announced;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Error decode. ReadLen/sizeof(TYPE_FILE_INFO) != FileNumbers\n");
    EXPECT_FALSE(archive.IsOpen());
  }
  // Another key cannot decode the index either.
  WriteFile(path_, BuildArchive(one));
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(archive.Open(path_, "0123456789", 10));
  ::testing::internal::GetCapturedStdout();
}

TEST_F(ArchiveTest, EveryTruncationAndByteFlipOfAnArchiveIsHarmless) {
  const std::string image = BuildArchive({{.name = "Dat/a.txt", .data = "alpha"},
                                          {.name = "Dat/b.txt", .data = std::string(40, 'b')}});
  auto exercise = [&](const std::string& bytes) {
    WriteFile(path_, bytes);
    LArchive archive;
    ::testing::internal::CaptureStdout();
    archive.Open(path_, kProgramKey, kProgramKeyLength);
    for (const char* name : {"Dat/a.txt", "Dat/b.txt"}) {
      const std::string text = ReadAll(archive, name);
      if (text != "<missing>") {
        EXPECT_TRUE(text == "alpha" || text == std::string(40, 'b'));
      }
    }
    archive.ListFiles("*");
    ::testing::internal::GetCapturedStdout();
  };
  for (size_t length = 0; length < image.size(); ++length) exercise(image.substr(0, length));
  for (size_t at = 0; at < image.size(); ++at) {
    std::string flipped = image;
    flipped[at] = static_cast<char>(flipped[at] ^ 0x21);
    exercise(flipped);
  }
}

}  // namespace
