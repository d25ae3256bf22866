// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/FieldReport.h"

#include <cstdarg>
#include <cstdio>

#include "railway/Field.h"

namespace report {

const char* KindName(TrainKind kind) {
  return kind == TrainKind::kRepair ? "repair" : kind == TrainKind::kCrazy ? "crazy" : "ordinary";
}

std::string Format(const char* format, ...) {
  char buf[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return buf;
}

std::string Trains(const Field& field) {
  std::string out;
  int i = 0;
  for (const auto& t : field.Trains()) {
    const Car& c0 = t->cars[0];
    out += Format("train %d %s %s cars=%d loco=%d head=%d,%d,%.2f car0=%d,%d,%.2f speed=%.3f%s\n",
                  i++, ColourName(t->colour), KindName(t->kind), t->CarCount(), t->loco, t->head.j,
                  t->head.d, t->head.pos, c0.place.j, c0.place.d, c0.place.pos, t->speed,
                  t->reversed ? " reversed" : "");
  }
  return out;
}

std::string CrashSites(const Field& field) {
  std::string out;
  for (const CrashSite& s : field.CrashSites()) {
    out += Format("crash site %d,%d,%.2f%s\n", s.place.j, s.place.d, s.place.pos,
                  s.button && s.button->Visible() ? " button" : "");
  }
  return out;
}

std::string Queues(const Field& field) {
  std::string out;
  for (const Town& tw : field.Towns()) {
    for (const TrainOrder& q : tw.queue) {
      out += Format("queued at %s: %s %s cars=%d loco=%d\n", ColourName(tw.colour),
                    ColourName(q.colour), KindName(q.kind), q.cars, q.loco);
    }
  }
  return out;
}

std::string Switches(const Field& field) {
  std::string out;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      const Junction::Switch& sw = field.At(j).SwitchAt(s);
      if (sw.state == SwitchState::kNone) continue;
      out += Format("switch %d side %d active=%d another=%d%s\n", j, s, sw.active, sw.another,
                    sw.state == SwitchState::kPending ? " pending" : "");
    }
  }
  return out;
}

std::string Signals(const Field& field) {
  std::string out;
  static const char* kStates[4] = {"none", "placed", "green", "red"};
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      SignalState state = field.At(j).SignalAt(s).state;
      if (state != SignalState::kNone) {
        out += Format("signal %d side %d %s\n", j, s, kStates[static_cast<int>(state)]);
      }
    }
  }
  return out;
}

std::string Towns(const Field& field) {
  std::string out;
  for (const Town& tw : field.Towns()) {
    out += Format("town %s at %d inner %d start %d\n", ColourName(tw.colour), tw.townJunction,
                  tw.innerJunction, tw.startDirection);
    if (tw.countdown != -1) {
      out += Format("  delayed start: %s %s cars=%d loco=%d\n", ColourName(tw.delayed.colour),
                    KindName(tw.delayed.kind), tw.delayed.cars, tw.delayed.loco);
    }
  }
  return out;
}

std::string All(const Field& field) {
  return "[towns]\n" + Towns(field) + "[trains]\n" + Trains(field) + "[crash sites]\n" +
         CrashSites(field) + "[queues]\n" + Queues(field) + "[switches]\n" + Switches(field) +
         "[signals]\n" + Signals(field);
}

}  // namespace report
