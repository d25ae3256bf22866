// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fixture for tests that play through the headless session: one headless display for
// the whole suite, a fresh session for every test, tips off and the default player.
#include <SDL.h>
#include <gtest/gtest.h>

#include <optional>

#include "game/Settings.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

class SessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    headless_.emplace();
    display_ = headless_->Display();
    ASSERT_NE(display_, nullptr) << headless_->Error();
    log_.quiet = true;
  }
  static void TearDownTestSuite() { headless_.reset(); }

  void SetUp() override {
    Globals().ShowTips = false;
    Globals().PlayerName = "Manager";
    session_.emplace(display_, log_);
  }
  void TearDown() override { session_.reset(); }

  GameSession& S() { return *session_; }

  static inline std::optional<HeadlessRun> headless_;
  static inline SDL_Surface* display_ = nullptr;
  static inline EventLog log_;
  std::optional<GameSession> session_;
};
