#pragma once
// A plain main screen that puts the sprite kit to work for a person to look at:
// the message line running a few texts, the train and money counters rolling, a
// button and a check box under the mouse, and the progress indicator's engine
// shuttling with its crates. Escape closes it.
#include <cstdint>
#include <memory>

#include "engine/LEngine.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/FineSink.h"
#include "sprites/MessageLine.h"
#include "sprites/TextLines.h"
#include "sprites/Widgets.h"

class GShowcase : public LEngine, public FineSink {
 public:
  GShowcase(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h);
  ~GShowcase() override;

  void Update(int32_t elapsed, int32_t frame) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  // The progress indicator's warehouse fine comes off the money counter.
  void Fine(uint32_t amount) override;
  int32_t GameType() const override { return 0; }

  int32_t Trains = 0;
  int32_t Money = 100000;
  int32_t CounterTimer = 0;
  int32_t TextTimer = 0;
  size_t NextText = 0;

  // Library clips lent to the lines when the library keeps no template of them.
  std::unique_ptr<LClip> OwnFontClip;
  std::unique_ptr<LClip> OwnDigitClip;
  std::unique_ptr<MessageLine> Messages;
  std::unique_ptr<NumberRow> TrainsDisplay;
  std::unique_ptr<NumberRow> MoneyDisplay;
  std::unique_ptr<CompleteIndicator> Progress;
  LClipButton* Button = nullptr;
  LClipCheckBox* Box = nullptr;

 private:
  void BuildDecoration();
  void Step(int32_t elapsed);
};
