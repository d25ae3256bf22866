// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/ClipLib.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "engine/LClip.h"
#include "platform/Dialogs.h"

namespace {

struct LibraryState {
  int32_t Next = 0;
  bool Complete = false;
  bool PictureMissing = false;
  std::map<int, std::unique_ptr<LClip>> Templates;
};

// Kept on the heap and never destroyed, so no template outlives the video system
// through a static destructor; Shutdown frees the templates explicitly.
LibraryState& State() {
  static LibraryState* state = new LibraryState;
  return *state;
}

void ShowLoadError(const ClipDesc& desc) {
  char text[512];
  std::snprintf(text, sizeof text, "Error loading file %s. Please reinstall.", desc.Picture);
  platform::ShowErrorBox("", text);
}

// A template of another entry with the same picture file, or nullptr.
const LClip* FindSamePicture(const ClipDesc& desc) {
  for (const auto& [index, clip] : State().Templates) {
    if (std::strcmp(GetClipDesc(index)->Picture, desc.Picture) == 0) return clip.get();
  }
  return nullptr;
}

// Position, depth, anchors and animation of the entry.
void ApplyEntry(LClip& clip, const ClipDesc& desc) {
  clip.Period = desc.Period;
  clip.x = desc.x;
  clip.y = desc.y;
  clip.z = desc.z;
  clip.AlignText1 = desc.AlignText1;
  clip.AlignText2 = desc.AlignText2;
  if (desc.SequenceText[0] != '\0') clip.ParseSequence(desc.SequenceText);
  if (desc.AlignText1[0] != '\0')
    clip.ParseAlign(false);
  else if (desc.AlignText2[0] != '\0')
    clip.ParseAlign(true);
  else
    clip.SetAllAlign(desc.AlignX, desc.AlignY);
}

// A new clip of the entry, or nullptr when its picture cannot be loaded.
std::unique_ptr<LClip> Build(int index, bool deep) {
  auto cached = State().Templates.find(index);
  auto clip = std::make_unique<LClip>();
  if (cached != State().Templates.end()) {
    clip->Assign(*cached->second, deep);
    return clip;
  }
  const ClipDesc& desc = *GetClipDesc(index);
  if (desc.Picture[0] == '\0') return nullptr;
  if (const LClip* same = FindSamePicture(desc)) {
    clip->Assign(*same, deep);
  } else if (!clip->LoadFromFile(desc.Picture, desc.Mask, desc.iNumberFrames)) {
    return nullptr;
  }
  ApplyEntry(*clip, desc);
  return clip;
}

}  // namespace

bool ClipLib::Init() {
  LibraryState& s = State();
  s.Templates.clear();
  s.Next = 0;
  s.Complete = false;
  s.PictureMissing = false;
  for (int i = 0; i < 10; ++i) {
    if (LoadNext() == -1) return false;
  }
  return true;
}

int32_t ClipLib::LoadNext() {
  LibraryState& s = State();
  if (s.Next < kClipCount) {
    const ClipDesc& desc = *GetClipDesc(s.Next);
    if (desc.Preload) {
      std::unique_ptr<LClip> clip = Build(s.Next, false);
      if (!clip) {
        ShowLoadError(desc);
        s.Complete = false;
        return -1;
      }
      s.Templates[s.Next] = std::move(clip);
    }
    ++s.Next;
  }
  if (s.Next >= kClipCount) s.Complete = true;
  return s.Next * 100 / kClipCount;
}

bool ClipLib::IsComplete() { return State().Complete; }

bool ClipLib::KeepEveryPicture() {
  LibraryState& s = State();
  for (int i = 0; i < kClipCount; ++i) {
    if (GetClipDesc(i)->Picture[0] == '\0' || s.Templates.count(i) != 0) continue;
    std::unique_ptr<LClip> clip = Build(i, false);
    if (!clip) return false;
    s.Templates[i] = std::move(clip);
  }
  return true;
}

LClip* ClipLib::Create(int index, bool deep) {
  const ClipDesc* desc = GetClipDesc(index);
  if (!desc) {
    std::fprintf(stderr, "Error. ClipLib::Create. Bad index: %d\n", index);
    return nullptr;
  }
  std::unique_ptr<LClip> clip = Build(index, deep);
  if (!clip) {
    // One box for a broken installation: the pictures asked for until the program
    // ends would only repeat it.
    if (!State().PictureMissing) ShowLoadError(*desc);
    State().PictureMissing = true;
    return nullptr;
  }
  return clip.release();
}

bool ClipLib::PictureMissing() { return State().PictureMissing; }

bool ClipLib::FrameSize(int index, int32_t& w, int32_t& h) {
  const ClipDesc* desc = GetClipDesc(index);
  if (!desc) return false;
  int32_t picW = 0, picH = 0;
  if (const LClip* t = GetTemplate(index)) {
    w = t->FrameW;
    h = t->FrameH;
    return true;
  }
  if (desc->iNumberFrames <= 0 || !ReadPictureSize(desc->Picture, picW, picH)) return false;
  w = picW / desc->iNumberFrames;
  h = picH;
  return true;
}

const LClip* ClipLib::GetTemplate(int index) {
  auto it = State().Templates.find(index);
  return it == State().Templates.end() ? nullptr : it->second.get();
}

const LClip* ClipLib::TemplateOrCopy(int index, std::unique_ptr<LClip>& own) {
  if (const LClip* t = GetTemplate(index)) return t;
  own.reset(Create(index));
  return own.get();
}

void ClipLib::Shutdown() {
  State().Templates.clear();
  State().Next = 0;
  State().Complete = false;
  State().PictureMissing = false;
}

bool ClipLib::Covers(int index, int frame, double x, double y, int px, int py) {
  const LClip* picture = GetTemplate(index);
  if (!picture) return false;
  return picture->CoversAt(frame, x, y, px, py);
}
