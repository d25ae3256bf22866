#include "screens/GShowcase.h"

#include <iterator>

#include "sprites/ClipLib.h"

namespace {

constexpr int kFieldBackEntry = 87;
constexpr int kLeftPanelEntry = 92;
constexpr int kDecorationEntries[] = {24, 25, 11, 17};
constexpr int kMessageFontEntry = 1;
constexpr int kDigitEntry = 112;
constexpr int kButtonEntry = 7;
constexpr int kCheckBoxEntry = 44;
constexpr int32_t kCounterPeriod = 1500;
constexpr int32_t kTextPeriod = 4000;
constexpr int32_t kLevelMinutes = 1;

const char* const kTexts[] = {
    "Showcase of the sprite kit",
    "Counters roll to their new values",
    "Press the button or tick the box",
    "The engine shuttles to the warehouse",
};

// The cached template of an entry, or a clip made for the purpose and kept in own.
const LClip* EntryClip(int index, std::unique_ptr<LClip>& own) {
  if (const LClip* t = ClipLib::GetTemplate(index)) return t;
  own.reset(ClipLib::Create(index));
  return own.get();
}

}  // namespace

GShowcase::GShowcase(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h)
    : LEngine(target, px, py, w, h, true) {
  BuildDecoration();
  Messages = std::make_unique<MessageLine>(this, EntryClip(kMessageFontEntry, OwnFontClip),
                                           140, 575, 650, 50);
  const LClip* digits = EntryClip(kDigitEntry, OwnDigitClip);
  if (digits) {
    TrainsDisplay = std::make_unique<NumberRow>(this, *digits, 301, -3, -1207, 4, 20, 0);
    MoneyDisplay = std::make_unique<NumberRow>(this, *digits, 482, -3, -1207, 10, 20, 5);
    TrainsDisplay->SetValue(Trains, true);
    MoneyDisplay->SetValue(Money, true);
  }
  Button = MakeButton(kButtonEntry, 1, this, true);
  Box = MakeCheckBox(kCheckBoxEntry, 0, this, false);
  Progress = std::make_unique<CompleteIndicator>(this);
  Progress->Start(kLevelMinutes, this);
  RequestSort();
}

GShowcase::~GShowcase() {
  // The lines and the indicator take their sprites out of this screen first.
  Progress.reset();
  Messages.reset();
  TrainsDisplay.reset();
  MoneyDisplay.reset();
}

void GShowcase::BuildDecoration() {
  if (Background) SDL_FillRect(Background, nullptr, SDL_MapRGB(Background->format, 24, 40, 24));
  StampSprite(ClipLib::Create(kFieldBackEntry));
  StampSprite(ClipLib::Create(kLeftPanelEntry));
  for (int entry : kDecorationEntries) AddSprite(ClipLib::Create(entry));
}

void GShowcase::Update(int32_t elapsed, int32_t frame) {
  Messages->Tick(elapsed);
  Step(elapsed);
  Progress->Update(elapsed, true);
  if (Progress->Percent >= 100) Progress->Start(kLevelMinutes, this);
  LEngine::Update(elapsed, frame);
}

void GShowcase::Step(int32_t elapsed) {
  TextTimer += elapsed;
  if (TextTimer >= kTextPeriod || NextText == 0) {
    TextTimer = 0;
    Messages->Post(kTexts[NextText % std::size(kTexts)]);
    ++NextText;
  }
  CounterTimer += elapsed;
  if (CounterTimer >= kCounterPeriod && TrainsDisplay) {
    CounterTimer = 0;
    ++Trains;
    Money += 3000 + 1000 * (Trains % 4);
    TrainsDisplay->SetValue(Trains, false);
    MoneyDisplay->SetValue(Money, false);
  }
}

int32_t GShowcase::OnKeyDown(int32_t key, int32_t modifiers) {
  LEngine::OnKeyDown(key, modifiers);
  if (key == SDLK_ESCAPE) Close(0);
  return 0;
}

void GShowcase::OnControlClick(LControl* control) {
  if (control == Button) {
    Messages->Post("Button clicked", true);
  } else if (control == Box) {
    Box->Toggle();
    Messages->Post(Box->Checked ? "Box ticked" : "Box cleared", true);
  }
}

void GShowcase::Fine(uint32_t amount) {
  Money -= static_cast<int32_t>(amount);
  if (MoneyDisplay) MoneyDisplay->SetValue(Money, false);
  Messages->Post("Warehouse fine");
}
