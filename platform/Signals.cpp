// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Signals.h"

#include <csignal>

namespace platform {
namespace {

volatile std::sig_atomic_t quitRequested = 0;

extern "C" void OnQuitSignal(int) { quitRequested = 1; }

}  // namespace

void InstallQuitSignals() {
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a wait in progress ends early
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool TakeQuitRequest() {
  if (quitRequested == 0) return false;
  quitRequested = 0;
  return true;
}

bool QuitRequestPending() { return quitRequested != 0; }

}  // namespace platform
