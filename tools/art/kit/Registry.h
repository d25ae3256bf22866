// SPDX-License-Identifier: GPL-3.0-or-later
// Picture groups: each .cpp file of the generator registers one or more named groups with
//   ART_GROUP(railway_track) { ... draw and ctx.Save(...) ... }
// main() runs every registered group in name order (or only those named on its command line).
#pragma once

#include <string>
#include <vector>

#include "kit/Canvas.h"

namespace art {

// One saved library picture, kept for the contact sheet.
struct SavedPicture {
  std::string picture;  // "Dat/Game/track.jpg"
  std::string mask;     // "Dat/Game/track.gif" or empty
  int frames = 1;
  std::vector<int> indices;  // library entries that use the picture
  CanvasPtr canvas;
};

class ArtContext {
 public:
  explicit ArtContext(std::string outDir) : outDir_(std::move(outDir)) {}

  // Writes a picture under the output folder in the format its name asks for (.jpg, .gif,
  // .tga, .bmp) and, when mask is not empty, the coverage as a grey mask GIF.
  // indices are the library entries shown for it on the contact sheet.
  bool Save(const Canvas& c, const std::string& picture, const std::string& mask, int frames,
            std::vector<int> indices);
  // Writes a preview or other file below the output folder as PNG (not packed into the game).
  bool SavePng(const Canvas& c, const std::string& relPath);
  // Writes a text file below the output folder (listings the tests read), folders included.
  bool SaveText(const std::string& text, const std::string& relPath);

  const std::string& OutDir() const { return outDir_; }
  std::string Path(const std::string& rel) const { return outDir_ + "/" + rel; }
  const std::vector<SavedPicture>& Saved() const { return saved_; }
  // A picture saved earlier in this run, by its file name; none when not (yet) drawn.
  const SavedPicture* Find(const std::string& picture) const;
  int Failures() const { return failures_; }

 private:
  std::string outDir_;
  std::vector<SavedPicture> saved_;
  int failures_ = 0;
};

using GroupFn = void (*)(ArtContext&);

struct Group {
  std::string name;
  GroupFn fn;
  int order;  // groups run in ascending order, then by name
};

std::vector<Group>& Groups();

struct GroupRegistrar {
  GroupRegistrar(const char* name, GroupFn fn, int order = 0) {
    Groups().push_back({name, fn, order});
  }
};

}  // namespace art

// Defines and registers a group function: ART_GROUP(name) { body using ctx }.
#define ART_GROUP(name)                                                     \
  static void ArtGroup_##name(::art::ArtContext& ctx);                      \
  static ::art::GroupRegistrar ArtGroupReg_##name(#name, &ArtGroup_##name); \
  static void ArtGroup_##name([[maybe_unused]] ::art::ArtContext& ctx)

// Same with an explicit run order (lower first); previews that read other groups' results use a
// high order.
#define ART_GROUP_ORDERED(name, order)                                             \
  static void ArtGroup_##name(::art::ArtContext& ctx);                             \
  static ::art::GroupRegistrar ArtGroupReg_##name(#name, &ArtGroup_##name, order); \
  static void ArtGroup_##name([[maybe_unused]] ::art::ArtContext& ctx)
