// SPDX-License-Identifier: GPL-3.0-or-later
// The help page: the background carries the game's help text around the places of the
// nine animated illustrations, which show what the text next to them explains.
#include <cmath>
#include <string>

#include "ids/ScreenSize.h"
#include "interface/HelpText.h"
#include "interface/PanelParts.h"
#include "interface/Scene.h"
#include "interface/Style.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

namespace art::ui {
namespace {

// Where the illustrations stand on the page and how big they are.
struct Slot {
  int entry, frames, x, y, w, h;
};
constexpr Slot kGoal{59, 3, 258, 32, 284, 150};
constexpr Slot kSwitch{60, 2, 80, 213, 150, 110};
constexpr Slot kRepair{61, 3, 495, 221, 200, 110};
constexpr Slot kBuild{62, 4, 107, 405, 160, 110};
constexpr Slot kMoney{63, 2, 487, 420, 240, 56};
constexpr Slot kSignal{64, 2, 23, 238, 50, 70};
constexpr Slot kBell{65, 2, 740, 419, 44, 62};
constexpr Slot kMouse{66, 2, 73, 416, 30, 48};
constexpr Slot kCall{67, 2, 702, 231, 80, 80};

const std::vector<Topic> kGoalTopics = {
    {"THE GOAL",
     "Trains leave the towns at the edges of the field. Bring each one to the town of its own "
     "colour: "
     "it earns 3000, and 1000 more for each wagon. The level ends when the warehouse on the top "
     "bar is "
     "empty and the last train is home."},
    {"TOWNS AND COLOURS",
     "Towns come in eight colours: yellow, red, green, blue, cyan, magenta, black and white. A "
     "train that "
     "enters a town of another colour is sent back."},
};
const std::vector<Topic> kGameTopics = {
    {"THE TWO GAMES",
     "In the Classic game you build the railway yourself, and new towns appear as the level goes "
     "on. In "
     "the Puzzle game every level comes with a ready-built railway and fixed towns, and you only "
     "operate "
     "it. Five levels make a game; choose the type with PICK GAME in the menu."},
    {"MONEY AND FINES",
     "You start with 100000. Crashes cost money, and so do the shunting engine's trips to the "
     "warehouse. "
     "When the money runs out, the game is over."},
};
const std::vector<Topic> kSwitchTopics = {
    {"SWITCHES AND SIGNALS",
     "Click the arrow at a junction to throw its switch, and click a signal to turn it red or "
     "green. A "
     "train stops before a red signal or a switch set against it and turns back. A switch is "
     "locked while "
     "a train passes over it."},
    {"CRAZY TRAINS",
     "A crazy train runs through red signals and crashes on switches set against it. It may be "
     "routed to "
     "a town of any colour. Trains that meet crash, and the track where they met is damaged."},
};
const std::vector<Topic> kRepairTopics = {
    {"DAMAGE AND THE REPAIR TRAIN",
     "A sign marks damaged track; every train but the repair train crashes there. Call the repair "
     "train "
     "with the button above the sign, or right-click a town. Steer it onto the damage, then to any "
     "town. "
     "Call and repair cost 1000 each."},
};
const std::vector<Topic> kBuildTopics = {
    {"BUILDING IN THE CLASSIC GAME",
     "Pick one of the six track pieces on the left panel and click the field to lay it. Each piece "
     "costs "
     "1000; trees (500 each) and houses (1000 each) in its way cost extra. The mouse wheel or the "
     "right button changes the "
     "piece. The lever on the panel switches between building and route mode."},
};
const std::vector<Topic> kWaitTopics = {
    {"",
     "A train that waits in its town because the line is busy costs 1000 every 30 seconds. Once "
     "the "
     "warehouse is empty, each train still on the field costs 1000 every 20 seconds."},
};

// The help text's boxes on the page, around the illustrations' frames.
struct Block {
  TextBox box;
  const std::vector<Topic>* topics;
};
const Block kBlocks[] = {
    {{20, 10, 226, 206}, &kGoalTopics},     {{557, 10, 230, 214}, &kGameTopics},
    {{248, 213, 234, 398}, &kSwitchTopics}, {{495, 340, 292, 414}, &kRepairTopics},
    {{276, 406, 200, 548}, &kBuildTopics},  {{16, 333, 222, 398}, &kWaitTopics},
};

// The keys: the heading, then each key and what it does, in four rows: the first beside
// the heading, the others under it.
void Keys(cairo_t* cr, TextLog& log, double x, double y, const HelpTextStyle& hs) {
  TextStyle key;
  key.family = "DejaVu Sans Condensed";
  key.size = hs.headingSize;
  key.bold = true;
  key.colour = Pal().brassLight;
  TextStyle what = key;
  what.size = hs.size;
  what.bold = false;
  what.colour = Pal().cream;
  log.Text(cr, "KEYS", x, y, key, true);
  const double indent = x + TextWidth(cr, "KEYS", key) + 8;
  constexpr int kRows = 4, kPerRow = 4;
  const char* const rows[kRows][kPerRow][2] = {
      {{"Space", "pause"}, {"F1", "help"}, {"Esc", "menu"}, {"F4", "full screen"}},
      {{"Ctrl+plus/minus", "window size"}, {"Alt+F4", "close"}, {"H", "hint"}},
      {{"Tab", "faster"}, {"Shift+Tab", "slower"}, {"Backspace", "back 10 s"}},
      {{"Arrows", "pick"}, {"Enter", "switch"}, {"S", "signal"}, {"C", "repair train"}}};
  for (int r = 0; r < kRows; ++r) {
    double kx = r == 0 ? indent : x, ky = y + r * hs.lineHeight;
    for (const auto& pair : rows[r]) {
      if (!pair[0]) continue;
      log.Text(cr, pair[0], kx, ky, key, false);
      kx += TextWidth(cr, pair[0], key) + 3;
      log.Text(cr, pair[1], kx, ky, what, false);
      kx += TextWidth(cr, pair[1], what) + 9;
    }
  }
}

// The page; layout receives where every line of text went.
CanvasPtr Background(std::string* layout) {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(screen::kWidth, screen::kHeight);
  FillOpaque(*c, p.brassDark);
  cairo_t* cr = c->Cr();
  Panel(cr, 0, 0, screen::kWidth, screen::kHeight, 0, 6);
  Grain(cr, 58, 6, 6, 788, 588, 0.8);
  cairo_rectangle(cr, 6, 6, 788, 588);
  RadialFill(cr, 300, 150, 700, p.greenLight, p.greenDeep, 0.2, 0.45);
  cairo_fill(cr);
  // Frames behind the illustrations.
  for (const Slot& s : {kGoal, kSwitch, kRepair, kBuild, kMoney}) {
    RoundedRect(cr, s.x - 4, s.y - 4, s.w + 8, s.h + 8, 5);
    LinearFill(cr, s.x, s.y, s.x + s.w, s.y + s.h, p.brassLight, p.brassDark);
    cairo_fill(cr);
  }
  // The footer with the check box, the version and the OK button.
  cairo_rectangle(cr, 6, 552, 788, 42);
  SetColour(cr, p.greenDeep, 0.75);
  cairo_fill(cr);
  Rule(cr, 6, 551, 788);
  TextLog log;
  TextStyle st;
  st.size = 11;
  st.colour = p.cream;
  log.Text(cr, "Do not show this page when a game starts", 46, 575, st, false);
  TextStyle title;
  title.size = 17;
  title.bold = true;
  title.colour = p.redLight;
  title.align = Align::Centre;
  log.Text(cr, "HOW TO PLAY", kGoal.x + kGoal.w / 2, 21, title, true);
  const HelpTextStyle hs;
  for (const Block& b : kBlocks) DrawTopics(cr, log, b.box, *b.topics, hs);
  Keys(cr, log, 489, 495, hs);
  if (layout) *layout = log.Describe();
  return c;
}

// 0.jpg: a blue train runs from the red town into the blue one and earns its money.
CanvasPtr GoalPicture() {
  return DrawStrip(kGoal.w, kGoal.h, 3, [](cairo_t* cr, int k) {
    Grass(cr, 0, 0, kGoal.w, kGoal.h, 590);
    Path line = Path::Line({30, 110}, {90, 110});
    line.Append(Path::Arc({90, 70}, 60, 40, 90, 0));
    line.Append(Path::Arc({210, 70}, 60, 40, 180, 270));
    line.Append(Path::Line({210, 30}, {250, 30}));
    Rails(cr, line);
    Town(cr, 22, 110, TownColour(1));
    Town(cr, 262, 30, TownColour(3));
    double len = line.Length();
    double head[3] = {60, len * 0.55, len - 4};
    TrainOn(cr, line, head[k], TownColour(3), 3);
    if (k == 2) {
      Coin(cr, 232, 70, 11, "+");
      Lettering(cr, "+6000", 232, 98, 12, Hex(0xfff2ae), Align::Centre);
    }
  });
}

// 1.jpg: the switch sends the train up, then down.
CanvasPtr SwitchPicture() {
  return DrawStrip(kSwitch.w, kSwitch.h, 2, [](cairo_t* cr, int k) {
    Grass(cr, 0, 0, kSwitch.w, kSwitch.h, 600);
    Path in = Path::Line({0, 55}, {60, 55});
    Path up = Path::Line({60, 55}, {60, 55});
    up.Append(Path::Arc({60, 15}, 60, 40, 90, 0)).Append(Path::Line({120, 15}, {150, 15}));
    Path down = Path::Line({60, 55}, {150, 55});
    Rails(cr, k == 0 ? down : up, 0.3);
    Rails(cr, k == 0 ? up : down);
    Rails(cr, in);
    SwitchArrow(cr, 66, 72, k == 0 ? -40 : 0);
    Path route = in;
    route.Append(k == 0 ? up : down);
    TrainOn(cr, route, 100, TownColour(2), 2);
    Lettering(cr, "CLICK", 92, 101, 11, Pal().cream, Align::Centre);
  });
}

// 11.tga: a signal turning from green to red.
CanvasPtr SignalPicture() {
  return DrawStripCanvases(kSignal.w, kSignal.h, 2, [](Canvas& c, int k) {
    cairo_t* cr = c.Cr();
    SoftShadow(c, [](cairo_t* s) {
      cairo_rectangle(s, 22, 30, 6, 38);
      cairo_fill(s);
      RoundedRect(s, 12, 2, 26, 44, 8);
      cairo_fill(s);
    });
    cairo_rectangle(cr, 22, 30, 6, 38);
    SetColour(cr, Hex(0x3a3a3a));
    cairo_fill(cr);
    RoundedRect(cr, 12, 2, 26, 44, 8);
    SetColour(cr, Pal().ink);
    cairo_fill(cr);
    bool red = k == 1;
    Ellipse(cr, 25, 14, 8, 8);
    SetColour(cr, red ? Hex(0xff4a3a) : Hex(0x402020));
    cairo_fill(cr);
    Ellipse(cr, 25, 34, 8, 8);
    SetColour(cr, red ? Hex(0x204020) : Hex(0x6cff7a));
    cairo_fill(cr);
  });
}

// 2.jpg: damaged track with its sign; the repair train arrives; the track is whole again.
CanvasPtr RepairPicture() {
  return DrawStrip(kRepair.w, kRepair.h, 3, [](cairo_t* cr, int k) {
    Grass(cr, 0, 0, kRepair.w, kRepair.h, 610);
    Path line = Path::Line({0, 70}, {200, 70});
    Rails(cr, line);
    if (k < 2) {
      DamageMark(cr, 120, 70, 12);
      cairo_rectangle(cr, 140, 36, 2, 26);
      SetColour(cr, Pal().ink);
      cairo_fill(cr);
      cairo_move_to(cr, 141, 22);
      cairo_line_to(cr, 153, 42);
      cairo_line_to(cr, 129, 42);
      cairo_close_path(cr);
      SetColour(cr, Hex(0xf2d43a));
      cairo_fill_preserve(cr);
      SetColour(cr, Pal().red);
      cairo_set_line_width(cr, 2.5);
      cairo_stroke(cr);
      Lettering(cr, "!", 141, 40, 11, Pal().ink, Align::Centre);
    }
    double head[3] = {-30, 96, 190};
    if (k > 0) TrainOn(cr, line, head[k], Hex(0xff9a1a), 1);
    Lettering(cr,
              k == 0   ? "DAMAGED"
              : k == 1 ? "REPAIR TRAIN"
                       : "TRACK RESTORED",
              100, 103, 11, Pal().cream, Align::Centre);
  });
}

// 14.tga: the call button being pressed.
CanvasPtr CallPicture() {
  return DrawStripCanvases(kCall.w, kCall.h, 2, [](Canvas& c, int k) {
    cairo_t* cr = c.Cr();
    const Palette& p = Pal();
    double d = k == 1 ? 2 : 0;
    SoftShadow(c, [](cairo_t* s) {
      Ellipse(s, 36, 36, 26, 26);
      cairo_fill(s);
    });
    Ellipse(cr, 36, 36, 26, 26);
    RadialFill(cr, 28, 28, 34, k == 1 ? p.redLight : Hex(0xff9a1a).Lighter(0.3),
               k == 1 ? p.redDark : p.brassDark);
    cairo_fill(cr);
    // A wrench on the button.
    cairo_save(cr);
    cairo_translate(cr, 36 + d / 2, 36 + d / 2);
    cairo_rotate(cr, -0.8);
    RoundedRect(cr, -3, -4, 6, 22, 2);
    SetColour(cr, p.ink);
    cairo_fill(cr);
    cairo_arc(cr, 0, -10, 8, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, -3, -20, 6, 10);
    SetColour(cr, k == 1 ? p.redLight : Hex(0xff9a1a).Lighter(0.3));
    cairo_fill(cr);
    cairo_restore(cr);
    // The pointer.
    cairo_save(cr);
    cairo_translate(cr, 50 - d, 50 - d);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, 22);
    cairo_line_to(cr, 6, 16);
    cairo_line_to(cr, 11, 26);
    cairo_line_to(cr, 15, 24);
    cairo_line_to(cr, 10, 15);
    cairo_line_to(cr, 17, 15);
    cairo_close_path(cr);
    SetColour(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    SetColour(cr, p.ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
  });
}

// 3.jpg: the chosen piece is shown at the mouse, laid, built, and the next piece is picked.
CanvasPtr BuildPicture() {
  return DrawStrip(kBuild.w, kBuild.h, 4, [](cairo_t* cr, int k) {
    Grass(cr, 0, 0, kBuild.w, kBuild.h, 620);
    for (int r = 0; r < 4; ++r)
      for (int col = 0; col < 3; ++col) {
        Ellipse(cr, 20 + col * 53 * 2 + (r % 2) * 53, 14 + r * 31, 1.6, 1.6);
        SetColour(cr, Pal().cream, 0.6);
        cairo_fill(cr);
      }
    if (k == 0) {
      cairo_save(cr);
      cairo_push_group(cr);
      TrackPiece(cr, 1, 20, 76);
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, 0.5);
      cairo_restore(cr);
    } else {
      TrackPiece(cr, 1, 20, 76, k == 1 ? 0.6 : 0);
    }
    if (k == 3) {
      cairo_save(cr);
      cairo_push_group(cr);
      TrackPiece(cr, 0, 126, 76);
      cairo_pop_group_to_source(cr);
      cairo_paint_with_alpha(cr, 0.5);
      cairo_restore(cr);
    }
    if (k == 1) {
      Coin(cr, 130, 30, 10, "-");
      Lettering(cr, "-1000", 130, 56, 11, Hex(0xffb0a0), Align::Centre);
    }
  });
}

// 13.tga: the mouse; the left button lays, the right button and the wheel change the piece.
CanvasPtr MousePicture() {
  return DrawStripCanvases(kMouse.w, kMouse.h, 2, [](Canvas& c, int k) {
    cairo_t* cr = c.Cr();
    const Palette& p = Pal();
    SoftShadow(c,
               [](cairo_t* s) {
                 RoundedRect(s, 2, 2, 24, 40, 11);
                 cairo_fill(s);
               },
               {1.5, 1.5, 1, 0.5});
    RoundedRect(cr, 2, 2, 24, 40, 11);
    LinearFill(cr, 2, 2, 26, 42, Hex(0xf0f0ea), Hex(0xa8aaa4));
    cairo_fill(cr);
    auto button = [&](double x, bool lit) {
      cairo_save(cr);
      RoundedRect(cr, 2, 2, 24, 40, 11);
      cairo_clip(cr);
      cairo_rectangle(cr, x, 2, 11.5, 16);
      SetColour(cr, lit ? p.redLight : Hex(0xdcdcd6));
      cairo_fill(cr);
      cairo_restore(cr);
    };
    button(2, k == 0);
    button(14.5, k == 1);
    RoundedRect(cr, 12, 6, 4, 9, 2);
    SetColour(cr, k == 1 ? p.brassLight : Hex(0x555555));
    cairo_fill(cr);
    cairo_move_to(cr, 2, 18.5);
    cairo_line_to(cr, 26, 18.5);
    cairo_move_to(cr, 14, 2);
    cairo_line_to(cr, 14, 18.5);
    SetColour(cr, Hex(0x555555));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
}

// 4.jpg: money earned at a town, money lost in a crash.
CanvasPtr MoneyPicture() {
  return DrawStrip(kMoney.w, kMoney.h, 2, [](cairo_t* cr, int k) {
    Grass(cr, 0, 0, kMoney.w, kMoney.h, 630);
    Path line = Path::Line({0, 40}, {215, 40});
    Rails(cr, line);
    if (k == 0) {
      Town(cr, 222, 37, TownColour(5));
      TrainOn(cr, line, 205, TownColour(5), 3);
      Coin(cr, 120, 13, 11, "+");
      Lettering(cr, "+6000", 152, 18, 12, Hex(0xfff2ae));
    } else {
      TrainOn(cr, line, 110, TownColour(4), 2);
      Path back = Path::Line({215, 40}, {0, 40});
      TrainOn(cr, back, 100, TownColour(0), 2);
      for (int i = 0; i < 10; ++i) {
        double a = i * M_PI / 5;
        cairo_move_to(cr, 120, 34);
        cairo_line_to(cr, 120 + std::cos(a) * 26, 34 + std::sin(a) * 18);
      }
      SetColour(cr, Hex(0xffd04a));
      cairo_set_line_width(cr, 4);
      cairo_stroke(cr);
      Ellipse(cr, 120, 34, 14, 11);
      RadialFill(cr, 120, 34, 14, {1, 1, 0.8}, Hex(0xff6a1a));
      cairo_fill(cr);
      Coin(cr, 190, 13, 11, "-");
      Lettering(cr, "CRASH", 40, 18, 12, Hex(0xffb0a0));
    }
  });
}

// 12.tga: the bell of a town whose train has to wait, swinging.
CanvasPtr BellPicture() {
  return DrawStripCanvases(kBell.w, kBell.h, 2, [](Canvas& c, int k) {
    cairo_t* cr = c.Cr();
    const Palette& p = Pal();
    auto bell = [k](cairo_t* s) {
      cairo_translate(s, 22, 8);
      cairo_rotate(s, k == 0 ? -0.35 : 0.35);
      cairo_move_to(s, -6, 4);
      cairo_curve_to(s, -6, 12, -9, 24, -16, 30);
      cairo_line_to(s, 16, 30);
      cairo_curve_to(s, 9, 24, 6, 12, 6, 4);
      cairo_close_path(s);
    };
    SoftShadow(c, [&](cairo_t* s) {
      bell(s);
      cairo_fill(s);
    });
    cairo_save(cr);
    bell(cr);
    LinearFill(cr, -16, 0, 16, 0, p.brassLight, p.brassDark);
    cairo_fill(cr);
    Ellipse(cr, k == 0 ? 4 : -4, 32, 4, 4);
    SetColour(cr, p.brassDark);
    cairo_fill(cr);
    cairo_restore(cr);
    Ellipse(cr, 22, 7, 3, 3);
    SetColour(cr, p.ink);
    cairo_fill(cr);
    Lettering(cr, "-1000", 22, 59, 11, Hex(0xffb0a0), Align::Centre);
  });
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_help) {
  std::string layout;
  ctx.Save(*Background(&layout), "Dat/Interface/Help/helpBG.jpg", "", 1, {58});
  // Where the text went, for the layout test: one line of text per line.
  ctx.SaveText(layout, "art/help-text.txt");
  ctx.Save(*GoalPicture(), "Dat/Interface/Help/0.jpg", "", 3, {59});
  ctx.Save(*SwitchPicture(), "Dat/Interface/Help/1.jpg", "", 2, {60});
  ctx.Save(*RepairPicture(), "Dat/Interface/Help/2.jpg", "", 3, {61});
  ctx.Save(*BuildPicture(), "Dat/Interface/Help/3.jpg", "", 4, {62});
  ctx.Save(*MoneyPicture(), "Dat/Interface/Help/4.jpg", "", 2, {63});
  ctx.Save(*SignalPicture(), "Dat/Interface/Help/11.tga", "", 2, {64});
  ctx.Save(*BellPicture(), "Dat/Interface/Help/12.tga", "", 2, {65});
  ctx.Save(*MousePicture(), "Dat/Interface/Help/13.tga", "", 2, {66});
  ctx.Save(*CallPicture(), "Dat/Interface/Help/14.tga", "", 2, {67});
}
