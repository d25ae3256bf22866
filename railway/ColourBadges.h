// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colour badges: a small shape for each colour, riding above every ordinary train's
// locomotive and standing at every town, so that colours which look alike still differ
// by outline. A crazy train shows the badge of a train bound for any town; the repair
// train shows none. Badges are only pictures: they follow the trains and towns they
// belong to and are never saved.
#include <memory>
#include <vector>

#include "railway/FieldSprites.h"
#include "railway/Town.h"
#include "railway/Train.h"

class ColourBadges {
 public:
  explicit ColourBadges(FieldSprites* sprites) : sprites_(sprites) {}

  bool On() const { return on_; }
  // Turns the badges on or off at once for everything on the field.
  void Switch(bool on, const std::vector<std::unique_ptr<Train>>& trains, std::vector<Town>& towns);
  // Gives a town its badge (when the badges are on) or takes it away.
  void Attach(Town& town);
  void Detach(Town& town);
  // Puts the train's badge over its locomotive, upright, at the locomotive's depth, and
  // shows it only while the locomotive is shown. Makes the badge first when it is due.
  void Follow(Train& train);

 private:
  void Detach(Train& train);
  FieldSprites* sprites_;
  bool on_ = false;
};

// The badge frame of a train: its colour's shape, the "any town" shape for a crazy
// train, -1 for the repair train (no badge).
int BadgeFrame(const Train& train);
