// SPDX-License-Identifier: GPL-3.0-or-later
// The game reads the same pixels from data.dat as from the loose files under Dat/.
#include <filesystem>

#include "ArtSupport.h"
#include "Entries.h"
#include "core/Cipher.h"
#include "engine/LArchive.h"

using namespace arttest;

namespace {

bool SamePixels(const LClip& a, const LClip& b) {
  if (a.FrameW != b.FrameW || a.FrameH != b.FrameH || a.FrameCount() != b.FrameCount())
    return false;
  for (int f = 0; f < a.FrameCount(); ++f)
    for (int y = 0; y < a.FrameH; ++y)
      for (int x = 0; x < a.FrameW; ++x) {
        Rgba p = PixelAt(a, f, x, y), q = PixelAt(b, f, x, y);
        if (p.r != q.r || p.g != q.g || p.b != q.b || p.a != q.a) return false;
      }
  return true;
}

}  // namespace

TEST(ArtArchive, DataDatAndLooseFilesGiveTheSamePixels) {
  ASSERT_TRUE(Prepare());
  const std::string archive = std::string(OT_BINARY_DIR) + "/data.dat";
  ASSERT_TRUE(std::filesystem::exists(archive)) << "data.dat was not packed";
  for (const Entry& e : FieldEntries()) {
    Archive().Close();
    auto loose = Load(e.picture, e.mask, e.frames);
    ASSERT_NE(loose, nullptr) << e.picture;
    ASSERT_TRUE(Archive().Open(archive, kProgramKey, kProgramKeyLength));
    // The record is really there: with the loose file gone the archive alone serves it.
    EXPECT_GT(Archive().GetSize(e.picture), 0) << e.picture;
    auto packed = Load(e.picture, e.mask, e.frames);
    Archive().Close();
    ASSERT_NE(packed, nullptr) << e.picture;
    EXPECT_TRUE(SamePixels(*loose, *packed)) << e.picture;
  }
}
