// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clip library: one template clip per preloaded entry of the clip table, and
// new clips made from those templates (sharing their pictures) on request.
#include <cstdint>
#include <memory>

#include "core/ClipTable.h"

class LClip;

class ClipLib {
 public:
  // Forgets every template and loads the first ten entries. True unless one of
  // them could not be loaded.
  static bool Init();
  // Passes the next entry, loading it when it is preloaded. The share of entries
  // passed so far in percent (100 at the end), or -1 when a load failed.
  static int32_t LoadNext();
  // True once every entry has been passed.
  static bool IsComplete();
  // Keeps a template of every entry that has a picture, preloaded or not, so that Create
  // reads no file any more: for a program that makes many games in one process (the
  // saved-game fuzz target), at the price of holding every picture. Clips made from a
  // template share its pixels unless made deep, as with the preloaded entries. False
  // when a picture cannot be loaded. Init and Shutdown forget these templates again.
  static bool KeepEveryPicture();
  // A new clip of entry index, owned by the caller; deep gives it private pixels.
  // nullptr (with a log line) for an index outside the table, and nullptr for a
  // picture that cannot be loaded: the first such picture shows the error box and
  // sets PictureMissing, after which the program is expected to end.
  static LClip* Create(int index, bool deep = false);
  // True once Create could not load a picture, until the next Init or Shutdown.
  static bool PictureMissing();
  // The size of one frame of entry index, as a clip of it would have, read from the
  // template when the library keeps one and from the entry's picture file otherwise
  // (no clip is made); false when the entry has no readable picture.
  static bool FrameSize(int index, int32_t& w, int32_t& h);
  // The cached template of index, or nullptr.
  static const LClip* GetTemplate(int index);
  // Whether index's picture, showing frame with its place at (x, y), covers the point
  // (px, py) as a clip on the screen does: inside the frame, on a pixel not transparent.
  // False when the library keeps no template of index.
  static bool Covers(int index, int frame, double x, double y, int px, int py);
  // The template of index, or, when the library keeps none, a clip made for the caller
  // and kept in own (which must live as long as the answer is used).
  static const LClip* TemplateOrCopy(int index, std::unique_ptr<LClip>& own);
  // Frees every template; called at shutdown while the video system still runs.
  static void Shutdown();
};
