// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Tips.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "core/ValueStore.h"
#include "engine/LClip.h"
#include "engine/LEngine.h"
#include "engine/LSound.h"
#include "engine/PictureEffects.h"
#include "game/Settings.h"
#include "railway/FieldArea.h"
#include "sprites/BitmapFont.h"
#include "sprites/ClipLib.h"

namespace {

constexpr int kTips = 19;  // records reachable by number

constexpr int32_t kMaxLevelWithTips = 3;
constexpr int32_t kMaxCount = 2;
constexpr int64_t kSameTipSpacing = 100000;
constexpr int64_t kOrderedTipSpacing = 25000;
constexpr int32_t kShowTime = 10000;
constexpr int32_t kFadeStep = 2;
constexpr int32_t kFadeEnd = 255;

// The field's area on the screen: arrows left of its middle point left.
constexpr int kFieldLeft = rail::kFieldArea.left;
constexpr int kFieldTop = rail::kFieldArea.top;
constexpr int kFieldWidth = rail::kFieldArea.width;
constexpr int kFieldHeight = rail::kFieldArea.height;
constexpr int kFieldMiddle = kFieldLeft + kFieldWidth / 2;

constexpr int kBoxWidth = 186;
constexpr int kTextWidth = 180;
constexpr int kTextInset = (kBoxWidth - kTextWidth) / 2;
constexpr int kBoxGap = 3;  // between the last text line and the box's bottom part
// The small font's glyph runs carry their own gap; a glyph drawn over its neighbour
// would copy its clear pixels over the neighbour's ink (the tip text copies alpha).
constexpr int kFontSpacing = 0;
constexpr int kLineSpacing = -7;
constexpr int kBoxDepth = -3000;
constexpr int kTextDepth = kBoxDepth - 1;
constexpr int32_t kArrowPeriod = 400;
constexpr int kArrowGap = 3;
constexpr int kRightArrowShift = 183;  // box width less the gap: the box ends by the arrow
constexpr int kTopArrowShift = 90;
constexpr int kTopBoxMaxX = 630;
constexpr int kNoArrowRight = rail::kFieldArea.Right();

// Without a screen nothing is loaded: the box is measured with these sizes.
constexpr int kBareFontHeight = 20;
constexpr int kBareCharWidth = 6;  // glyph width + spacing, on average
constexpr int kBareTopHeight = 24;
constexpr int kBareBottomHeight = 16;
constexpr int kBareArrowWidth = 28;
constexpr int kBareArrowHeight = 20;

int ToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// Copies src centred into dst at row y, keeping src's own alpha values.
void CopyCentred(SDL_Surface* src, SDL_Surface* dst, int y) {
  if (!src || !dst) return;
  const Uint32 flags = src->flags & (SDL_SRCALPHA | SDL_RLEACCEL);
  const Uint8 alpha = src->format->alpha;
  SDL_SetAlpha(src, 0, alpha);
  SDL_Rect to{static_cast<Sint16>((dst->w - src->w) / 2), static_cast<Sint16>(y), 0, 0};
  SDL_BlitSurface(src, nullptr, dst, &to);
  SDL_SetAlpha(src, flags, alpha);
}

// A blank picture of w x h (at least 1 x 1) with alpha.
LClip* NewPicture(int w, int h, int depth) {
  auto* clip = new LClip;
  clip->SetSize(std::max(w, 1), std::max(h, 1));
  clip->CreateBlank(true);
  clip->z = depth;
  return clip;
}

// Reads "count lastShown"; false for anything else.
bool ParseRecord(const std::string& text, int32_t& count, int32_t& lastShown) {
  const char* p = text.c_str();
  long values[2];
  for (long& v : values) {
    char* end = nullptr;
    errno = 0;
    v = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    p = end;
  }
  count = static_cast<int32_t>(values[0]);
  lastShown = static_cast<int32_t>(values[1]);
  return true;
}

}  // namespace

Tips::Tips(LEngine* screen) : screen_(screen), records_(TipTable()) {}

Tips::~Tips() {
  while (!shown_.empty()) Remove(shown_.size() - 1);
}

const TipRecord* Tips::Find(int number) const {
  if (number < 0 || number >= kTips) return nullptr;
  return &records_[static_cast<size_t>(number)];
}

bool Tips::CanShow(int number) const {
  const TipRecord* r = Find(number);
  if (!r) return false;
  if (CurrLevel > kMaxLevelWithTips) return false;
  if ((r->Parity == 0 || r->Parity == 1) && r->Parity != ((CurrLevel % 2) + 2) % 2) return false;
  if (r->Count >= kMaxCount) return false;
  if (int64_t{Time} - r->LastShown < kSameTipSpacing) return false;
  if (r->Order == 0) return true;
  if (int64_t{Time} - TimeLastTip < kOrderedTipSpacing || !shown_.empty()) return false;
  for (int i = 0; i < kTips; ++i) {
    const TipRecord& other = records_[static_cast<size_t>(i)];
    if (other.Order != 0 && other.Order < r->Order && other.Count == 0) return false;
  }
  return true;
}

void Tips::Show(int number, int x, int y, const std::string& text) {
  if (!Globals().ShowTips || !CanShow(number)) return;
  TipRecord& r = records_[static_cast<size_t>(number)];
  Sound().Play(snd::Tips, 0);

  Shown shown;
  shown.number = number;
  Layout layout;
  layout.arrowMode = r.ArrowMode;
  layout.arrowLeft = x < kFieldMiddle;
  Build(shown, layout, text.empty() && r.Text ? std::string(r.Text) : text);

  ++r.Count;
  r.LastShown = Time;
  TimeLastTip = Time;
  shown_.push_back(shown);
  layouts_.push_back(layout);
  PlaceShown(shown_.size() - 1, x, y);
}

bool Tips::LoadPictures() {
  if (!screen_) return false;
  if (!font_) {
    fontClip_.reset(ClipLib::Create(clip::FontSmall));
    topClip_.reset(ClipLib::Create(clip::TipText));
    bottomClip_.reset(ClipLib::Create(clip::TipHideText));
    font_ = std::make_unique<BitmapFont>(fontClip_.get());
    // The text picture starts transparent: glyphs must bring their own alpha.
    font_->CopyAlpha = true;
  }
  return true;
}

void Tips::Build(Shown& shown, Layout& layout, const std::string& text) {
  int arrowEntry = -1;
  if (layout.arrowMode == kArrowAbove)
    arrowEntry = clip::TipsArrowTop;
  else if (layout.arrowMode == kArrowBeside)
    arrowEntry = layout.arrowLeft ? clip::TipsArrowLeft : clip::TipsArrowRight;

  std::string wrapped;
  int lines = 1;
  int lineHeight = kBareFontHeight + kLineSpacing;
  int bottomH = kBareBottomHeight;
  layout.topH = kBareTopHeight;
  if (LoadPictures()) {
    wrapped = font_->WordWrap(text, kTextWidth, kFontSpacing);
    lines = 1 + static_cast<int>(std::count(wrapped.begin(), wrapped.end(), '\0'));
    lineHeight = std::max(font_->Height + kLineSpacing, 0);
    layout.topH = topClip_ ? topClip_->FrameH : 0;
    bottomH = bottomClip_ ? bottomClip_->FrameH : 0;
  } else {
    const int perLine = kTextWidth / kBareCharWidth;
    lines = std::max<int>(1, static_cast<int>((text.size() + perLine - 1) / perLine));
  }
  const int textH = lines * lineHeight;
  shown.boxW = kBoxWidth;
  shown.boxH = layout.topH + bottomH + kBoxGap + textH;

  if (arrowEntry >= 0) {
    const ClipDesc* desc = GetClipDesc(arrowEntry);
    layout.arrowW = kBareArrowWidth;
    layout.arrowH = kBareArrowHeight;
    layout.alignX = desc ? desc->AlignX : 0;
    layout.alignY = desc ? desc->AlignY : 0;
  }
  if (!screen_) return;

  shown.box = NewPicture(shown.boxW, shown.boxH, kBoxDepth);
  if (SDL_Surface* box = shown.box->GetSurface()) {
    FillColour(box, 0, 0, 0, 128);
    CopyCentred(topClip_ ? topClip_->GetSurface() : nullptr, box, 0);
    CopyCentred(bottomClip_ ? bottomClip_->GetSurface() : nullptr, box, shown.boxH - bottomH);
  }
  shown.text = NewPicture(kTextWidth, textH, kTextDepth);
  if (SDL_Surface* picture = shown.text->GetSurface())
    font_->DrawParagraph(picture, nullptr, wrapped, kFontSpacing, kLineSpacing);
  screen_->AddSprite(shown.box);
  screen_->AddSprite(shown.text);

  if (arrowEntry >= 0) {
    // A private copy of the pixels: the fade must not reach the library's picture.
    shown.arrow = ClipLib::Create(arrowEntry, true);
    if (shown.arrow) {
      shown.arrow->Period = kArrowPeriod;
      layout.arrowW = shown.arrow->FrameW;
      layout.arrowH = shown.arrow->FrameH;
      layout.alignX = shown.arrow->AlignX;
      layout.alignY = shown.arrow->AlignY;
      screen_->AddSprite(shown.arrow);
    }
  }
  screen_->RequestSort();
}

void Tips::PlaceShown(size_t index, int x, int y) {
  Shown& s = shown_[index];
  const Layout& l = layouts_[index];
  int64_t ax = x;
  int64_t ay = y;
  if (x == kNoPlace && y == kNoPlace) {
    ax = kFieldLeft + (kFieldWidth - s.boxW) / 2;
    ay = kFieldTop + (kFieldHeight - s.boxH) / 4;
  }
  int64_t bx = ax;
  int64_t by = ay;
  switch (l.arrowMode) {
    case kArrowAbove:
      bx = std::clamp<int64_t>(ax - kTopArrowShift, kFieldLeft, kTopBoxMaxX);
      by = ay - l.alignY + l.arrowH;
      break;
    case kArrowBeside:
      bx = l.arrowLeft ? ax + l.arrowW + kArrowGap : ax - l.arrowW - kRightArrowShift;
      by = ay - s.boxH / 2;
      break;
    default:
      bx = std::clamp<int64_t>(ax, kFieldLeft, std::max(kFieldLeft, kNoArrowRight - s.boxW));
      break;
  }
  s.boxX = ToInt(bx);
  s.boxY = ToInt(by);
  if (s.arrow) s.arrow->SetPosition(static_cast<double>(ax), static_cast<double>(ay));
  if (s.box) s.box->SetPosition(s.boxX, s.boxY);
  if (s.text) s.text->SetPosition(int64_t{s.boxX} + kTextInset, int64_t{s.boxY} + l.topH);
}

void Tips::Update(int32_t dt) {
  dt = std::max(dt, 0);  // time never runs backwards
  Time = static_cast<int32_t>(static_cast<uint32_t>(Time) + static_cast<uint32_t>(dt));
  for (size_t i = 0; i < shown_.size();) {
    Shown& s = shown_[i];
    if (s.fade == 0) {
      s.age = static_cast<int32_t>(std::min<int64_t>(int64_t{s.age} + dt, kShowTime));
      if (s.age >= kShowTime) s.fade = 1;
      ++i;
      continue;
    }
    for (LClip* c : {s.box, s.arrow, s.text}) {
      if (!c) continue;
      FadeAlpha(c->GetSurface(), kFadeStep);
      c->Changed = true;
    }
    s.fade += kFadeStep;
    if (s.fade >= kFadeEnd)
      Remove(i);
    else
      ++i;
  }
}

bool Tips::OnClick(int x, int y) {
  for (size_t i = 0; i < shown_.size(); ++i) {
    const Shown& s = shown_[i];
    if (x >= s.boxX && y >= s.boxY && int64_t{x} < int64_t{s.boxX} + s.boxW &&
        int64_t{y} < int64_t{s.boxY} + s.boxH) {
      Remove(i);
      return true;
    }
  }
  return false;
}

bool Tips::Place(int number, int x, int y) {
  for (size_t i = 0; i < shown_.size(); ++i) {
    if (shown_[i].number != number) continue;
    PlaceShown(i, x, y);
    return true;
  }
  return false;
}

void Tips::NewLevel(int level) {
  while (!shown_.empty()) Remove(shown_.size() - 1);
  CurrLevel = level;
  // The tips' clock counts from the level's start: a level's course and state then depend
  // on nothing the levels before it left, as its recording's start holds nothing of them.
  Time = 0;
  TimeLastTip = kNever;
  for (TipRecord& r : records_) {
    r.Count = 0;
    r.LastShown = kNever;
  }
}

bool Tips::Exchange(core::ValueStore& store, const std::string& prefix, int direction) {
  if (direction != kSave && direction != kLoad) return false;
  const std::string p = prefix + "Tips.";
  store.Long(p, "Time", Time, direction, true);
  store.Long(p, "TimeLastTip", TimeLastTip, direction, true);
  store.Long(p, "CurrLevel", CurrLevel, direction, true);
  for (int i = 0; i < kTipRecords; ++i) {
    TipRecord& r = records_[static_cast<size_t>(i)];
    char name[32];
    std::snprintf(name, sizeof name, "TipsNumber%d", i);
    std::string value;
    if (direction == kSave) {
      char text[32];
      std::snprintf(text, sizeof text, "%d %d", r.Count, r.LastShown);
      value = text;
      store.Text(p, name, value, kSave, true);
    } else if (!store.Text(p, name, value, kLoad, true) ||
               !ParseRecord(value, r.Count, r.LastShown)) {
      r.Count = 0;
      r.LastShown = kNever;
    }
  }
  return true;
}

void Tips::Remove(size_t index) {
  if (index >= shown_.size()) return;
  Shown& s = shown_[index];
  for (LClip* c : {s.box, s.arrow, s.text}) {
    if (!c) continue;
    if (screen_)
      screen_->RemoveSprite(c, true);
    else
      delete c;
  }
  shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(index));
  layouts_.erase(layouts_.begin() + static_cast<std::ptrdiff_t>(index));
}
