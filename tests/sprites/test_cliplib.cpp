// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "SpriteTestSupport.h"
#include "engine/LArchive.h"
#include "engine/LClip.h"
#include "engine/PictureEffects.h"
#include "sprites/ClipLib.h"

using namespace spritetest;

namespace {

class ClipLibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Display();
    cwd_ = std::make_unique<ScopedCwd>(LibraryFolder());
  }
  void TearDown() override {
    ClipLib::Shutdown();
    cwd_.reset();
  }
  static void LoadAll() {
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
  }
  std::unique_ptr<ScopedCwd> cwd_;
};

bool IsReserved(int i) { return i == 4 || i == 9 || (i >= 26 && i <= 33) || (i >= 52 && i <= 54); }

}  // namespace

TEST(ClipTable, EveryEntryIsWellFormed) {
  int reserved = 0;
  for (int i = 0; i < kClipCount; ++i) {
    const ClipDesc* d = GetClipDesc(i);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Period, 200) << i;
    if (d->Picture[0] == '\0') {
      ++reserved;
      EXPECT_TRUE(IsReserved(i)) << i;
      EXPECT_FALSE(d->Preload) << i;
      continue;
    }
    EXPECT_EQ(std::strncmp(d->Picture, "Dat/", 4), 0) << i;
    EXPECT_GE(d->iNumberFrames, 1) << i;
    // An align text gives one anchor per frame.
    int pairs = 0;
    for (const char* p = d->AlignText1; *p; ++p) pairs += *p == ',';
    if (d->AlignText1[0] != '\0') {
      EXPECT_EQ(pairs, d->iNumberFrames) << i;
    }
  }
  EXPECT_EQ(reserved, 13);
  EXPECT_EQ(GetClipDesc(-1), nullptr);
  EXPECT_EQ(GetClipDesc(kClipCount), nullptr);
}

TEST_F(ClipLibTest, LoadNextReportsPercentagesUpToCompletion) {
  ClipLib::Shutdown();
  EXPECT_EQ(ClipLib::LoadNext(), 0);  // the first entry
  ASSERT_TRUE(ClipLib::Init());
  EXPECT_FALSE(ClipLib::IsComplete());
  // Init has passed entries 0 to 9: the preloaded among them are templates.
  EXPECT_NE(ClipLib::GetTemplate(0), nullptr);
  EXPECT_NE(ClipLib::GetTemplate(8), nullptr);
  EXPECT_EQ(ClipLib::GetTemplate(3), nullptr);  // not preloaded
  EXPECT_EQ(ClipLib::GetTemplate(34), nullptr);
  EXPECT_EQ(ClipLib::LoadNext(), 11 * 100 / kClipCount);
  int last = 0;
  int calls = 1;
  while (!ClipLib::IsComplete()) {
    const int p = ClipLib::LoadNext();
    ASSERT_GE(p, last);
    last = p;
    ++calls;
  }
  EXPECT_EQ(last, 100);
  EXPECT_EQ(calls, kClipCount - 10);
  // Exactly the preloaded entries are kept as templates; reserved ones never load.
  for (int i = 0; i < kClipCount; ++i)
    EXPECT_EQ(ClipLib::GetTemplate(i) != nullptr, GetClipDesc(i)->Preload) << i;
  EXPECT_EQ(ClipLib::LoadNext(), 100);  // asking again past the end stays complete
  EXPECT_TRUE(ClipLib::IsComplete());
}

TEST_F(ClipLibTest, EntriesWithOneFileShareOnePicture) {
  LoadAll();
  const LClip* t124 = ClipLib::GetTemplate(124);
  const LClip* t126 = ClipLib::GetTemplate(126);
  ASSERT_NE(t124, nullptr);
  ASSERT_NE(t126, nullptr);
  EXPECT_EQ(t126->Picture, t124->Picture);
  // Entries 7 and 55 share the button picture but keep their own places.
  std::unique_ptr<LClip> ok55(ClipLib::Create(55));
  EXPECT_EQ(ok55->Picture, ClipLib::GetTemplate(7)->Picture);
  EXPECT_EQ(ok55->x, 70);
  EXPECT_EQ(ok55->y, 121);
  EXPECT_EQ(ClipLib::GetTemplate(7)->x, 170);
  const int32_t users = t124->Picture->RefCount;
  {
    std::unique_ptr<LClip> copy(ClipLib::Create(126));
    EXPECT_EQ(copy->Picture, t124->Picture);
    EXPECT_EQ(t124->Picture->RefCount, users + 1);
    EXPECT_EQ(copy->AlignX, 26);
    EXPECT_EQ(copy->AlignY, 27);
  }
  EXPECT_EQ(t124->Picture->RefCount, users);
}

TEST_F(ClipLibTest, DeepCopyHasPrivatePixels) {
  LoadAll();
  const LClip* tmpl = ClipLib::GetTemplate(99);
  ASSERT_NE(tmpl, nullptr);
  std::unique_ptr<LClip> deep(ClipLib::Create(99, true));
  std::unique_ptr<LClip> shared(ClipLib::Create(99, false));
  ASSERT_NE(deep->Picture, tmpl->Picture);
  EXPECT_EQ(shared->Picture, tmpl->Picture);
  const int64_t before = GetPixel(tmpl->GetSurface(), 3, 3);
  EXPECT_EQ(GetPixel(deep->GetSurface(), 3, 3), before);
  ASSERT_TRUE(FillColour(deep->GetSurface(), 1, 2, 3, 255));
  EXPECT_NE(GetPixel(deep->GetSurface(), 3, 3), before);
  EXPECT_EQ(GetPixel(tmpl->GetSurface(), 3, 3), before);
  EXPECT_EQ(GetPixel(shared->GetSurface(), 3, 3), before);
}

TEST_F(ClipLibTest, EntriesBringTheirAnchorsAndAnimation) {
  LoadAll();
  std::unique_ptr<LClip> bell(ClipLib::Create(86));
  EXPECT_EQ(bell->Sequence.size(), 14u);
  EXPECT_EQ(bell->z, -1303);
  EXPECT_EQ(bell->FrameAlign[0].x, 27);
  EXPECT_EQ(bell->FrameAlign[6].y, 14);
  std::unique_ptr<LClip> track(ClipLib::Create(116));
  EXPECT_EQ(track->AlignX, 70);
  EXPECT_EQ(track->AlignY, 2);
  track->SetFrame(5);
  EXPECT_EQ(track->AlignX, 30);
  EXPECT_EQ(track->AlignY, 50);
  std::unique_ptr<LClip> blast(ClipLib::Create(122));
  blast->SetFrame(7);
  EXPECT_EQ(blast->AlignX, 20);
  EXPECT_EQ(blast->AlignY, 22);
}

// Entries not preloaded are read at every Create, until the library is told to keep
// every picture: then they come from templates like the preloaded ones, the same clips.
TEST_F(ClipLibTest, EntriesNotPreloadedAreReadAtEveryCreateUnlessEveryPictureIsKept) {
  LoadAll();
  std::unique_ptr<LClip> a(ClipLib::Create(19));
  std::unique_ptr<LClip> b(ClipLib::Create(19));
  ASSERT_NE(a->Picture, nullptr);
  EXPECT_NE(a->Picture, b->Picture);
  EXPECT_EQ(ClipLib::GetTemplate(19), nullptr);
  EXPECT_EQ(a->x, 14);
  EXPECT_EQ(a->y, 78);
  EXPECT_EQ(a->z, -1201);
  EXPECT_EQ(a->FrameCount(), 3);

  ASSERT_TRUE(ClipLib::KeepEveryPicture());
  for (int i = 0; i < kClipCount; ++i)
    EXPECT_EQ(ClipLib::GetTemplate(i) != nullptr, GetClipDesc(i)->Picture[0] != '\0') << i;
  std::unique_ptr<LClip> kept(ClipLib::Create(19));
  EXPECT_EQ(kept->Picture, ClipLib::GetTemplate(19)->Picture);
  EXPECT_EQ(kept->x, a->x);
  EXPECT_EQ(kept->y, a->y);
  EXPECT_EQ(kept->z, a->z);
  EXPECT_EQ(kept->FrameW, a->FrameW);
  EXPECT_EQ(kept->FrameCount(), a->FrameCount());
  kept.reset();
  LoadAll();
  EXPECT_EQ(ClipLib::GetTemplate(19), nullptr);
}

TEST_F(ClipLibTest, IndexOutsideTheTableGivesNoClip) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ClipLib::Create(-1), nullptr);
  EXPECT_EQ(ClipLib::Create(kClipCount), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error. ClipLib::Create. Bad index: -1\nError. ClipLib::Create. Bad index: " +
                std::to_string(kClipCount) + "\n");
}

TEST_F(ClipLibTest, MissingPreloadedPictureFailsInit) {
  const std::string empty = MakeTempDir();
  ScopedCwd inEmpty(empty);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ClipLib::Init());
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Error loading file Dat/Game/kolokol.jpg. Please reinstall."),
            std::string::npos)
      << log;
  EXPECT_FALSE(ClipLib::IsComplete());
}

// A missing picture (or a reserved entry, which has none) gives no clip: the first one
// shows the error box and marks the library, so that the program can end.
TEST_F(ClipLibTest, MissingPicturesGiveNoClipAndOneErrorBox) {
  const std::string empty = MakeTempDir();
  {
    ScopedCwd inEmpty(empty);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ClipLib::PictureMissing());
    EXPECT_EQ(ClipLib::Create(3), nullptr);
    EXPECT_TRUE(ClipLib::PictureMissing());
    EXPECT_EQ(ClipLib::Create(5), nullptr);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Error loading file Dat/Interface/introBG.jpg. Please reinstall."),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("LogoIntro.tga. Please reinstall."), std::string::npos) << log;
  }
  ASSERT_TRUE(ClipLib::Init());
  EXPECT_FALSE(ClipLib::PictureMissing());
  testing::internal::CaptureStderr();
  EXPECT_EQ(ClipLib::Create(4), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Error loading file . Please reinstall."),
            std::string::npos);
  EXPECT_TRUE(ClipLib::PictureMissing());
  ClipLib::Shutdown();
  EXPECT_FALSE(ClipLib::PictureMissing());
}

// Loads every entry from the game's own data, as the game does: through the archive
// (loose files only when the build made no archive). The test program depends on
// the data, so this runs in every build that can make it.
TEST(ClipLibRealData, EveryEntryLoads) {
  const std::string bin = OT_BINARY_DIR;
  const bool haveArchive = std::filesystem::exists(bin + "/data.dat");
  const bool haveFolder = std::filesystem::exists(bin + "/Dat/Game/kolokol.jpg");
  if (!haveArchive && !haveFolder) GTEST_SKIP() << "no game data in " << bin;
  Display();
  EXPECT_EXIT(
      {
        ScopedCwd inBuild(bin);
        if (haveArchive && !Archive().Open("data.dat", kProgramKey, kProgramKeyLength))
          std::exit(4);
        if (!ClipLib::Init()) std::exit(2);
        while (!ClipLib::IsComplete())
          if (ClipLib::LoadNext() == -1) std::exit(3);
        for (int i = 0; i < kClipCount; ++i) {
          if (GetClipDesc(i)->Picture[0] == '\0') continue;
          LClip* clip = ClipLib::Create(i);
          if (clip->Picture->iNumberFrames != GetClipDesc(i)->iNumberFrames) std::exit(10);
          delete clip;
        }
        ClipLib::Shutdown();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}
