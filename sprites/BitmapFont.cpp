// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/BitmapFont.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "engine/LClip.h"

namespace {

// The raw value of one pixel; the caller keeps the point inside the surface.
uint32_t RawPixel(const SDL_Surface* s, int x, int y) {
  const uint8_t* p =
      static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  switch (s->format->BytesPerPixel) {
    case 1:
      return *p;
    case 2: {
      uint16_t v;
      std::memcpy(&v, p, 2);
      return v;
    }
    case 3:
      return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    default: {
      uint32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
  }
}

// Splits text at every space; n spaces give n + 1 words, some of them empty.
std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words(1);
  for (char c : text) {
    if (c == ' ')
      words.emplace_back();
    else
      words.back() += c;
  }
  return words;
}

}  // namespace

const char* const BitmapFont::kDefaultList =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
    "abcdefghijklmnopqrstuvwxyz{|}~";

BitmapFont::BitmapFont(SDL_Surface* sheet, const char* characterList) : Sheet(sheet) {
  FindGlyphs(characterList ? characterList : kDefaultList);
}

BitmapFont::BitmapFont(const LClip* fontClip, const char* characterList)
    : BitmapFont(fontClip ? fontClip->GetSurface() : nullptr, characterList) {}

void BitmapFont::FindGlyphs(const char* list) {
  if (!Sheet || Sheet->w <= 0 || Sheet->h <= 0) return;
  const bool lock = SDL_MUSTLOCK(Sheet);
  if (lock && SDL_LockSurface(Sheet) != 0) return;
  const uint32_t marker = RawPixel(Sheet, 0, 0);
  const size_t count = std::strlen(list);
  size_t next = 0;
  int x = 0;
  while (x < Sheet->w - 1 && next < count) {
    if (RawPixel(Sheet, x, 0) == marker) {
      ++x;
      continue;
    }
    const int start = x;
    while (x < Sheet->w && RawPixel(Sheet, x, 0) != marker) ++x;
    SDL_Rect r;
    r.x = static_cast<Sint16>(start);
    r.y = 1;
    r.w = static_cast<Uint16>(x - start);
    r.h = static_cast<Uint16>(Sheet->h);
    Glyphs[static_cast<signed char>(list[next++])] = r;
  }
  Height = Sheet->h;
  if (lock) SDL_UnlockSurface(Sheet);
}

const SDL_Rect* BitmapFont::Glyph(char c) const {
  auto it = Glyphs.find(static_cast<signed char>(c));
  return it == Glyphs.end() ? nullptr : &it->second;
}

int BitmapFont::GlyphWidth(char c) const {
  const SDL_Rect* g = Glyph(c);
  return g ? g->w : 0;
}

int BitmapFont::DrawGlyph(SDL_Surface* target, int x, int y, char c) const {
  const SDL_Rect* g = Glyph(c);
  if (!g) return 0;
  if (!target || !Sheet) return g->w;
  SDL_Rect src = *g;
  if (src.h > Height) src.h = static_cast<Uint16>(Height);
  SDL_Rect dst;
  dst.x = static_cast<Sint16>(x);
  dst.y = static_cast<Sint16>(y);
  dst.w = src.w;
  dst.h = src.h;
  if (CopyAlpha) {
    // Without the alpha flag SDL copies the sheet's alpha values instead of blending.
    const Uint32 flags = Sheet->flags & (SDL_SRCALPHA | SDL_RLEACCEL);
    const Uint8 alpha = Sheet->format->alpha;
    SDL_SetAlpha(Sheet, 0, alpha);
    SDL_BlitSurface(Sheet, &src, target, &dst);
    SDL_SetAlpha(Sheet, flags, alpha);
  } else {
    SDL_BlitSurface(Sheet, &src, target, &dst);
  }
  return g->w;
}

void BitmapFont::DrawString(SDL_Surface* target, int x, int y, const std::string& text,
                            int spacing) const {
  for (char c : text) x += DrawGlyph(target, x, y, c) + spacing;
}

int BitmapFont::Measure(const std::string& text, int length, int spacing) const {
  const size_t n = length < 0 ? text.size() : std::min(text.size(), size_t(length));
  int width = 0;
  for (size_t i = 0; i < n; ++i) width += GlyphWidth(text[i]) + spacing;
  return width;
}

void BitmapFont::DrawCentred(SDL_Surface* target, int y, const std::string& text,
                             int spacing) const {
  if (!target) return;
  DrawString(target, target->w / 2 - Measure(text, -1, spacing) / 2, y, text, spacing);
}

void BitmapFont::DrawJustified(SDL_Surface* target, int y, const std::string& text,
                               int spacing) const {
  if (!target) return;
  const std::vector<std::string> words = SplitWords(text);
  const int spaces = static_cast<int>(words.size()) - 1;
  const int free = target->w - Measure(text, -1, spacing) - 5;
  if (spaces == 0 || free < 1) {
    DrawString(target, 0, y, text, spacing);
    return;
  }
  const int extra = free / spaces;
  int rest = free % spaces;
  const int spaceWidth = GlyphWidth(' ');
  int x = 0;
  for (size_t i = 0; i + 1 < words.size(); ++i) {
    DrawString(target, x, y, words[i], spacing);
    x += Measure(words[i], -1, spacing) + spaceWidth + extra + spacing;
    if (rest-- >= 0) ++x;
  }
  DrawString(target, x, y, words.back(), spacing);
}

std::string BitmapFont::WordWrap(const std::string& text, int maxWidth, int spacing) const {
  int lineWidth = 0;
  int wordWidth = 0;
  bool justBroken = false;
  std::string word;
  std::string result;
  for (char c : text) {
    const int w = GlyphWidth(c) + spacing;
    lineWidth += w;
    wordWidth += w;
    word += c;
    if (lineWidth >= maxWidth) {
      while (!result.empty() && result.back() == ' ') result.pop_back();
      result += '\0';
      lineWidth = 0;
      justBroken = true;
    }
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      result += word;
      word.clear();
      if (justBroken) {
        lineWidth = wordWidth;
        justBroken = false;
      }
      wordWidth = 0;
    }
  }
  result += word;
  return result;
}

void BitmapFont::DrawParagraph(SDL_Surface* target, const SDL_Rect* position,
                               const std::string& wrappedText, int spacing, int lineSpacing) const {
  const int x = position ? position->x : 0;
  int y = position ? position->y : 0;
  size_t start = 0;
  for (;;) {
    const size_t end = wrappedText.find('\0', start);
    const std::string line =
        wrappedText.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) {
      DrawString(target, x, y, line, spacing);
      return;
    }
    DrawJustified(target, y, line, spacing);
    y += Height + lineSpacing;
    start = end + 1;
  }
}
