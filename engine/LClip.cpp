// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LClip.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/LArchive.h"
#include "engine/PictureEffects.h"

LClip::LClip() = default;

LClip::LClip(const LClip& src) { Assign(src, false); }

LClip::~LClip() { ReleasePicture(); }

void LClip::ReleasePicture() {
  if (!Picture) return;
  if (Picture->RefCount != -1) {
    --Picture->RefCount;
    if (Picture->RefCount > 0) {
      Picture = nullptr;
      return;
    }
    SDL_FreeSurface(Picture->Surface);
  }
  delete Picture;
  Picture = nullptr;
}

void LClip::SharePicture(const LClip& src) {
  if (src.Picture == Picture) return;
  ReleasePicture();
  if (src.Picture && src.Picture->RefCount == -1) {
    // A borrowed surface has no count of its users: each clip gets a record of its own.
    Picture = new ClipPicture{src.Picture->iNumberFrames, -1, src.Picture->Surface};
    Picture->FixedAlpha = src.Picture->FixedAlpha;
    return;
  }
  Picture = src.Picture;
  if (Picture) ++Picture->RefCount;
}

void LClip::Assign(const LClip& src, bool deep) {
  if (&src != this) {
    x = src.x;
    y = src.y;
    z = src.z;
    Vx = src.Vx;
    Vy = src.Vy;
    Vz = src.Vz;
    AlignX = src.AlignX;
    AlignY = src.AlignY;
    FrameW = src.FrameW;
    FrameH = src.FrameH;
    SrcRect = src.SrcRect;
    Changed = src.Changed;
    cFrame = src.cFrame;
    Period = src.Period;
    TimeDie = src.TimeDie;
    TimeWait = src.TimeWait;
    Visible = src.Visible;
    Stop = src.Stop;
    AlignText1 = src.AlignText1;
    AlignText2 = src.AlignText2;
    FrameAlign = src.FrameAlign;
    Sequence = src.Sequence;
  }
  if (deep && src.Picture) {
    ClipPicture* copy = nullptr;
    SDL_Surface* pixels = CopySurface(src.Picture->Surface);
    if (pixels) {
      copy = new ClipPicture{src.Picture->iNumberFrames, 1, pixels};
      copy->FixedAlpha = src.Picture->FixedAlpha;
      copy->Boxes = src.Picture->Boxes;
      copy->BoxW = src.Picture->BoxW;
      copy->BoxH = src.Picture->BoxH;
    }
    ReleasePicture();
    Picture = copy;
  } else {
    SharePicture(src);
  }
  SetFrame(cFrame);
}

void LClip::OnWaypoint(Waypoint) {}

void LClip::OnPathEnd(Waypoint) {}

void LClip::SetPosition(double nx, double ny) {
  x = nx;
  y = ny;
}

void LClip::Update(int32_t dt) {
  if (Stop) return;
  if (TimeDie > 0) {
    TimeDie -= dt;
    if (TimeDie < 0) TimeDie = 0;
  }
  TimeWait += dt;
  if (TimeWait >= Period) {
    if (FrameCount() > 1) SetFrame(cFrame + 1);
    TimeWait = 0;
  }
}

int32_t LClip::FrameCount() const {
  if (!Sequence.empty()) return static_cast<int32_t>(Sequence.size());
  return Picture ? Picture->iNumberFrames : 0;
}

int32_t LClip::PictureFrame(int32_t i) const {
  if (!Sequence.empty() && i < static_cast<int32_t>(Sequence.size())) {
    const SequenceEntry& e = Sequence[i];
    if (e.code == 0 || e.code == 2) return e.value;
  }
  return i;
}

void LClip::AlignOf(int32_t p, int32_t& ax, int32_t& ay) const {
  if (Picture && Picture->iNumberFrames != 0 &&
      FrameAlign.size() == static_cast<size_t>(Picture->iNumberFrames) && p >= 0 &&
      p < static_cast<int32_t>(FrameAlign.size())) {
    ax = FrameAlign[p].x;
    ay = FrameAlign[p].y;
  }
}

void LClip::SetFrame(int32_t i) {
  if (i < 0 || i >= FrameCount()) i = 0;
  cFrame = i;
  const int32_t p = PictureFrame(i);
  if (!Sequence.empty() && i < static_cast<int32_t>(Sequence.size()) && Sequence[i].code == 2)
    Stop = true;
  SrcRect.x = static_cast<Sint16>(FrameW * p);
  TimeWait = 0;
  AlignOf(p, AlignX, AlignY);
  Changed = true;
}

void LClip::SetVisible(bool v) {
  if (Visible == v) return;
  Visible = v;
  Changed = true;
}

void LClip::SetSize(int32_t w, int32_t h) {
  FrameW = w;
  FrameH = h;
}

bool LClip::CreateBlank(bool alpha) {
  ReleasePicture();
  SDL_Surface* surface = CreateBlankSurface(FrameW, FrameH, alpha);
  if (!surface) return false;
  Picture = new ClipPicture{1, 1, surface};
  Sequence.clear();
  cFrame = 0;
  SrcRect = SDL_Rect{0, 0, static_cast<Uint16>(FrameW), static_cast<Uint16>(FrameH)};
  Changed = true;
  return true;
}

void LClip::SetAllAlign(int32_t ax, int32_t ay) {
  int32_t n = Picture ? Picture->iNumberFrames : 0;
  FrameAlign.assign(static_cast<size_t>(n > 0 ? n : 0), AlignPoint{ax, ay});
  AlignX = ax;
  AlignY = ay;
}

static bool NonEmpty(const char* text) { return text && text[0] != '\0'; }

void LClip::ParseAlign(bool useSecond) {
  if (!Picture) return;
  if (!NonEmpty(AlignText1) && !NonEmpty(AlignText2)) return;
  if (FrameAlign.size() != static_cast<size_t>(Picture->iNumberFrames)) return;
  const char* text = useSecond ? AlignText2 : AlignText1;
  if (text) {
    size_t k = 0;
    while (k < FrameAlign.size()) {
      int ax = 0;
      int ay = 0;
      int used = 0;
      if (std::sscanf(text, "%d,%d%n", &ax, &ay, &used) != 2) break;
      FrameAlign[k++] = AlignPoint{ax, ay};
      text += used;
      if (*text == ' ') ++text;
    }
  }
  SetFrame(cFrame);
}

static int32_t SequenceCode(char c) {
  switch (c) {
    case 'g':
      return 1;
    case 's':
      return 2;
    case 'l':
      return 3;
    case 'm':
      return 4;
    default:
      return -1;
  }
}

void LClip::ParseSequence(const char* text) {
  Sequence.clear();
  if (!text) return;
  while (*text) {
    const char* end = std::strchr(text, ',');
    size_t len = end ? static_cast<size_t>(end - text) : std::strlen(text);
    std::string item(text, len);
    int value = 0;
    if (!item.empty() && item[0] >= '0' && item[0] <= '9') {
      if (std::sscanf(item.c_str(), "%d", &value) == 1) Sequence.push_back({0, value});
    } else if (!item.empty() && SequenceCode(item[0]) >= 0) {
      if (std::sscanf(item.c_str() + 1, "%d", &value) == 1)
        Sequence.push_back({SequenceCode(item[0]), value});
    }
    text += len;
    if (*text == ',') ++text;
  }
}

bool LClip::ToLocal(int32_t& px, int32_t& py) const {
  px = px + AlignX - TruncToInt(x);
  py = py + AlignY - TruncToInt(y);
  return px >= 0 && px < FrameW && py >= 0 && py < FrameH;
}

bool LClip::Contains(int32_t px, int32_t py) const { return ToLocal(px, py); }

bool LClip::IsTransparentAt(int32_t px, int32_t py) const {
  if (!Picture || !Picture->Surface) return false;
  if (!ToLocal(px, py)) return true;
  return IsTransparentPixel(Picture->Surface, SrcRect.x + px, SrcRect.y + py);
}

bool LClip::CoversAt(int32_t i, double atX, double atY, int32_t px, int32_t py) const {
  if (i < 0 || i >= FrameCount()) i = 0;
  const int32_t p = PictureFrame(i);
  int32_t ax = AlignX, ay = AlignY;
  AlignOf(p, ax, ay);
  px = px + ax - TruncToInt(atX);
  py = py + ay - TruncToInt(atY);
  if (px < 0 || px >= FrameW || py < 0 || py >= FrameH) return false;
  if (!Picture || !Picture->Surface) return true;
  return !IsTransparentPixel(Picture->Surface, static_cast<Sint16>(FrameW * p) + px,
                             SrcRect.y + py);
}

// The boxes of the visible pixels of every frame of w x h; false for pixels other than
// 32-bit ones.
static bool FindBoxes(ClipPicture& picture, int32_t w, int32_t h) {
  SDL_Surface* s = picture.Surface;
  if (s->format->BytesPerPixel != 4 || SDL_LockSurface(s) != 0) return false;
  const Uint32 amask = s->format->Amask;
  picture.Boxes.clear();
  for (int32_t left = 0; left + w <= s->w; left += w) {
    int32_t x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int32_t y = 0; y < h; ++y) {
      const auto* row =
          reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch) +
          left;
      for (int32_t x = 0; x < w; ++x) {
        if ((row[x] & amask) == 0) continue;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = y;
      }
    }
    if (x1 < 0)
      picture.Boxes.push_back({0, 0, 0, 0});
    else
      picture.Boxes.push_back({static_cast<Sint16>(x0), static_cast<Sint16>(y0),
                               static_cast<Uint16>(x1 - x0 + 1), static_cast<Uint16>(y1 - y0 + 1)});
  }
  SDL_UnlockSurface(s);
  picture.BoxW = w;
  picture.BoxH = h;
  return true;
}

ClipRect LClip::VisibleRect(const ClipRect& at) const {
  if (!Picture || !Picture->FixedAlpha || !Picture->Surface) return at;
  const SDL_Surface* s = Picture->Surface;
  if (s->format->Amask == 0 || FrameW <= 0 || FrameH <= 0 || FrameH > s->h || SrcRect.y != 0 ||
      SrcRect.x % FrameW != 0 || SrcRect.x + FrameW > s->w)
    return at;
  if ((Picture->BoxW != FrameW || Picture->BoxH != FrameH) && !FindBoxes(*Picture, FrameW, FrameH))
    return at;
  const size_t frame = static_cast<size_t>(SrcRect.x / FrameW);
  if (frame >= Picture->Boxes.size()) return at;
  const SDL_Rect& box = Picture->Boxes[frame];
  return {at.x + box.x, at.y + box.y, box.w, box.h};
}

static void ClipState(core::ValueStore& p, LClip& c, const std::string& prefix, int dir) {
  p.Double(prefix, "x", c.x, dir);
  p.Double(prefix, "y", c.y, dir);
  p.Double(prefix, "z", c.z, dir);
  p.Double(prefix, "Vx", c.Vx, dir);
  p.Double(prefix, "Vy", c.Vy, dir);
  p.Double(prefix, "Vz", c.Vz, dir);
  p.Long(prefix, "AlignX", c.AlignX, dir);
  p.Long(prefix, "AlignY", c.AlignY, dir);
  p.Long(prefix, "TimeWait", c.TimeWait, dir);
  p.Long(prefix, "cFrame", c.cFrame, dir);
  p.Bool(prefix, "Visible", c.Visible, dir);
  p.Bool(prefix, "Stop", c.Stop, dir);
  p.Long(prefix, "TimeDie", c.TimeDie, dir);
  p.Long(prefix, "Period", c.Period, dir);
}

void LClip::Save(core::ValueStore& store, const std::string& prefixA, const std::string& prefixB) {
  ClipState(store, *this, prefixA + prefixB + ".", kSave);
}

bool LClip::Load(core::ValueStore& store, const std::string& prefixA, const std::string& prefixB) {
  ClipState(store, *this, prefixA + prefixB + ".", kLoad);
  Changed = true;
  return true;
}

// Loading a picture file, optionally with a grey mask that becomes its alpha.
namespace {

bool IsTga(const std::string& name) { return name.find(".tga") != std::string::npos; }

// Reads the file through the archive; false when it is missing.
bool ReadFile(const std::string& name, std::unique_ptr<uint8_t[]>& data, int32_t& size) {
  size = Archive().LoadFile(name, data);
  return size >= 0 && data;
}

// Decodes a picture held in memory; TGA by name, anything else by detection.
SDL_Surface* Decode(const std::string& name, const uint8_t* data, int32_t size) {
  SDL_RWops* rw = SDL_RWFromConstMem(data, size);
  if (!rw) return nullptr;
  if (IsTga(name)) {
    SDL_Surface* s = IMG_LoadTGA_RW(rw);
    SDL_RWclose(rw);
    return s;
  }
  return IMG_Load_RW(rw, 1);
}

SDL_Surface* LoadPicture(const std::string& name) {
  std::unique_ptr<uint8_t[]> data;
  int32_t size = 0;
  if (!ReadFile(name, data, size)) {
    std::fprintf(stderr, "Error(LClip::LoadFromFile(Mask)):  Unable to load file: %s\n",
                 name.c_str());
    return nullptr;
  }
  SDL_Surface* s = Decode(name, data.get(), size);
  if (!s)
    std::fprintf(stderr, "Error(LClip::LoadFromFile):  Unable to load file: %s\n", name.c_str());
  return s;
}

SDL_Surface* LoadMask(const std::string& name) {
  std::unique_ptr<uint8_t[]> data;
  int32_t size = 0;
  if (!ReadFile(name, data, size)) {
    std::fprintf(stderr, "Error(LClip::LoadFromFile(Mask)):  Unable to load file mask: %s\n",
                 name.c_str());
    return nullptr;
  }
  SDL_Surface* s = Decode(name, data.get(), size);
  if (!s)
    std::fprintf(stderr, "Error(LClip::LoadFromFile(FMaskName)):  Unable to load file: %s\n",
                 name.c_str());
  return s;
}

// ANDs every picture pixel with (255, 255, 255, m), m being the mask pixel's blue.
void ApplyMask(SDL_Surface* pic, SDL_Surface* mask) {
  bool lockPic = SDL_MUSTLOCK(pic) && SDL_LockSurface(pic) == 0;
  bool lockMask = SDL_MUSTLOCK(mask) && SDL_LockSurface(mask) == 0;
  const SDL_PixelFormat* mf = mask->format;
  for (int row = 0; row < pic->h; ++row) {
    auto* dst = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pic->pixels) + row * pic->pitch);
    const auto* src = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(mask->pixels) +
                                                      row * mask->pitch);
    for (int col = 0; col < pic->w; ++col) {
      Uint8 m = static_cast<Uint8>(((src[col] & mf->Bmask) >> mf->Bshift) << mf->Bloss);
      dst[col] &= SDL_MapRGBA(pic->format, 255, 255, 255, m);
    }
  }
  if (lockMask) SDL_UnlockSurface(mask);
  if (lockPic) SDL_UnlockSurface(pic);
}

// The picture converted to the display format with alpha taken from the mask.
SDL_Surface* Masked(SDL_Surface* decoded, const std::string& picName, const std::string& maskName) {
  SDL_Surface* mask = LoadMask(maskName);
  if (!mask) return nullptr;
  if (mask->w != decoded->w || mask->h != decoded->h) {
    std::fprintf(stderr,
                 "Error(mask->w != PicW || mask->h != PicH || mask->format->BitsPerPixel != 8):"
                 "  File: %s     Mask: %s\n",
                 picName.c_str(), maskName.c_str());
    SDL_FreeSurface(mask);
    return nullptr;
  }
  SDL_Surface* pic = ToDisplayFormat(decoded, true);
  SDL_Surface* maskAlpha = ToDisplayFormat(mask, true);
  SDL_FreeSurface(mask);
  bool ok = pic && maskAlpha;
  if (ok && (pic->format->BytesPerPixel != 4 || maskAlpha->format->BytesPerPixel != 4)) {
    std::fprintf(stderr, "Error(Unsupported surface format)\n");
    ok = false;
  }
  if (ok) ApplyMask(pic, maskAlpha);
  SDL_FreeSurface(maskAlpha);
  if (!ok) {
    SDL_FreeSurface(pic);
    return nullptr;
  }
  return pic;
}

}  // namespace

bool ReadPictureSize(const std::string& picName, int32_t& w, int32_t& h) {
  if (picName.empty()) return false;
  SDL_Surface* decoded = LoadPicture(picName);
  if (!decoded) return false;
  w = decoded->w;
  h = decoded->h;
  SDL_FreeSurface(decoded);
  return true;
}

bool LClip::LoadFromFile(const std::string& picName, const std::string& maskName,
                         int32_t numberFrames) {
  ReleasePicture();
  if (picName.empty()) return false;
  SDL_Surface* decoded = LoadPicture(picName);
  if (!decoded) return false;
  const int picW = decoded->w;
  const int picH = decoded->h;
  SDL_Surface* surface = nullptr;
  if (maskName.empty()) {
    surface = ToDisplayFormat(decoded, IsTga(picName));
    if (!surface)
      std::fprintf(stderr, "Error(LClip::LoadFromFile):  Unable to load file: %s\n",
                   picName.c_str());
  } else {
    surface = Masked(decoded, picName, maskName);
  }
  SDL_FreeSurface(decoded);
  if (!surface) return false;
  if (numberFrames <= 0 || numberFrames > picW) {
    std::fprintf(stderr,
                 "Error(LClip::LoadFromFile): iNumberFrames == 0 || iNumberFrames > PicW.\n");
    SDL_FreeSurface(surface);
    return false;
  }
  Picture = new ClipPicture{numberFrames, 1, surface};
  Picture->FixedAlpha = true;
  cFrame = 0;
  FrameW = picW / numberFrames;
  FrameH = picH;
  SrcRect = SDL_Rect{0, 0, static_cast<Uint16>(FrameW), static_cast<Uint16>(FrameH)};
  FrameAlign.resize(static_cast<size_t>(numberFrames));
  Changed = true;
  return true;
}
