// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndPacks.h"

#include <algorithm>
#include <cstdio>

#include "engine/LSound.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int kTitleY = 10;
constexpr int kPackY = 62;
constexpr int kArrowMargin = 24;
constexpr int kNameX = 36;
constexpr int kStateRight = 364;
constexpr int kDescriptionY = 392;
constexpr int kDescriptionWidth = 340;
constexpr int kDescriptionLines = 2;
constexpr int kParY = 440;
constexpr int kButtonsY = 466;
constexpr int kOkX = 70;
constexpr int kCancelX = 219;

std::string Format(const char* format, long a, long b = 0) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// The NUL-separated lines of a wrapped text.
std::vector<std::string> SplitLines(const std::string& wrapped) {
  std::vector<std::string> lines(1);
  for (char c : wrapped) {
    if (c == '\0')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

}  // namespace

GWndPacks::GWndPacks(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                     const BitmapFont* titleFont)
    : LEngine(target, px, py, w, h, true), titleFont_(titleFont) {
  textFont_ = std::make_unique<BitmapFont>(ClipLib::TemplateOrCopy(clip::FontSmall, textSheet_));
  PreviousPack = MakeButton(clip::NewGameLeft, snd::Button, this, true);
  NextPack = MakeButton(clip::NewGameRight, snd::Button, this, true);
  OkButton = MakeButton(clip::MessageOk, snd::Button, this, true);
  CancelButton = MakeButton(clip::MessageCancel, snd::Button, this, true);
  const int arrowY = kPackY + (textFont_->Height - PreviousPack->FrameH) / 2;
  PreviousPack->SetPosition(kArrowMargin, arrowY);
  NextPack->SetPosition(W - kArrowMargin - NextPack->FrameW, arrowY);
  OkButton->SetPosition(kOkX, kButtonsY);
  CancelButton->SetPosition(kCancelX, kButtonsY);
}

GWndPacks::~GWndPacks() = default;

void GWndPacks::Open(LEngine** slot, std::vector<LevelPack> packs, const PackProgress& progress,
                     size_t pack, size_t level) {
  packs_ = std::move(packs);
  progress_ = progress;
  firstRow_ = 0;
  Choose(pack, level);
  Show(slot);
}

bool GWndPacks::ChosenOpen() const {
  return pack_ < packs_.size() && progress_.Unlocked(packs_[pack_], level_);
}

void GWndPacks::Choose(size_t pack, size_t level) {
  if (packs_.empty()) {
    pack_ = level_ = 0;
  } else {
    pack_ = std::min(pack, packs_.size() - 1);
    const size_t count = packs_[pack_].levels.size();
    level_ = count == 0 ? 0 : std::min(level, count - 1);
  }
  // The list scrolls so that the chosen level stays on it.
  if (level_ < firstRow_) firstRow_ = level_;
  if (level_ >= firstRow_ + kRowsShown) firstRow_ = level_ + 1 - kRowsShown;
  Redraw();
}

void GWndPacks::Redraw() {
  StampSprite(ClipLib::Create(clip::BigBackground));
  Lines.clear();
  Lines.emplace_back("LEVEL PACKS");
  if (titleFont_ && Background) titleFont_->DrawCentred(Background, kTitleY, "LEVEL PACKS", 0);
  PreviousPack->SetVisible(pack_ > 0);
  NextPack->SetVisible(pack_ + 1 < packs_.size());
  OkButton->SetVisible(ChosenOpen());
  if (packs_.empty()) {
    DrawLine(*textFont_, 0, kFirstRowY, "No level packs found.", true);
    return;
  }
  const LevelPack& pack = packs_[pack_];
  // Which pack of how many: the arrows beside it lead to the others.
  std::string title = pack.title;
  if (packs_.size() > 1) {
    title +=
        Format("   (%ld of %ld)", static_cast<long>(pack_ + 1), static_cast<long>(packs_.size()));
  }
  DrawLine(*textFont_, 0, kPackY, title, true);
  const size_t last = std::min(pack.levels.size(), firstRow_ + kRowsShown);
  for (size_t i = firstRow_; i < last; ++i) {
    DrawRow(i, kFirstRowY + static_cast<int>(i - firstRow_) * kRowHeight);
  }
  DrawChosen();
}

std::string GWndPacks::StateText(size_t index) const {
  const LevelPack& pack = packs_[pack_];
  const LevelProgress* p = progress_.Find(pack.levels[index]->contentHash);
  if (p && p->finished) return Format("done  %ld / %ld", p->bestDelivered, pack.levels[index]->par);
  if (!progress_.Unlocked(pack, index)) return "locked";
  return p ? Format("best  %ld / %ld", p->bestDelivered, pack.levels[index]->par) : "open";
}

void GWndPacks::DrawRow(size_t index, int y) {
  const LevelFile& level = *packs_[pack_].levels[index];
  const char* mark = index == level_ ? ">" : "";
  DrawLine(*textFont_, kNameX - textFont_->Measure(mark) - 4, y, mark, false);
  DrawLine(*textFont_, kNameX, y, Format("%ld.  ", static_cast<long>(index + 1)) + level.name,
           false);
  const std::string state = StateText(index);
  DrawLine(*textFont_, kStateRight - textFont_->Measure(state), y, state, false);
}

// The chosen level's description, its par and the player's best.
void GWndPacks::DrawChosen() {
  const LevelPack& pack = packs_[pack_];
  if (pack.levels.empty()) return;
  const LevelFile& level = *pack.levels[level_];
  const std::vector<std::string> lines =
      SplitLines(textFont_->WordWrap(level.description, kDescriptionWidth));
  for (size_t i = 0; i < lines.size() && i < kDescriptionLines; ++i) {
    DrawLine(*textFont_, 0, kDescriptionY + static_cast<int>(i) * (textFont_->Height + 2), lines[i],
             true);
  }
  std::string par = Format(level.par == 1 ? "Par:  %ld train" : "Par:  %ld trains", level.par);
  if (const LevelProgress* p = progress_.Find(level.contentHash)) {
    par += Format("     Best:  %ld,  %ld", p->bestDelivered, static_cast<long>(p->bestMoney));
  }
  DrawLine(*textFont_, 0, kParY, par, true);
}

void GWndPacks::DrawLine(const BitmapFont& font, int x, int y, const std::string& text,
                         bool centred) {
  if (text.empty()) return;
  Lines.push_back(text);
  if (!Background) return;
  if (centred)
    font.DrawCentred(Background, y, text);
  else
    font.DrawString(Background, x, y, text);
}

void GWndPacks::Play() {
  if (ChosenOpen()) Close(-1);
}

LControl* GWndPacks::OnLeftDown(int32_t px, int32_t py) {
  LControl* control = LEngine::OnLeftDown(px, py);
  if (control || packs_.empty()) return control;
  const int y = py - Y - kFirstRowY;
  if (y < 0) return nullptr;
  const size_t row = firstRow_ + static_cast<size_t>(y / kRowHeight);
  if (row >= packs_[pack_].levels.size() || row >= firstRow_ + kRowsShown) return nullptr;
  // A second click on the chosen level plays it.
  if (row == level_) {
    Play();
  } else {
    Choose(pack_, row);
  }
  return nullptr;
}

int32_t GWndPacks::OnKeyDown(int32_t key, int32_t modifiers) {
  if (key == SDLK_ESCAPE) {
    Close(-2);
  } else if (key == SDLK_RETURN || key == SDLK_KP_ENTER) {
    Play();
  } else if (key == SDLK_UP && level_ > 0) {
    Choose(pack_, level_ - 1);
  } else if (key == SDLK_DOWN) {
    Choose(pack_, level_ + 1);
  } else if (key == SDLK_LEFT && pack_ > 0) {
    Choose(pack_ - 1, 0);
  } else if (key == SDLK_RIGHT) {
    Choose(pack_ + 1, pack_ + 1 < packs_.size() ? 0 : level_);
  }
  return LEngine::OnKeyDown(key, modifiers);
}

void GWndPacks::OnControlClick(LControl* control) {
  if (control == OkButton) {
    Play();
  } else if (control == CancelButton) {
    Close(-2);
  } else if (control == PreviousPack && pack_ > 0) {
    Choose(pack_ - 1, 0);
  } else if (control == NextPack) {
    Choose(pack_ + 1, 0);
  }
}
