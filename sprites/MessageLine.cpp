// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/MessageLine.h"

#include "engine/LEngine.h"
#include "engine/LSound.h"

namespace {

constexpr int32_t kRevealTime = 500;
constexpr int32_t kStandTime = 5000;
constexpr int32_t kShortStandTime = 1000;
constexpr double kLeftLineY = 550;  // a leaving text is gone once it rose this high
constexpr double kRiseSpeed = -0.01;

}  // namespace

MessageLine::MessageLine(LEngine* screen, const LClip* fontClip, int32_t left, int32_t y,
                         int32_t width, int count, const char* characterList)
    : Left(left),
      Y(y),
      Width(width),
      font_(std::make_unique<BitmapFont>(fontClip, characterList)),
      screen_(screen) {
  if (count > kMaxCount || count < 0) return;
  for (int i = 0; i < count; ++i) {
    auto* c = new CharStatic(*font_);
    chars_.push_back(c);
    delays_.push_back(-1);
    if (screen_) screen_->AddSprite(c);
  }
}

MessageLine::~MessageLine() {
  for (CharStatic* c : chars_) {
    if (screen_)
      screen_->RemoveSprite(c, true);
    else
      delete c;
  }
}

void MessageLine::Post(const std::string& text, bool urgent) {
  if (urgent) queue_.clear();
  if (queue_.empty()) {
    queue_.push_back(text);
    ShowNext(urgent);
  } else if (text != queue_.back()) {
    queue_.push_back(text);
    ShowNext(false);
  }
}

void MessageLine::ShowNext(bool immediate) {
  if (!immediate) {
    if (State == kStanding) {
      StartLeaving();
      return;
    }
    if (State == kRevealing || State == kStandingShort || State == kLeaving) {
      Timer = 0;
      State = kRevealing;
      return;
    }
  } else {
    State = kIdle;
  }
  if (queue_.empty()) return;
  const std::string text = queue_.front();
  queue_.pop_front();
  int32_t x = Left + Width / 2 - font_->Measure(text) / 2;
  const int32_t length = static_cast<int32_t>(text.size());
  for (size_t i = 0; i < chars_.size(); ++i) {
    CharStatic* c = chars_[i];
    if (i >= text.size()) {
      delays_[i] = -1;
      c->SetVisible(false);
      continue;
    }
    c->SetChar(text[i]);
    c->SetVisible(immediate);
    delays_[i] = static_cast<int32_t>(i) * kRevealTime / length;
    c->SetPosition(x, Y);
    c->z = -2000;
    c->Vx = c->Vy = 0;
    x += font_->GlyphWidth(text[i]);
  }
  if (screen_) screen_->RequestSort();
  Timer = 0;
  State = kRevealing;
}

void MessageLine::Tick(int32_t dt) {
  Timer += dt;
  const int32_t limit = State == kStanding        ? kStandTime
                        : State == kStandingShort ? kShortStandTime
                                                  : -1;
  if (limit >= 0 && Timer >= limit) {
    Advance();
    return;
  }
  if (State == kLeaving) {
    // A first letter that never showed (an empty text) does not rise; the text
    // counts as gone at once instead of holding the line for ever.
    if (chars_.empty() || !chars_[0]->Visible || chars_[0]->y <= kLeftLineY) Advance();
  } else if (State == kRevealing) {
    Reveal(dt);
  }
}

void MessageLine::Reveal(int32_t dt) {
  bool waiting = false;
  for (size_t i = 0; i < chars_.size(); ++i) {
    CharStatic* c = chars_[i];
    if (c->Visible || delays_[i] == -1) continue;
    delays_[i] -= dt;
    if (delays_[i] < 0) {
      c->SetVisible(true);
      Sound().Play(snd::Telex, 0);
    } else {
      waiting = true;
    }
  }
  if (!waiting) Advance();
}

void MessageLine::Advance() {
  switch (State) {
    case kRevealing:
      State = kStandingShort;
      Timer = 0;
      break;
    case kStanding:
      StartLeaving();
      break;
    case kStandingShort:
      if (!queue_.empty()) {
        StartLeaving();
      } else {
        State = kStanding;
        Timer = 0;
      }
      break;
    case kLeaving:
      if (!queue_.empty()) {
        State = kAboutToShow;
        Timer = 0;
        ShowNext(false);
      } else {
        for (CharStatic* c : chars_) {
          c->Vx = c->Vy = 0;
          c->SetVisible(false);
        }
        State = kIdle;
      }
      break;
    default:
      break;
  }
}

void MessageLine::StartLeaving() {
  for (CharStatic* c : chars_) {
    if (!c->Visible) continue;
    c->Vx = 0;
    c->Vy = kRiseSpeed;
  }
  Timer = 0;
  State = kLeaving;
}
