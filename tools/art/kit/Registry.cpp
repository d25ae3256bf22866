// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Registry.h"

#include <cstdio>

#include "kit/Writers.h"

namespace art {

std::vector<Group>& Groups() {
  static std::vector<Group> groups;
  return groups;
}

static bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

static bool WriteByName(const Canvas& c, const std::string& path) {
  if (EndsWith(path, ".jpg")) return WriteJpeg(path, c);
  if (EndsWith(path, ".gif")) return WriteGif(path, c);
  if (EndsWith(path, ".tga")) return WriteTga(path, c);
  if (EndsWith(path, ".bmp")) return WriteBmp(path, c);
  if (EndsWith(path, ".png")) return WritePng(path, c);
  return false;
}

bool ArtContext::Save(const Canvas& c, const std::string& picture, const std::string& mask,
                      int frames, std::vector<int> indices) {
  bool ok = WriteByName(c, Path(picture));
  if (ok && !mask.empty()) ok = WriteMaskGif(Path(mask), c);
  if (!ok) {
    std::fprintf(stderr, "Error(art): cannot write %s\n", picture.c_str());
    ++failures_;
  }
  if (c.Width() % frames != 0)
    std::fprintf(stderr, "Warning(art): %s is %d wide, not a multiple of %d frames\n",
                 picture.c_str(), c.Width(), frames);
  saved_.push_back({picture, mask, frames, std::move(indices), c.Clone()});
  return ok;
}

const SavedPicture* ArtContext::Find(const std::string& picture) const {
  for (const SavedPicture& p : saved_)
    if (p.picture == picture) return &p;
  return nullptr;
}

bool ArtContext::SavePng(const Canvas& c, const std::string& relPath) {
  bool ok = WritePng(Path(relPath), c);
  if (!ok) {
    std::fprintf(stderr, "Error(art): cannot write %s\n", relPath.c_str());
    ++failures_;
  }
  return ok;
}

bool ArtContext::SaveText(const std::string& text, const std::string& relPath) {
  const std::string path = Path(relPath);
  bool ok = MakeParentDirs(path);
  if (FILE* f = ok ? std::fopen(path.c_str(), "w") : nullptr) {
    ok = std::fputs(text.c_str(), f) >= 0;
    ok = std::fclose(f) == 0 && ok;
  } else {
    ok = false;
  }
  if (!ok) {
    std::fprintf(stderr, "Error(art): cannot write %s\n", relPath.c_str());
    ++failures_;
  }
  return ok;
}

}  // namespace art
