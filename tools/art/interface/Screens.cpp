// SPDX-License-Identifier: GPL-3.0-or-later
// build/art/screens.png: the in-game frame and every dialog composed from the saved
// pictures at the places where the game draws them, with text drawn from the font
// sheets the way the game draws it; for looking at the interface as a whole.
#include <cstdio>
#include <string>
#include <vector>

#include "ids/ScreenSize.h"
#include "interface/FontSheet.h"
#include "interface/Fonts.h"
#include "interface/Style.h"
#include "kit/Registry.h"

namespace art::ui {
namespace {

class Composer {
 public:
  explicit Composer(const ArtContext& ctx) : ctx_(ctx) {}

  // Draws frame `frame` of a saved picture with its top-left corner at (x, y).
  void Put(Canvas& target, const std::string& name, int frame, double x, double y) const {
    const SavedPicture* p = Find(name);
    if (!p) {
      std::fprintf(stderr, "art: screens: %s is not drawn yet\n", name.c_str());
      return;
    }
    int fw = p->canvas->Width() / p->frames;
    cairo_t* cr = target.Cr();
    cairo_save(cr);
    cairo_rectangle(cr, x, y, fw, p->canvas->Height());
    cairo_clip(cr);
    target.Paint(*p->canvas, x - fw * frame, y);
    cairo_restore(cr);
  }

  // A font on a saved sheet; none when the sheet is missing.
  std::unique_ptr<SheetFont> Font(const std::string& name, const std::string& chars) const {
    const SavedPicture* p = Find(name);
    if (!p) return nullptr;
    return std::make_unique<SheetFont>(*p->canvas, chars);
  }

 private:
  // The picture as written last: a later save of the same file replaces the earlier one on disk.
  const SavedPicture* Find(const std::string& name) const {
    const SavedPicture* found = nullptr;
    for (const SavedPicture& p : ctx_.Saved())
      if (p.picture == name) found = &p;
    return found;
  }
  const ArtContext& ctx_;
};

struct Fonts {
  std::unique_ptr<SheetFont> small, message, big, red, menu, level;
};

Fonts LoadFonts(const Composer& c) {
  std::string all = DefaultCharacters();
  Fonts f;
  f.small = c.Font("Dat/Game/fontSmall.gif", all);
  f.message = c.Font("Dat/Game/font_message.gif", all);
  f.big = c.Font("Dat/Game/fontBig.gif", kBigCharacters);
  f.red = c.Font("Dat/Interface/fontRed.gif", all);
  f.menu = c.Font("Dat/Interface/Menu/red_white_font.tga", all);
  f.level = c.Font("Dat/Interface/NewGame/fontLevelN.tga", kLevelCharacters);
  return f;
}

// The rolling counters: digits 20 pixels apart, a 5 pixel gap between groups of three.
void Counter(const Composer& c, Canvas& s, int x, int count, long value, int gap) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*ld", count, value);
  for (int i = 0; i < count; ++i) {
    c.Put(s, "Dat/Game/nums.jpg", 4 * (text[i] - '0'), x, -3);
    x += 20 + ((count - i) % 3 == 1 ? gap : 0);
  }
}

// The in-game screen: the frame around the field, the left panel and the counters.
void InGame(const Composer& c, const Fonts& f, Canvas& s, bool puzzle) {
  FillOpaque(s, Hex(0x4e7a36));
  c.Put(s, "Dat/Game/BackMain.jpg", 0, 140, 0);
  c.Put(s, "Dat/Interface/MainWindow/top_forest.jpg", 0, 140, 0);
  c.Put(s, "Dat/Interface/MainWindow/top_tube.jpg", 0, 140, 0);
  c.Put(s, "Dat/Interface/MainWindow/sklad_.tga", 0, 144, 0);
  c.Put(s, "Dat/Interface/MainWindow/tunnel_.tga", 0, 749, 15);
  c.Put(s, "Dat/Interface/MainWindow/DownLine.jpg", 0, 140, 570);
  c.Put(s, "Dat/Interface/MainWindow/right_panel.tga", 0, 793, 0);
  c.Put(s, "Dat/Interface/MainWindow/VertLine.jpg", 0, 199, 575);
  c.Put(s, "Dat/Interface/MainWindow/VertLine.jpg", 0, 725, 575);
  c.Put(s, "Dat/Game/left_panel.jpg", 0, 0, 0);
  c.Put(s, "Dat/Game/btn_menu.jpg", 2, 14, 78);
  c.Put(s, "Dat/Interface/MainWindow/logo.jpg", 0, 14, 512);
  c.Put(s, "Dat/Interface/MainWindow/ostrelgames.jpg", 0, 14, 564);
  const int trackX[6] = {39, 15, 15, 39, 85, 22}, trackY[6] = {465, 377, 408, 428, 305, 305};
  for (int t = 0; t < 6; ++t)
    c.Put(s, "Dat/Game/LeftTrack" + std::to_string(t) + ".tga", t == 1 ? 2 : 0, trackX[t],
          trackY[t]);
  if (puzzle) {
    c.Put(s, "Dat/Game/grey_route_mode.jpg", 0, 13, 305);
    c.Put(s, "Dat/Interface/MainWindow/puzzle_game_cap.jpg", 0, 15, 191);
    c.Put(s, "Dat/Interface/MainWindow/building_available.tga", 0, 24, 355);
  } else {
    c.Put(s, "Dat/Game/btn_build_mode.jpg", 0, 14, 237);
  }
  Counter(c, s, 301, 4, puzzle ? 12 : 3, 0);
  Counter(c, s, 482, 10, puzzle ? 1234567 : 15000, 5);
  if (f.small) {
    f.small->DrawCentred(s, 23, 100, 14, "Ostrel");
    f.small->DrawCentred(s, 18, 110, 57, puzzle ? "LEVEL  3" : "");
  }
  if (f.big && !puzzle) f.big->DrawCentred(s, 140, 650, 220, "LEVEL  1");
  if (f.message)
    f.message->DrawCentred(s, 140, 650, 575, puzzle ? "End level" : "The train has arrived");
}

// A tip with its box, text and arrow, the way the tips draw it.
void Tip(const Composer& c, const Fonts& f, Canvas& s, int ax, int ay, const std::string& text) {
  if (!f.small) return;
  const int lineH = f.small->Height() - 7;
  // Word-wrap by measuring, as the game's font code does (180 pixels, glyphs side by side).
  std::vector<std::string> lines(1);
  std::string word;
  for (char ch : text + " ") {
    word.push_back(ch);
    if (ch != ' ') continue;
    if (f.small->Measure(lines.back() + word) > 180) lines.emplace_back();
    lines.back() += word;
    word.clear();
  }
  int n = int(lines.size()), h = 16 + 14 + 3 + n * lineH;
  int bx = ax + 31, by = ay - h / 2;
  cairo_t* cr = s.Cr();
  cairo_rectangle(cr, bx, by, 186, h);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_fill(cr);
  c.Put(s, "Dat/Game/tip_text.tga", 0, bx, by);
  c.Put(s, "Dat/Game/tip_hide_text.tga", 0, bx, by + h - 14);
  for (int i = 0; i < n; ++i) f.small->Draw(s, bx + 3, by + 16 + i * lineH, lines[i]);
  c.Put(s, "Dat/Game/TipsArrowLeft.tga", 0, ax + 1, ay - 5);
}

void Menu(const Composer& c, const Fonts& f, Canvas& s) {
  const int dx = 275, dy = 50;
  c.Put(s, "Dat/Interface/BigBG.jpg", 0, dx, dy);
  if (f.red) f.red->DrawCentred(s, dx, 400, dy + 10, "MENU");
  const char* items[] = {"CONTINUE", "NEW GAME", "PICK GAME", "OPTIONS", "HELP", "EXIT"};
  int y = 75;
  for (int i = 0; i < 6; ++i) {
    if (f.menu) f.menu->DrawCentred(s, dx, 400, dy + y, items[i]);
    c.Put(s, "Dat/Interface/Menu/main_menu_frames.tga",
          i == 1   ? 2
          : i == 4 ? 1
                   : 0,
          dx + 50, dy + y);
    y += (520 - 90) / 6;
  }
}

void Options(const Composer& c, const Fonts& f, Canvas& s) {
  const int dx = 275, dy = 50;
  c.Put(s, "Dat/Interface/BigBG.jpg", 0, dx, dy);
  if (f.red) f.red->DrawCentred(s, dx, 400, dy + 10, "OPTIONS");
  c.Put(s, "Dat/Interface/Options/AddBG.gif", 0, dx + 55, dy + 75);
  c.Put(s, "Dat/Interface/Options/slider.jpg", 0, dx + 187, dy + 74);
  c.Put(s, "Dat/Interface/Options/slider.jpg", 0, dx + 187, dy + 125);
  // Handles at values 90 and 128 of 128: x = 5 + track x + (150 - 18 - 5) * v / 128.
  c.Put(s, "Dat/Interface/Options/slider_handle.tga", 0, dx + 187 + 5 + 127 * 90 / 128,
        dy + 74 - 13);
  c.Put(s, "Dat/Interface/Options/slider_handle.tga", 1, dx + 187 + 5 + 127, dy + 125 - 13);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 3, dx + 188, dy + 190);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 5, dx + 188, dy + 235);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 0, dx + 233, dy + 283);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 2, dx + 233, dy + 317);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 3, dx + 233, dy + 351);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 0, dx + 233, dy + 385);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 3, dx + 233, dy + 419);
  c.Put(s, "Dat/Interface/button_ok.jpg", 0, dx + 70, dy + 458);
  c.Put(s, "Dat/Interface/button_cancel.jpg", 2, dx + 219, dy + 458);
}

void PickGame(const Composer& c, const Fonts& f, Canvas& s) {
  const int dx = 275, dy = 50;
  c.Put(s, "Dat/Interface/BigBG.jpg", 0, dx, dy);
  if (f.red) f.red->DrawCentred(s, dx, 400, dy + 10, "PICK GAME");
  c.Put(s, "Dat/Interface/PickGame/puzzle_game.jpg", 3, dx + 65, dy + 87);
  c.Put(s, "Dat/Interface/PickGame/classic_game.jpg", 0, dx + 65, dy + 317);
  c.Put(s, "Dat/Interface/PickGame/AddBG1.jpg", 0, dx + 111, dy + 288);
  c.Put(s, "Dat/Interface/PickGame/AddBG2.jpg", 0, dx + 112, dy + 58);
  c.Put(s, "Dat/Interface/PickGame/frame_state.tga", 2, dx + 64, dy + 86);
  c.Put(s, "Dat/Interface/PickGame/frame_state.tga", 0, dx + 64, dy + 315);
  c.Put(s, "Dat/Interface/PickGame/Selected.tga", 0, dx + 65, dy + 316);
}

void NewGame(const Composer& c, const Fonts& f, Canvas& s) {
  const int dx = 275, dy = 185;
  c.Put(s, "Dat/Interface/SmallBG.jpg", 0, dx, dy);
  if (f.red) f.red->DrawCentred(s, dx, 400, dy + 20, "NEW GAME");
  c.Put(s, "Dat/Interface/NewGame/SelectStartLevel.tga", 0, dx + 38, dy + 80);
  int w = f.level ? f.level->Measure("(1-4):") : 50;
  if (f.level) f.level->Draw(s, dx + 240, dy + 81, "(1-4):");
  c.Put(s, "Dat/Interface/NewGame/NewGameBtLeft.tga", 0, dx + 240 + w, dy + 76);
  if (f.level)
    f.level->DrawCentred(s, dx + 240 + w + 24, 25, dy + 76 + (30 - f.level->Height()) / 2 - 2, "4");
  c.Put(s, "Dat/Interface/NewGame/NewGameBtRight.tga", 2, dx + 265 + w + 24, dy + 76);
  c.Put(s, "Dat/Interface/button_ok.jpg", 0, dx + 70, dy + 121);
  c.Put(s, "Dat/Interface/button_cancel.jpg", 0, dx + 219, dy + 121);
}

void Quit(const Composer& c, const Fonts& f, Canvas& s) {
  const int dx = 275, dy = 185;
  c.Put(s, "Dat/Interface/SmallBG.jpg", 0, dx, dy);
  if (f.red) f.red->DrawCentred(s, dx, 400, dy + 40, "QUIT THE GAME?");
  c.Put(s, "Dat/Interface/button_ok.jpg", 2, dx + 70, dy + 121);
  c.Put(s, "Dat/Interface/button_cancel.jpg", 0, dx + 219, dy + 121);
}

void LevelStats(const Composer& c, const Fonts& f, Canvas& s) {
  const int dx = 275, dy = 50;
  c.Put(s, "Dat/Interface/BigBG.jpg", 0, dx, dy);
  if (f.red) f.red->DrawCentred(s, dx, 400, dy + 10, "END LEVEL");
  struct Line {
    int y;
    const char* text;
  };
  const Line lines[] = {{80, "Player:  Ostrel"},        {120, "Level:  2"},
                        {160, "Time:  15:00"},          {220, "Trains:  31"},
                        {260, "Trains on level:  17"},  {320, "Money:  48000"},
                        {360, "Change balance:  21000"}};
  for (const Line& l : lines)
    if (f.small) f.small->DrawCentred(s, dx, 400, dy + l.y, l.text);
  c.Put(s, "Dat/Interface/button_next.jpg", 0, dx + 145, dy + 401);
}

void Help(const Composer& c, const Fonts& f, Canvas& s) {
  c.Put(s, "Dat/Interface/Help/helpBG.jpg", 0, 0, 0);
  struct Ill {
    const char* name;
    int frame, x, y;
  };
  const Ill ills[] = {{"0.jpg", 1, 258, 32},   {"1.jpg", 0, 80, 213},  {"2.jpg", 1, 495, 221},
                      {"3.jpg", 2, 107, 405},  {"4.jpg", 0, 487, 420}, {"11.tga", 0, 23, 238},
                      {"12.tga", 0, 740, 419}, {"13.tga", 1, 73, 416}, {"14.tga", 0, 702, 231}};
  for (const Ill& i : ills)
    c.Put(s, std::string("Dat/Interface/Help/") + i.name, i.frame, i.x, i.y);
  c.Put(s, "Dat/Interface/btnokGlass.tga", 2, 643, 560);
  c.Put(s, "Dat/Interface/Options/chckbox.jpg", 0, 12, 557);
  if (f.small) f.small->Draw(s, 385, 575, "V. 1.0");
}

void Intro(const Composer& c, const Fonts& f, Canvas& s) {
  c.Put(s, "Dat/Interface/introBG.jpg", 0, 0, 0);
  if (f.small) f.small->Draw(s, 740, 575, "V. 1.0");
  c.Put(s, "Dat/Interface/LogoIntro.tga", 0, 3, 7);
  c.Put(s, "Dat/Interface/IntroOstrelGames.tga", 0, 253, 5);
  c.Put(s, "Dat/Game/top_train_2.jpg", 0, 278 + 60, 524);
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP_ORDERED(interface_screens, 200) {
  Composer c(ctx);
  Fonts f = LoadFonts(c);
  const int W = screen::kWidth, H = screen::kHeight, cols = 4;
  using Shot = void (*)(const Composer&, const Fonts&, Canvas&);
  const Shot dialogs[] = {Menu, Options, PickGame, NewGame, Quit, LevelStats};
  const int count = 2 + int(std::size(dialogs)) + 2;
  Canvas sheet(W * cols, H * ((count + cols - 1) / cols));
  FillOpaque(sheet, Hex(0x202020));
  int slot = 0;
  auto place = [&](Canvas& shot) {
    sheet.Paint(shot, W * (slot % cols), H * (slot / cols)), ++slot;
  };
  {
    Canvas shot(W, H);
    InGame(c, f, shot, false);
    Tip(c, f, shot, 300, 300, "Move blue train in blue town.");
    place(shot);
  }
  Canvas paused(W, H);
  InGame(c, f, paused, true);
  {
    Canvas shot(W, H);
    shot.Paint(paused, 0, 0);
    c.Put(shot, "Dat/Game/pause.jpg", 0, 300, 300);
    place(shot);
  }
  for (Shot d : dialogs) {
    Canvas shot(W, H);
    shot.Paint(paused, 0, 0);
    c.Put(shot, "Dat/Game/pause.jpg", 0, 300, 300);
    d(c, f, shot);
    place(shot);
  }
  for (Shot d : {Help, Intro}) {
    Canvas shot(W, H);
    d(c, f, shot);
    place(shot);
  }
  ctx.SavePng(sheet, "art/screens.png");
}
