// SPDX-License-Identifier: GPL-3.0-or-later
// The contact sheet: every saved picture with all its frames, its entries and its file name.
#pragma once

#include "kit/Registry.h"

namespace art {

// Composes the sheet of everything saved so far into one canvas.
CanvasPtr ComposeContactSheet(const ArtContext& ctx);

}  // namespace art
