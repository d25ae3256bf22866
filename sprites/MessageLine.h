// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line of short messages at the bottom of the in-game screen: each text appears
// letter by letter, stands for a while, rises out of the line and makes room for
// the next one in the queue.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "sprites/BitmapFont.h"
#include "sprites/CharSprites.h"

class LEngine;

class MessageLine {
 public:
  static constexpr int kMaxCount = 50;

  enum LineState : int32_t {
    kAboutToShow = 0,
    kIdle = 1,
    kRevealing = 2,
    kStanding = 3,       // the text stands 5000 ms
    kStandingShort = 4,  // the text stands at least 1000 ms
    kLeaving = 5,
  };

  MessageLine(LEngine* screen, const LClip* fontClip, int32_t left, int32_t y, int32_t width,
              int count, const char* characterList = nullptr);
  ~MessageLine();
  MessageLine(const MessageLine&) = delete;
  MessageLine& operator=(const MessageLine&) = delete;

  // Queues a text; an urgent one empties the queue and replaces the shown text at
  // once. A text equal to the last queued one is not queued twice.
  void Post(const std::string& text, bool urgent = false);
  void Tick(int32_t dt);

  int32_t State = kIdle;
  int32_t Timer = 0;
  int32_t Left;
  int32_t Y;
  int32_t Width;

  const std::deque<std::string>& Queue() const { return queue_; }
  const std::vector<CharStatic*>& Chars() const { return chars_; }
  const BitmapFont& Font() const { return *font_; }

 private:
  void ShowNext(bool immediate);
  void StartLeaving();
  void Advance();
  void Reveal(int32_t dt);

  std::deque<std::string> queue_;
  std::unique_ptr<BitmapFont> font_;
  LEngine* screen_;
  std::vector<CharStatic*> chars_;
  std::vector<int32_t> delays_;  // reveal delay per sprite in ms; -1 = not used
};
