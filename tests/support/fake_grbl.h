// A GRBL 1.1 controller on the master side of a pseudo-terminal, for testing a sender through
// a real tty. It fails where the firmware fails: a 128-byte receive ring that drops what does
// not fit, real-time bytes picked out before the ring, lines over 80 characters refused with
// error:11, an ok only once its planner (15 usable blocks of 16) has room, the planner drained
// at the programmed feed in simulated time, bytes paced at the baud rate when asked.
//
// Opening the slave resets it as an Arduino's DTR does: the welcome line follows shortly.
#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace skelda::testing {

struct FakeGrblOptions {
  int baud = 0;         // 0: bytes taken as fast as they come; else 10 bits a byte at this rate
  double speed = 1;     // simulated seconds per real second
  bool answers = true;  // false: a port with nothing behind it
  bool startInAlarm = false;
  std::string options = "V,15,128";  // the [OPT:] line of $I; empty: none
  std::map<int, double> settings;    // over the defaults of $$
  // Faults at the Nth line taken from the ring (1-based; 0: never).
  int errorAt = 0, errorCode = 20;  // answered error:code instead of ok
  int alarmAt = 0, alarmCode = 1;   // run, then ALARM:code (a hard limit)
  int closeAt = 0;                  // the port closes (the cable pulled)
  int silentAt = 0;                 // it stops answering anything
  int resetAt = 0;                  // it resets itself (a brown-out)
};

class FakeGrbl {
 public:
  explicit FakeGrbl(FakeGrblOptions options = {});
  FakeGrbl(const FakeGrbl&) = delete;
  FakeGrbl& operator=(const FakeGrbl&) = delete;
  ~FakeGrbl();

  const std::string& Path() const { return path_; }

  // Every line taken from the ring, as it came (a garbled one too), in order.
  std::vector<std::string> Lines() const;
  // The lines that moved the machine or changed its state (answered ok, not in check mode).
  std::vector<std::string> Executed() const;
  // Of those, the ones that have run to their end: a reset or jog cancel drops the moves still
  // in the planner, and a move never begun leaves its line here unburnt.
  std::vector<std::string> Completed() const;
  std::size_t Dropped() const;   // bytes lost to a full ring
  std::size_t Overlong() const;  // lines refused with error:11
  std::string Realtime() const;  // the real-time bytes received
  bool BeamOn() const;           // the laser burning now
  int Alarms() const;            // ALARM lines sent
  int Resets() const;
  bool LaserModalOn() const;  // M3 or M4 in force
  std::string State() const;

 private:
  struct Block {
    double dx, dy, length, feed;  // mm, mm/min
    double power;                 // S while burning, 0 for a rapid or laser off
    double dwell;                 // seconds, for G4
    double done;                  // mm or seconds run
    std::size_t line;             // in executed_
  };

  void Serve();
  void Boot();
  void Send(const std::string& text);
  void TakeByte(unsigned char byte);
  void OnRealtime(unsigned char byte);
  void Reset();
  void DropPlanned();
  void Advance(double seconds);
  void ProcessRing();
  void Execute(const std::string& line);
  std::string Gcode(const std::string& line);
  std::string Status() const;
  bool Moving() const;
  double Setting(int n) const;

  FakeGrblOptions options_;
  std::string path_;
  int master_ = -1;
  std::thread thread_;
  std::atomic<bool> quit_{false};
  mutable std::mutex mutex_;

  // Everything below under mutex_.
  std::deque<unsigned char> ring_;
  std::string lineBuffer_;
  std::string waiting_;  // a line taken from the ring, waiting for room in the planner
  bool haveWaiting_ = false;
  std::deque<Block> planner_;
  std::map<int, double> settings_;
  enum class Mode { Idle, Run, Hold, Jog, Alarm, Check, Home } mode_ = Mode::Idle;
  bool holdComplete_ = false;
  double holdLeft_ = 0;
  bool critical_ = false;  // an alarm that waits for a reset
  bool silent_ = false, closed_ = false;
  std::optional<std::chrono::steady_clock::time_point> closeAt_;
  double x_ = 0, y_ = 0;
  double wcoX_ = 0, wcoY_ = 0;
  bool inches_ = false, relative_ = false, rapid_ = true;
  int laser_ = 5;
  double feed_ = 0, power_ = 0;
  int feedOverride_ = 100, powerOverride_ = 100;
  int taken_ = 0;
  mutable int reports_ = 0;
  std::vector<std::string> lines_, executed_;
  std::set<std::size_t> unfinished_;  // executed_ lines whose moves never ran to their end
  std::size_t dropped_ = 0, overlong_ = 0;
  std::string realtime_;
  int alarms_ = 0, resets_ = 0;
};

}  // namespace skelda::testing
