// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tips: short help texts that pop up over the field during the first three levels,
// each with an arrow pointing at what it explains (or none). The field and the game ask
// for a tip by number; the tips decide whether it may show now, draw it, let the player
// click it away, fade it out after 10 s and count how often each was shown.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ValueStore.h"
#include "railway/TipTable.h"

class BitmapFont;
class LClip;
class LEngine;

class Tips {
 public:
  // The pictures go into screen (none: the tips count and place without pictures).
  explicit Tips(LEngine* screen);
  ~Tips();
  Tips(const Tips&) = delete;
  Tips& operator=(const Tips&) = delete;

  // Whether tip number may show now (the setting aside).
  bool CanShow(int number) const;
  // Shows tip number with its arrow at (x, y); an empty text takes the table's text.
  // Nothing when the ShowTips setting is off or CanShow says no.
  void Show(int number, int x, int y, const std::string& text = std::string());
  void Update(int32_t dt);
  // True when a shown tip's box took the click (the tip is removed).
  bool OnClick(int x, int y);
  // Moves a shown tip's arrow to (x, y) with its box; false when none is shown.
  bool Place(int number, int x, int y);
  // A new level (1-based): no tip shown, every counter back to its start.
  void NewLevel(int level);
  // Writes (kSave) or reads (kLoad) the tips' values under prefix + "Tips."; every
  // value is optional on reading. False only when the store failed.
  bool Exchange(core::ValueStore& store, const std::string& prefix, int direction);

  struct Shown {
    int32_t number = 0;
    LClip* box = nullptr;
    LClip* arrow = nullptr;
    LClip* text = nullptr;
    int32_t age = 0;   // ms
    int32_t fade = 0;  // 0: not fading
    int boxX = 0, boxY = 0, boxW = 0, boxH = 0;
  };
  const std::vector<Shown>& ShownTips() const { return shown_; }
  const std::array<TipRecord, kTipRecords>& Records() const { return records_; }

  int32_t Time = 0;
  int32_t TimeLastTip = kNever;
  int32_t CurrLevel = 1;

 private:
  // How a shown tip's pieces sit around its arrow; kept beside shown_, index for index.
  struct Layout {
    int32_t arrowMode = kNoArrow;
    bool arrowLeft = true;  // ArrowMode 1: the arrow points left, the box is to its right
    int arrowW = 0, arrowH = 0;
    int alignX = 0, alignY = 0;
    int topH = 0;  // the text starts below the box's top part
  };

  const TipRecord* Find(int number) const;
  void Remove(size_t index);
  // Arrow at (x, y), the box and text around it.
  void PlaceShown(size_t index, int x, int y);
  // Makes the box, text and arrow pictures (with a screen) and measures the box.
  void Build(Shown& shown, Layout& layout, const std::string& text);
  bool LoadPictures();

  LEngine* screen_;
  std::array<TipRecord, kTipRecords> records_;
  std::vector<Shown> shown_;
  std::vector<Layout> layouts_;
  // Loaded on the first tip shown with a screen.
  std::unique_ptr<LClip> fontClip_, topClip_, bottomClip_;
  std::unique_ptr<BitmapFont> font_;
};
