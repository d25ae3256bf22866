// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/PackList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace levels {

std::vector<PackListing> ListPacks(const std::string& root) {
  namespace fs = std::filesystem;
  std::vector<PackListing> packs;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(root, ec)) {
    const fs::path index = entry.path() / "pack.index";
    std::ifstream in(index);
    if (!in) continue;
    PackListing pack;
    pack.id = entry.path().filename().string();
    for (std::string line; std::getline(in, line);) {
      line = line.substr(0, line.find('#'));
      std::istringstream words(line);
      std::string key, value;
      if (!(words >> key)) continue;
      std::getline(words >> std::ws, value);
      while (!value.empty() && value.back() == ' ') value.pop_back();
      if (key == "title") pack.title = value;
      if (key == "order") pack.order = std::atoi(value.c_str());
      if (key == "level")
        pack.levels.push_back(fs::absolute(entry.path() / (value + ".level")).string());
    }
    packs.push_back(pack);
  }
  std::sort(packs.begin(), packs.end(), [](const PackListing& a, const PackListing& b) {
    return a.order != b.order ? a.order < b.order : a.id < b.id;
  });
  return packs;
}

}  // namespace levels
