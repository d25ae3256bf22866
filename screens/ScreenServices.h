// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the in-game screen and its dialogs need from around them: the sound and music
// players, the video mode and the browser. The game uses the real ones; tests record.
#include <functional>
#include <string>

class ScreenServices {
 public:
  virtual ~ScreenServices() = default;
  virtual void SetMusicOn(bool on) = 0;
  virtual void SetMusicVolume(int volume) = 0;
  virtual void SetSoundVolume(int volume) = 0;
  virtual void SetSoundOn(bool on) = 0;
  // Sets the video mode again from the full-screen setting.
  virtual void SwitchVideoMode() = 0;
  // Opens the maker's web page; nothing when the build names none.
  virtual void OpenMakerPage() = 0;
};

// Services that do nothing: no sound, no music, no other video mode, no browser. For the
// headless tools and tests that run the real screens.
class QuietServices : public ScreenServices {
 public:
  void SetMusicOn(bool) override {}
  void SetMusicVolume(int) override {}
  void SetSoundVolume(int) override {}
  void SetSoundOn(bool) override {}
  void SwitchVideoMode() override {}
  void OpenMakerPage() override {}
};

// The program's own: the music and sound players, the system browser, and the frame's
// video mode switch (none: the mode stays).
class SystemServices : public ScreenServices {
 public:
  explicit SystemServices(std::function<void()> switchVideoMode = {},
                          std::string makerPage = MakerPage());
  void SetMusicOn(bool on) override;
  void SetMusicVolume(int volume) override;
  void SetSoundVolume(int volume) override;
  void SetSoundOn(bool on) override;
  void SwitchVideoMode() override;
  void OpenMakerPage() override;

  // The address the build was configured with (OT_MAKER_URL), empty by default.
  static std::string MakerPage();

 private:
  std::function<void()> switchVideoMode_;
  std::string makerPage_;
};
