// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VideoModeRequest.h"

#include <utility>

namespace platform {
namespace {

std::function<void()>& Handler() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

void SetVideoModeHandler(std::function<void()> handler) { Handler() = std::move(handler); }

void RequestVideoMode() {
  if (Handler()) Handler()();
}

}  // namespace platform
