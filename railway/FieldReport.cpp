#include "railway/FieldReport.h"

#include <cstdarg>
#include <cstdio>

#include "railway/Field.h"

namespace report {
namespace {
const char* KindName(int kind) {
  return kind == kRepair ? "repair" : kind == kCrazy ? "crazy" : "ordinary";
}
std::string Line(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char* fmt, ...) {
  char buf[256];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, args);
  va_end(args);
  return std::string(buf) + "\n";
}
}  // namespace

std::string Trains(const Field& field) {
  std::string out;
  int i = 0;
  for (const auto& t : field.Trains()) {
    const Car& c0 = t->cars[0];
    out += Line("train %d %s %s cars=%d loco=%d head=%d,%d,%.2f car0=%d,%d,%.2f speed=%.3f%s",
                i++, ColourName(t->colour), KindName(t->kind), t->CarCount(), t->loco, t->head.j,
                t->head.d, t->head.pos, c0.place.j, c0.place.d, c0.place.pos, t->speed,
                t->reversed ? " reversed" : "");
  }
  return out;
}

std::string CrashSites(const Field& field) {
  std::string out;
  for (const CrashSite& s : field.CrashSites()) {
    out += Line("crash site %d,%d,%.2f%s", s.place.j, s.place.d, s.place.pos,
                s.button && s.button->Visible() ? " button" : "");
  }
  return out;
}

std::string Queues(const Field& field) {
  std::string out;
  for (const Town& tw : field.Towns()) {
    for (const QueuedTrain& q : tw.queue) {
      out += Line("queued at %s: %s %s cars=%d loco=%d", ColourName(tw.colour), ColourName(q.colour),
                  KindName(q.kind), q.cars, q.loco);
    }
  }
  return out;
}

std::string Switches(const Field& field) {
  std::string out;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      const Junction::Switch& sw = field.At(j).SwitchAt(s);
      if (sw.state == kSwitchNone) continue;
      out += Line("switch %d side %d active=%d another=%d%s", j, s, sw.active, sw.another,
                  sw.state == kSwitchPending ? " pending" : "");
    }
  }
  return out;
}

std::string Signals(const Field& field) {
  std::string out;
  static const char* kStates[4] = {"none", "placed", "green", "red"};
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      int state = field.At(j).SignalAt(s).state;
      if (state != kSignalNone) out += Line("signal %d side %d %s", j, s, kStates[state]);
    }
  }
  return out;
}

std::string Towns(const Field& field) {
  std::string out;
  for (const Town& tw : field.Towns()) {
    out += Line("town %s at %d inner %d start %d", ColourName(tw.colour), tw.townJunction,
                tw.innerJunction, tw.startDirection);
    if (tw.countdown != -1) {
      out += Line("  delayed start: %s %s cars=%d loco=%d", ColourName(tw.delayed.colour),
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
