// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The packs below a folder as the tool needs them: each sub-folder with a pack.index,
// by its order and then its name, with the paths of its levels in play order.
#include <string>
#include <vector>

namespace levels {

struct PackListing {
  std::string id;  // the folder's name
  std::string title;
  int order = 0;
  std::vector<std::string> levels;  // absolute paths of the .level files
};

std::vector<PackListing> ListPacks(const std::string& root);

}  // namespace levels
