// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/Display.h"

namespace {

using platform::ChooseVideoDriver;
using platform::DisplayFacts;

// The video library never gets to pick a driver on its own: the user's named
// driver, or x11 on a display that answers, or no start at all.
TEST(VideoDriver, IsTheNamedOneOrX11OnAWorkingDisplayOrNone) {
  EXPECT_EQ(ChooseVideoDriver({"dummy", "", false, false}).driver, "");
  EXPECT_EQ(ChooseVideoDriver({"dummy", "", false, false}).problem, "");

  const auto pinned = ChooseVideoDriver({"", ":0", false, true});
  EXPECT_EQ(pinned.driver, "x11");
  EXPECT_EQ(pinned.problem, "");

  EXPECT_EQ(ChooseVideoDriver({"", ":99", false, false}).problem,
            "cannot open the X display \":99\"; set DISPLAY or SDL_VIDEODRIVER=dummy to run "
            "without a window");
  EXPECT_NE(ChooseVideoDriver({"", "", false, false}).problem.find("DISPLAY is not set"),
            std::string::npos);
  EXPECT_NE(ChooseVideoDriver({"", "", true, false}).problem.find("XWayland"), std::string::npos);
}

}  // namespace
