// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/ScreenServices.h"

#include <utility>

#include "engine/LMusic.h"
#include "engine/LSound.h"
#include "platform/Dialogs.h"

#ifndef OT_MAKER_URL
#define OT_MAKER_URL ""
#endif

SystemServices::SystemServices(std::function<void()> switchVideoMode, std::string makerPage)
    : switchVideoMode_(std::move(switchVideoMode)), makerPage_(std::move(makerPage)) {}

void SystemServices::SetMusicOn(bool on) { Music().SetOn(on); }
void SystemServices::SetMusicVolume(int volume) { Music().SetVolume(volume); }
void SystemServices::SetSoundVolume(int volume) { Sound().SetVolume(volume, -1); }
void SystemServices::SetSoundOn(bool on) { Sound().SoundOn = on; }

void SystemServices::SwitchVideoMode() {
  if (switchVideoMode_) switchVideoMode_();
}

void SystemServices::OpenMakerPage() {
  if (!makerPage_.empty()) platform::OpenWebPage(makerPage_);
}

std::string SystemServices::MakerPage() { return OT_MAKER_URL; }
