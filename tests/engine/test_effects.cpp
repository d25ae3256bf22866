// SPDX-License-Identifier: GPL-3.0-or-later
// Picture effects and pixel reading on surfaces.
#include <gtest/gtest.h>

#include "clip_fixture.h"
#include "engine/PictureEffects.h"

using cliptest::PixelAt;
using cliptest::Rgba;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

class Effects : public ClipFixture {
 protected:
  // 3 x 2 pixels: red 100, 150, 200 across, green 0 and 10 down, blue 250, alpha 77.
  void SetUp() override {
    ClipFixture::SetUp();
    s_ = cliptest::MakePicture(3, 2, [](int x, int y) {
      return Rgba{static_cast<uint8_t>(100 + 50 * x), static_cast<uint8_t>(10 * y), 250, 77};
    });
  }
  void TearDown() override {
    SDL_FreeSurface(s_);
    ClipFixture::TearDown();
  }
  void ExpectPixel(int x, int y, Rgba want) {
    Rgba got = PixelAt(s_, x, y);
    EXPECT_EQ(std::vector<int>({got.r, got.g, got.b, got.a}),
              std::vector<int>({want.r, want.g, want.b, want.a}))
        << "at " << x << "," << y;
  }
  SDL_Surface* s_ = nullptr;
};

TEST_F(Effects, ChannelEffectsClampAndKeepAlpha) {
  ASSERT_TRUE(ShiftColour(s_, 60, -20, 10));
  ExpectPixel(0, 1, {160, 0, 255, 77});
  ExpectPixel(2, 1, {255, 0, 255, 77});
  ASSERT_TRUE(Brightness(s_, -40));
  ExpectPixel(0, 1, {120, 0, 215, 77});
  uint8_t table[768];
  for (int v = 0; v < 256; ++v) {
    table[v] = static_cast<uint8_t>(255 - v);
    table[256 + v] = static_cast<uint8_t>(v / 2 + 1);
    table[512 + v] = 9;
  }
  ASSERT_TRUE(MapChannels(s_, table));
  ExpectPixel(0, 1, {135, 1, 9, 77});
}

TEST_F(Effects, ContrastPivotsAroundLevel159) {
  uint8_t t[256];
  ContrastTable(0, t);
  for (int v = 0; v < 256; ++v) EXPECT_EQ(t[v], v);
  ContrastTable(-64, t);
  EXPECT_EQ(std::vector<int>({t[0], t[159], t[255]}), std::vector<int>({79, 159, 207}));
  ContrastTable(-300, t);
  EXPECT_EQ(std::vector<int>({t[10], t[250]}), std::vector<int>({159, 159}))
      << "never crosses the pivot";
  ContrastTable(64, t);
  EXPECT_EQ(std::vector<int>({t[79], t[80], t[142], t[204], t[205]}),
            std::vector<int>({0, 2, 128, 254, 255}));
  ContrastTable(200, t);
  EXPECT_EQ(std::vector<int>({t[247], t[248]}), std::vector<int>({0, 255})) << "a hard threshold";
  ASSERT_TRUE(Contrast(s_, -128));
  ExpectPixel(2, 1, {159, 159, 159, 77});
}

TEST_F(Effects, FillFadeAndPixelReading) {
  EXPECT_EQ(GetPixel(s_, 0, 0), static_cast<int64_t>(SDL_MapRGBA(s_->format, 100, 0, 250, 77)));
  ASSERT_TRUE(FillColour(s_, 1, 2, 3, 60));
  ExpectPixel(2, 1, {1, 2, 3, 60});
  EXPECT_EQ(FadeAlpha(s_, 50), 0);
  ExpectPixel(1, 0, {1, 2, 3, 10});
  EXPECT_EQ(FadeAlpha(s_, 50), 0);
  ExpectPixel(1, 0, {1, 2, 3, 0});
  CaptureStderr();
  EXPECT_EQ(GetPixel(s_, -1, 0), -1);
  EXPECT_EQ(GetPixel(s_, 3, 0), -1);
  EXPECT_EQ(GetPixel(s_, 0, 2), -1);
  EXPECT_EQ(GetCapturedStderr(),
            "x too small in GetPixel!\nx too big in GetPixel!\ny too big in GetPixel!\n");
}

TEST_F(Effects, OtherPixelFormatsAreRefusedUnchanged) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 16, 0xF800, 0x07E0, 0x001F, 0);
  SDL_FillRect(s, nullptr, 0x1234);
  uint8_t table[768] = {};
  EXPECT_FALSE(ShiftColour(s, 10, 10, 10) || MapChannels(s, table) || Brightness(s, 10) ||
               Contrast(s, 10) || FillColour(s, 0, 0, 0, 0));
  EXPECT_EQ(FadeAlpha(s, 10), -1);
  EXPECT_EQ(GetPixel(s, 1, 1), 0x1234);
  SDL_FreeSurface(s);
  SDL_Surface* opaque = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  EXPECT_EQ(FadeAlpha(opaque, 10), -1);
  EXPECT_STREQ(SDL_GetError(), "Unsupported surface alpha mask format");
  SDL_FreeSurface(opaque);
}

}  // namespace
