// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The railway: the grid of junctions, the laid track, the trains, towns, houses, trees,
// crash sites and explosions, and the rules that run them. Pictures go through the
// sprite seam, money, messages, tips and sounds through the host.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/ValueStore.h"
#include "railway/ColourBadges.h"
#include "railway/CrashSite.h"
#include "railway/FieldHost.h"
#include "railway/FieldSprites.h"
#include "railway/Junction.h"
#include "railway/TipTable.h"
#include "railway/Town.h"
#include "railway/Track.h"
#include "railway/Train.h"

// A tree or a house on the field. mark is the key of the track removing it, 0 if none.
struct Scenery {
  FieldSprite* picture = nullptr;
  int x = 0;
  int y = 0;
  int frame = 0;
  int town = -1;
  int mark = 0;
};

// The ways a track piece is laid.
enum class Laying {
  kByPlayer,     // a click in building mode: the building rules apply, it costs money and
                 // fines what it removes
  kLevelLayout,  // a level's ready-built track, or one restored from a saved game: free,
                 // no rules, no sounds, kept in the built-track record
  kTownTrack,    // the track joining a new town: free, quiet, not in the record
  kQuietLayout,  // free, quiet and without sounds: a level layout kept out of the record
};

// The town junction (column 0 or 7) of a town whose inner junction is inner, joined by a
// track of the given type; -1 when that is no town place. Towns stand with their inner
// junction in column 1 of an even row or column 6 of an odd row.
int TownJunctionFor(int inner, int type);

struct SceneryRecord {
  int x = 0;
  int y = 0;
  int frame = 0;
  int town = -1;
};

// The longest list of each kind a saved field can hold: what this field, as it has been
// laid out again, could carry at once. A longer list comes from no game and is refused.
struct SavedListBounds {
  int switches = 0;
  int signals = 0;
  int crashSites = 0;
  int trains = 0;
  int queued = 0;
  // The trains' cars, too, must fit: the sum of their lengths (TrainLength, each taken
  // up to the shortest loop of track) stays within this.
  int trainLength = 0;
};

// The tree records of a level without trees. A level given no tree records at all grows
// its forests, so a bare field gets one tree far off the screen, where no track reaches.
inline std::vector<SceneryRecord> NoForest() {
  constexpr int kFarOff = 5000;
  return {{kFarOff, kFarOff, 0, -1}};
}

class Field {
 public:
  Field(FieldSprites* sprites, FieldHost* host);
  ~Field();
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  Junction& At(int j) { return *junctions_[j]; }
  const Junction& At(int j) const { return *junctions_[j]; }

  // Track laying and building.
  bool HasTrack(int i, int t) const;
  bool CanBuild(int i, int t) const;
  bool AddTrack(int i, int t, Laying how);
  void BuildStep(int dt);
  bool AllTracksBuilt() const;
  int BuildInterval() const { return buildInterval_; }
  const std::string& BuiltTrackRecord() const { return builtRecord_; }
  const std::string& TownRecord() const { return townRecord_; }
  const std::vector<std::unique_ptr<Track>>& Tracks() const { return tracks_; }

  // Clicks in route mode: a crash site's call button (returned), else the junctions.
  FieldSprite* FieldClick(int x, int y);
  // The shown call button at the point, or nullptr.
  FieldSprite* CallButtonAt(int x, int y);
  // A click on the junctions' switches and signals; true when one of them took it.
  bool ClickJunctions(int x, int y);
  // True when the sprite is one of the crash sites' call buttons.
  bool IsCallButton(const FieldSprite* sprite) const;

  // Busy line and queue.
  bool IsTrackOccupied(int d, int j) const;
  bool LineBusy(int d, int j) const;

  // Trains.
  void LaunchTrain(const TrainOrder& order, Departure when);
  void FieldUpdate(int dt);
  void MoveTrains(int dt);
  void ReverseTrain(Train& train);
  int RemoveTrain(int index, int fromCar, bool crash);
  bool RepairTrainOnField() const;
  const std::vector<std::unique_ptr<Train>>& Trains() const { return trains_; }
  // Runs one movement step and the collision checks at once; dt feeds the blinking.
  void StepAndCheck(int dt = 100);
  // Puts a train with all its cars at one place, as loading a saved field does.
  Train* PlaceTrain(int loco, int cars, int colour, rail::Place place, TrainKind kind, int wagon);

  // Towns, houses, trees.
  bool AddTown(int colour, int inner, int type);
  bool AddNewTown(int colour, int nextJunction, int nextType);
  bool ReserveNextTown(int junction, int type);
  bool AddHouse(double growth, int town, bool aroundRandomTown);
  void PlaceTrees(int forests, int size);
  // The most trees PlaceTrees can plant; a level never gains trees later.
  static int MostTrees(int forests, int size);
  void NewLevel(int forests, int size, int nextJunction, int nextType,
                const std::vector<SceneryRecord>& trees, const std::vector<SceneryRecord>& houses,
                int treeClip);
  std::vector<SceneryRecord> CollectHouses() const;
  std::vector<SceneryRecord> CollectTrees() const;
  int TownAt(int x, int y) const;
  rail::Point TownPosition(int town) const;
  const std::vector<Town>& Towns() const { return towns_; }
  int NextTownJunction() const { return nextTownJunction_; }
  int NextTrackType() const { return nextTrackType_; }
  const std::vector<Scenery>& Trees() const { return trees_; }
  const std::vector<Scenery>& Houses() const { return houses_; }
  void SetHousePicture(int clip) { houseClip_ = clip; }

  // Crashes and repair.
  void CheckCollisions();
  void AddCrashSite(int j, int d, double p);
  // True when a crash site lies on the piece of track leaving j in direction d.
  bool Damaged(int j, int d) const;
  void DamageRandomTrack();
  void CallRepairTrain(int town);
  void AdvanceExplosions(int dt);
  const std::vector<CrashSite>& CrashSites() const { return crashSites_; }
  int SelectedTown() const { return selectedTown_; }
  int ExplosionCount() const { return static_cast<int>(explosions_.size()); }
  const std::vector<Explosion>& Explosions() const { return explosions_; }

  // The colour badges on trains and towns: on or off at once.
  void SetColourSymbols(bool on) { badges_.Switch(on, trains_, towns_); }
  bool ColourSymbols() const { return badges_.On(); }

  // Running state.
  void SaveField(core::ValueStore& store, const std::string& prefix);
  // False when a value was missing or out of range (the load is incomplete).
  bool LoadField(core::ValueStore& store, const std::string& prefix);
  SavedListBounds ListBounds() const;
  // Writes the whole running state under prefix + "FieldState.", every double exactly:
  // what the saved field leaves out or rounds (for a hash of the game's state; nothing
  // reads it back).
  void SaveRunningState(core::ValueStore& store, const std::string& prefix) const;
  // Takes up the clocks a saved field leaves out (the building's, the movement step's, the
  // end-of-level fines', the call buttons' colour cycle) from a field in the same state
  // otherwise, so that this one goes on exactly as that one would.
  void TakeClocksOf(const Field& other);
  // Takes up where the trains of a field in the same state stand, to the last bit, and
  // the towns' coming trains: a saved field keeps only each train's first car, rounded (a
  // restored train stands folded up on it until it has run its length), and a town's
  // delayed start only in part. Each train must match its counterpart (colour, kind,
  // cars), and the towns theirs (their junctions); one that does not is left as
  // restored. The locks the cars set come along.
  void TakeTrafficOf(const Field& other);

 private:
  // Building.
  std::vector<rail::Point> TrackSamples(int i, int t) const;
  int MarkScenery(std::vector<Scenery>& items, const std::vector<rail::Point>& points, int range,
                  int key);
  bool FinishMarked(std::vector<Scenery>& items, int key, bool all);
  void RemoveFinishedScenery();
  void RegisterCrossings(int i, int t);
  void RefreshSwitchPictures(int j);
  void ClearField();
  // Movement.
  enum class LocoStep { kGoOn, kDone, kRemoved };
  void MoveTrain(Train& train, bool& movedAny, size_t& index, int dt);
  LocoStep MoveLocomotive(Train& train, size_t index);
  void PlaceCars(Train& train);
  // Locks junction j for a train passing through the side of d, until the next step.
  void LockJunction(int j, int d);
  rail::Place MoveBack(const rail::Place& from, double distance, bool* changed) const;
  void DrawTrain(Train& train, bool& moved);
  // False when the train stays on the field (turned back by a town of another colour).
  bool Arrive(size_t index, int town);
  void CrazyCrash(size_t index);
  void UpdateTowns(int dt, bool finesDue);
  void LaunchQueued(Town& town);
  void RefreshStretches(Train& train);
  // Collisions.
  bool Within(const rail::Place& p, const rail::Place& a, const rail::Place& b) const;
  bool CarStretchContains(const Train& t, int car, const rail::Place& p) const;
  // Each settles the first crash it finds from `from` on and sets `from` where it found
  // it; false when there is none.
  bool TrainAgainstTrain(size_t& from);
  bool JunctionCrossings(int& from);
  bool ArcCrossings(int& from);
  bool CrashSiteChecks(size_t& from);
  void CrashMessages(int total);
  rail::Place SnapPlace(int j, int d, double p) const;
  void DamageTrack(const rail::Place& at);
  void Explode(Train& train, int fromCar);
  // Persistence helpers.
  void SaveTrains(core::ValueStore& store, const std::string& prefix);
  bool LoadTrains(core::ValueStore& store, const std::string& prefix);
  bool ListsFit(core::ValueStore& store, const std::string& prefix) const;
  bool LoadSwitches(core::ValueStore& store, const std::string& prefix);
  bool LoadSignals(core::ValueStore& store, const std::string& prefix);
  bool LoadCrashes(core::ValueStore& store, const std::string& prefix);
  bool LoadQueues(core::ValueStore& store, const std::string& prefix);
  bool LoadTownWaits(core::ValueStore& store, const std::string& prefix);
  void MakeTownPictures(Town& town);
  void RemoveTownPictures(Town& town);
  void AddScenery(std::vector<Scenery>& items, int clip, const SceneryRecord& r);
  void Post(const std::string& text);
  void Sound(int index);
  void Tip(int number, int x, int y, const std::string& text = std::string());

  FieldSprites* sprites_;
  FieldHost* host_;
  ColourBadges badges_{sprites_};
  std::array<std::unique_ptr<Junction>, rail::kJunctions> junctions_;
  std::vector<std::unique_ptr<Track>> tracks_;
  std::vector<std::unique_ptr<Train>> trains_;
  std::vector<Town> towns_;
  std::vector<Scenery> trees_;
  std::vector<Scenery> houses_;
  std::vector<CrashSite> crashSites_;
  std::vector<Explosion> explosions_;
  std::string builtRecord_;
  std::string townRecord_;
  int buildTimer_ = 0;
  int buildInterval_ = 1;
  // How many of the first tracks are known to be finished: tracks are only added at the
  // end and never lose progress, so the search for the next one to build starts there.
  size_t finishedTracks_ = 0;
  int moveTimer_ = 0;
  std::vector<int> locked_;  // the junctions locked since the last step, to clear
  double waitTimer_ = 0;
  int endTimer_ = 0;
  int selectTimer_ = 0;
  int selectedTown_ = 0;
  int nextTownJunction_ = -1;
  int nextTrackType_ = -1;
  int treeClip_ = clip::Trees;
  int houseClip_ = clip::Homes;
  bool repairTipShown_ = false;
};
