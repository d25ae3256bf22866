// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndLevelStats.h"

#include <cstdarg>
#include <cstdio>

#include "engine/LSound.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int kDialogWidth = 400;
constexpr int kTitleY = 10;

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Printf(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

// Centred across the dialog at the library's height, hidden until a page shows it.
LClipButton* MakePageButton(int entry, LEngine* screen) {
  LClipButton* button = MakeButton(entry, snd::Button, screen, true);
  button->x = (kDialogWidth - button->FrameW) / 2;
  button->SetVisible(false);
  return button;
}

}  // namespace

GWndLevelStats::GWndLevelStats(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                               const BitmapFont* titleFont)
    : LEngine(target, px, py, w, h, true), titleFont_(titleFont) {
  textFont_ = std::make_unique<BitmapFont>(ClipLib::TemplateOrCopy(clip::FontSmall, textSheet_));
  NextButton = MakePageButton(clip::ButtonNext, this);
  OkButton = MakePageButton(clip::IntroOk, this);
}

void GWndLevelStats::BeginPage(const char* title) {
  StampSprite(ClipLib::Create(clip::BigBackground));
  Lines.clear();
  Lines.emplace_back(title);
  if (titleFont_ && Background) titleFont_->DrawCentred(Background, kTitleY, title);
}

void GWndLevelStats::DrawLine(int y, const std::string& text) {
  Lines.push_back(text);
  if (Background) textFont_->DrawCentred(Background, y, text);
}

void GWndLevelStats::ShowLevelEnd(LEngine** slot, const LevelStatistics& stats) {
  NextButton->SetVisible(true);
  OkButton->SetVisible(false);
  BeginPage("END LEVEL");
  DrawLine(80, Printf("Player:  %s", stats.player.c_str()));
  DrawLine(120, Printf("Level:  %d", stats.level));
  DrawLine(160, Printf("Time:  %d:00", stats.minutes));
  DrawLine(220, Printf("Trains:  %d", stats.trains));
  DrawLine(260, Printf("Trains on level:  %d", stats.trainsOnLevel));
  // A level of a level pack names the trains it asks for under those delivered.
  if (stats.par >= 0) DrawLine(290, Printf("Par:  %d", stats.par));
  // A balance below zero keeps its sign instead of wrapping round.
  DrawLine(320, Printf("Money:  %ld", static_cast<long>(stats.money)));
  DrawLine(360, Printf("Change balance:  %d", stats.balanceChange));
  // Only a level rewound says so, under its time: the page stays as it was for every
  // other.
  // The hints asked for share that line: the page stays as it was without them.
  if (stats.rewinds > 0 && stats.hints > 0) {
    DrawLine(190, Printf("Rewinds:  %d   Hints:  %d", stats.rewinds, stats.hints));
  } else if (stats.rewinds > 0) {
    DrawLine(190, Printf("Rewinds:  %d", stats.rewinds));
  } else if (stats.hints > 0) {
    DrawLine(190, Printf("Hints:  %d", stats.hints));
  }
  Show(slot);
}

void GWndLevelStats::ShowGameOver(LEngine** slot, const GameOverStatistics& stats) {
  OkButton->SetVisible(true);
  NextButton->SetVisible(false);
  BeginPage("GAME OVER");
  DrawLine(130, Printf("Player:  %s", stats.player.c_str()));
  DrawLine(180, Printf("Top level:  %d", stats.topLevel));
  DrawLine(230, Printf("Total time:  %d:%d:00", stats.totalTime / 60, stats.totalTime % 60));
  DrawLine(280, Printf("Total trains:  %d", stats.trains));
  Show(slot);
}

int32_t GWndLevelStats::OnKeyDown(int32_t key, int32_t modifiers) {
  if (key == SDLK_ESCAPE)
    Close(-2);
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
    Close(-1);
  return LEngine::OnKeyDown(key, modifiers);
}

void GWndLevelStats::OnControlClick(LControl* control) {
  if (control == NextButton || control == OkButton) Close(-1);
}
