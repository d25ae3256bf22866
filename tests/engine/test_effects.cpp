// Picture effects and pixel reading on surfaces.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/PictureEffects.h"
#include "clip_fixture.h"

using cliptest::PixelAt;
using cliptest::Rgba;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

SDL_Surface* Sample() {
  return cliptest::MakePicture(3, 2, [](int x, int y) {
    return Rgba{static_cast<uint8_t>(100 + 50 * x), static_cast<uint8_t>(10 * y), 250, 77};
  });
}

SDL_Surface* Sixteen() {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 16, 0xF800, 0x07E0, 0x001F, 0);
  SDL_FillRect(s, nullptr, 0x1234);
  return s;
}

class Effects : public ClipFixture {};

TEST_F(Effects, ShiftColourClampsAndKeepsAlpha) {
  SDL_Surface* s = Sample();
  ASSERT_TRUE(ShiftColour(s, 60, -20, 10));
  Rgba left = PixelAt(s, 0, 1);
  Rgba right = PixelAt(s, 2, 1);
  EXPECT_EQ(left.r, 160);
  EXPECT_EQ(right.r, 255);
  EXPECT_EQ(left.g, 0);
  EXPECT_EQ(left.b, 255);
  EXPECT_EQ(left.a, 77);
  SDL_FreeSurface(s);
}

TEST_F(Effects, MapChannelsUsesOneTablePerChannel) {
  SDL_Surface* s = Sample();
  uint8_t table[768];
  for (int v = 0; v < 256; ++v) {
    table[v] = static_cast<uint8_t>(255 - v);
    table[256 + v] = static_cast<uint8_t>(v / 2);
    table[512 + v] = 9;
  }
  ASSERT_TRUE(MapChannels(s, table));
  Rgba p = PixelAt(s, 1, 1);
  EXPECT_EQ(p.r, 105);
  EXPECT_EQ(p.g, 5);
  EXPECT_EQ(p.b, 9);
  EXPECT_EQ(p.a, 77);
  SDL_FreeSurface(s);
}

TEST_F(Effects, BrightnessAddsToEveryChannel) {
  SDL_Surface* s = Sample();
  ASSERT_TRUE(Brightness(s, -40));
  Rgba p = PixelAt(s, 0, 0);
  EXPECT_EQ(p.r, 60);
  EXPECT_EQ(p.g, 0);
  EXPECT_EQ(p.b, 210);
  EXPECT_EQ(p.a, 77);
  SDL_FreeSurface(s);
}

TEST_F(Effects, ContrastTableAroundLevel159) {
  uint8_t t[256];
  ContrastTable(0, t);
  for (int v = 0; v < 256; ++v) EXPECT_EQ(t[v], v);
  ContrastTable(-128, t);
  EXPECT_EQ(t[0], 159);
  EXPECT_EQ(t[255], 159);
  ContrastTable(-64, t);
  EXPECT_EQ(t[0], 79);
  EXPECT_EQ(t[159], 159);
  EXPECT_EQ(t[255], 207);
  ContrastTable(-300, t);
  EXPECT_EQ(t[10], 159) << "never crosses the pivot";
  EXPECT_EQ(t[250], 159);
  ContrastTable(64, t);
  EXPECT_EQ(t[78], 0);
  EXPECT_EQ(t[79], 0);
  EXPECT_EQ(t[142], 128);
  EXPECT_EQ(t[204], 254);
  EXPECT_EQ(t[205], 255);
  EXPECT_EQ(t[255], 255);
  ContrastTable(200, t);
  EXPECT_EQ(t[247], 0) << "below the lower bound: black";
  EXPECT_EQ(t[248], 255) << "no level between the bounds: a hard threshold";
}

TEST_F(Effects, ContrastChangesThePicture) {
  SDL_Surface* s = Sample();
  ASSERT_TRUE(Contrast(s, -128));
  Rgba p = PixelAt(s, 2, 1);
  EXPECT_EQ(p.r, 159);
  EXPECT_EQ(p.g, 159);
  EXPECT_EQ(p.b, 159);
  EXPECT_EQ(p.a, 77);
  SDL_FreeSurface(s);
}

TEST_F(Effects, FillColourCoversTheSurface) {
  SDL_Surface* s = Sample();
  ASSERT_TRUE(FillColour(s, 1, 2, 3, 4));
  Rgba p = PixelAt(s, 2, 1);
  EXPECT_EQ(p.r, 1);
  EXPECT_EQ(p.g, 2);
  EXPECT_EQ(p.b, 3);
  EXPECT_EQ(p.a, 4);
  SDL_FreeSurface(s);
}

TEST_F(Effects, FadeAlphaLowersAlphaNotBelowZero) {
  SDL_Surface* s = Sample();
  EXPECT_EQ(FadeAlpha(s, 50), 0);
  EXPECT_EQ(PixelAt(s, 1, 0).a, 27);
  EXPECT_EQ(PixelAt(s, 1, 0).r, 150);
  EXPECT_EQ(FadeAlpha(s, 50), 0);
  EXPECT_EQ(PixelAt(s, 1, 0).a, 0);
  SDL_FreeSurface(s);
  SDL_Surface* opaque = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  EXPECT_EQ(FadeAlpha(opaque, 10), -1);
  EXPECT_STREQ(SDL_GetError(), "Unsupported surface alpha mask format");
  SDL_FreeSurface(opaque);
}

TEST_F(Effects, SixteenBitSurfacesAreRefusedUnchanged) {
  SDL_Surface* s = Sixteen();
  uint8_t table[768] = {};
  EXPECT_FALSE(ShiftColour(s, 10, 10, 10));
  EXPECT_FALSE(MapChannels(s, table));
  EXPECT_FALSE(Brightness(s, 10));
  EXPECT_FALSE(Contrast(s, 10));
  EXPECT_FALSE(FillColour(s, 0, 0, 0, 0));
  EXPECT_EQ(FadeAlpha(s, 10), -1);
  EXPECT_EQ(GetPixel(s, 1, 1), 0x1234);
  SDL_FreeSurface(s);
}

TEST_F(Effects, GetPixelReportsPointsOutsideTheSurface) {
  SDL_Surface* s = Sample();
  EXPECT_EQ(GetPixel(s, 0, 0), static_cast<int64_t>(SDL_MapRGBA(s->format, 100, 0, 250, 77)));
  CaptureStderr();
  EXPECT_EQ(GetPixel(s, -1, 0), -1);
  EXPECT_EQ(GetPixel(s, 3, 0), -1);
  EXPECT_EQ(GetPixel(s, 0, 2), -1);
  EXPECT_EQ(GetCapturedStderr(),
            "x too small in GetPixel!\nx too big in GetPixel!\ny too big in GetPixel!\n");
  SDL_FreeSurface(s);
}

}  // namespace
