// SPDX-License-Identifier: GPL-3.0-or-later
// Draws Puzzle level 100 with running trains through the real screen and clip library
// into art/field_railway.png of the build folder. Skipped when the game's pictures have
// not been drawn into the build folder yet.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RailTestSupport.h"
#include "core/ClipTable.h"
#include "engine/LEngine.h"
#include "engine/PictureEffects.h"
#include "game/LevelTable.h"
#include "railway/Colours.h"
#include "screens/ScreenSprites.h"
#include "sprites/ClipLib.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// Every picture of the clip library is present as a loose file.
bool PicturesPresent() {
  for (int i = 0; i < kClipCount; ++i) {
    const ClipDesc* d = GetClipDesc(i);
    if (!d || !d->Picture || !*d->Picture) continue;
    if (!Exists(d->Picture)) return false;
    if (d->Mask && *d->Mask && !Exists(d->Mask)) return false;
  }
  return true;
}

uint32_t Crc(const std::vector<uint8_t>& data, size_t from) {
  uint32_t c = 0xffffffffu;
  for (size_t i = from; i < data.size(); ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
  }
  return c ^ 0xffffffffu;
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(x >> s));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& body) {
  Put32(png, static_cast<uint32_t>(body.size()));
  size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), body.begin(), body.end());
  Put32(png, Crc(png, start));
}

// A PNG of the surface's pixels (RGB, stored deflate blocks).
bool SavePng(SDL_Surface* s, const std::string& path) {
  std::vector<uint8_t> raw;
  SDL_LockSurface(s);
  for (int y = 0; y < s->h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < s->w; ++x) {
      const uint8_t* p =
          static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
      uint32_t pixel = 0;
      std::memcpy(&pixel, p, s->format->BytesPerPixel);
      uint8_t r, g, b;
      SDL_GetRGB(pixel, s->format, &r, &g, &b);
      raw.insert(raw.end(), {r, g, b});
    }
  }
  SDL_UnlockSurface(s);
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t i = 0; i < raw.size(); i += 65535) {
    size_t n = std::min<size_t>(65535, raw.size() - i);
    z.push_back(i + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n & 0xff));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n & 0xff));
    z.push_back(static_cast<uint8_t>((~n >> 8) & 0xff));
    z.insert(z.end(), raw.begin() + static_cast<long>(i), raw.begin() + static_cast<long>(i + n));
  }
  Put32(z, (b << 16) | a);
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> head;
  Put32(head, static_cast<uint32_t>(s->w));
  Put32(head, static_cast<uint32_t>(s->h));
  head.insert(head.end(), {8, 2, 0, 0, 0});
  Chunk(png, "IHDR", head);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

TEST(FieldPicture, PuzzleLevel100WithTrainsIsDrawnByTheField) {
  if (!PicturesPresent()) GTEST_SKIP() << "the game's pictures are not in the build folder";
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  SDL_Surface* display = SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
  ASSERT_NE(display, nullptr);
  ASSERT_TRUE(ClipLib::Init());
  int progress = 0;
  while (progress >= 0 && !ClipLib::IsComplete()) progress = ClipLib::LoadNext();
  ASSERT_TRUE(ClipLib::IsComplete());
  {
    LEngine screen(display, 0, 0, 800, 600, false);
    LClip* ground = ClipLib::Create(87, false);
    ground->z = 100000;
    screen.AddSprite(ground);
    RecordingHost host;
    ScreenSprites sprites(&screen);
    std::array<LClip*, 8> houses{};
    for (int c = 0; c < 8; ++c) {
      houses[c] = ClipLib::Create(clip::Homes, true);
      int rgb[3];
      ColourTint(c, rgb);
      ShiftColour(houses[c]->GetSurface(), rgb[0], rgb[1], rgb[2]);
      Contrast(houses[c]->GetSurface(), rail::kHouseContrast);
    }
    sprites.SetHousePictures(houses);
    Field field(&sprites, &host);
    rnd::SetRunSeed(100);
    const LevelParams& layout = Level(100);
    field.NewLevel(0, 2, 97, 3, {}, {}, 95);
    LayLevelTracks(field, layout.TracksText);
    field.AddNewTown(0, 17, 0);
    field.AddNewTown(1, 62, 2);
    field.AddNewTown(2, -1, -1);
    for (int i = 0; i < 18; ++i) field.AddHouse(40, i % 3, true);
    for (int i = 0; i < 4000 && !field.AllTracksBuilt(); ++i) field.BuildStep(300);
    screen.Render();  // trains added from here on are drawn at their depth too
    field.At(98).ToggleSwitch(0);
    field.At(52).ToggleSwitch(1);
    field.LaunchTrain({.colour = 1, .cars = 4, .loco = 6, .town = 0}, Departure::kNow);
    field.LaunchTrain({.colour = 0, .cars = 3, .loco = 4, .town = 1}, Departure::kNow);
    field.LaunchTrain({.colour = 2, .cars = 2, .loco = 5, .kind = TrainKind::kCrazy, .town = 0},
                      Departure::kDelayed);
    field.AddCrashSite(76, 2, 60);
    for (int frame = 0; frame < 600; ++frame) {
      field.FieldUpdate(20);
      screen.Update(20, frame);
    }
    EXPECT_GE(field.Trains().size(), 2u);
    screen.Render();
    EXPECT_TRUE(std::is_sorted(screen.Sprites.begin(), screen.Sprites.end(),
                               [](const LClip* a, const LClip* b) { return a->z > b->z; }));
    const std::string path = std::string(OT_BINARY_DIR) + "/art/field_railway.png";
    ::mkdir((std::string(OT_BINARY_DIR) + "/art").c_str(), 0755);
    EXPECT_TRUE(SavePng(display, path));
    for (LClip* h : houses) delete h;  // the field's houses keep their shared pictures
  }
  ClipLib::Shutdown();
  SDL_Quit();
}

// The pixel of the display at (x, y), as the screen's format packs it.
uint32_t PixelAt(SDL_Surface* s, int x, int y) {
  SDL_LockSurface(s);
  uint32_t pixel = 0;
  std::memcpy(&pixel,
              static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel,
              s->format->BytesPerPixel);
  SDL_UnlockSurface(s);
  return pixel;
}

// Houses stand close around a switch, some with their roofs over its arrow or knob: the
// switch is drawn over them, as the player must see it to aim at it, and a click on it
// where a house overlaps throws it.
TEST(FieldPicture, ASwitchIsDrawnOverTheHousesAroundItAndTakesTheClick) {
  if (!PicturesPresent()) GTEST_SKIP() << "the game's pictures are not in the build folder";
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  SDL_Surface* display = SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
  ASSERT_NE(display, nullptr);
  ASSERT_TRUE(ClipLib::Init());
  int progress = 0;
  while (progress >= 0 && !ClipLib::IsComplete()) progress = ClipLib::LoadNext();
  ASSERT_TRUE(ClipLib::IsComplete());
  {
    LEngine screen(display, 0, 0, 800, 600, false);
    LClip* ground = ClipLib::Create(87, false);
    ground->z = 100000;
    screen.AddSprite(ground);
    RecordingHost host;
    ScreenSprites sprites(&screen);
    Field field(&sprites, &host);
    rnd::SetRunSeed(5);
    constexpr int kJunction = 42;
    const rail::Point at = rail::JunctionPos(kJunction);
    // A crowd of houses below and beside the junction; the tracks clear their way.
    std::vector<SceneryRecord> houses;
    for (int dy = 0; dy <= 30; dy += 6) {
      for (int dx = -30; dx <= 30; dx += 6) houses.push_back({at.x + dx, at.y + dy, 4, 1});
    }
    field.NewLevel(0, 0, 17, 3, NoForest(), houses, 95);
    field.AddTrack(kJunction, 3, Laying::kQuietLayout);
    field.AddTrack(kJunction, 4, Laying::kQuietLayout);
    for (int i = 0; i < 2000 && !field.AllTracksBuilt(); ++i) field.BuildStep(300);
    const Junction::Switch& sw = field.At(kJunction).SwitchAt(1);
    ASSERT_EQ(sw.state, SwitchState::kWorking);
    // A point where the switch and a house both have a pixel.
    const FieldSprite* house = nullptr;
    int px = 0, py = 0;
    for (int y = at.y - 40; y <= at.y + 40 && !house; ++y) {
      for (int x = at.x - 40; x <= at.x + 40 && !house; ++x) {
        if (!sw.picture->Hit(x, y)) continue;
        for (const Scenery& h : field.Houses()) {
          if (h.picture && h.picture->Hit(x, y)) {
            house = h.picture;
            px = x;
            py = y;
            break;
          }
        }
      }
    }
    ASSERT_NE(house, nullptr) << "no house overlaps the switch";
    // The house's pixel there is opaque: the switch shows only when drawn over it.
    screen.Render();
    const uint32_t withSwitch = PixelAt(display, px, py);
    sw.picture->Show(false);
    screen.Render();
    EXPECT_NE(PixelAt(display, px, py), withSwitch)
        << "a house hides the switch at " << px << "," << py;
    EXPECT_LT(sw.picture->Z(), house->Z());
    sw.picture->Show(true);
    const int active = sw.active;
    EXPECT_EQ(field.FieldClick(px, py), nullptr);
    EXPECT_NE(sw.active, active);
  }
  ClipLib::Shutdown();
  SDL_Quit();
}

}  // namespace
