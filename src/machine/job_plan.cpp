#include "machine/job_plan.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "gcode/grbl_number.h"
#include "simulation/program_reader.h"

namespace skelda {

namespace {

constexpr double kInch = 25.4;

struct Word {
  char letter;
  double value;
};

// The words of a stripped line; "$" lines (system commands, jogs) have none.
std::vector<Word> Words(std::string_view line) {
  std::vector<Word> words;
  if (!line.empty() && line[0] == '$') return words;
  std::size_t i = 0;
  while (i < line.size()) {
    const char letter = char(std::toupper(static_cast<unsigned char>(line[i++])));
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t end = i;
    while (end < line.size() && (std::isdigit(static_cast<unsigned char>(line[end])) ||
                                 line[end] == '.' || line[end] == '-' || line[end] == '+')) {
      ++end;
    }
    double value = 0;
    std::string_view number = line.substr(i, end - i);
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    std::from_chars(number.data(), number.data() + number.size(), value);
    if (std::isalpha(static_cast<unsigned char>(letter))) words.push_back({letter, value});
    i = std::max(end, i);
    while (i < line.size() && line[i] == ' ') ++i;
  }
  return words;
}

// The modal state a program has set up to a line, and where the machine is.
struct Modal {
  bool inches = false;
  bool relative = false;
  bool rapid = true;
  int laser = 5;  // 3, 4 or 5
  std::optional<double> feed, power;
  double x = 0, y = 0;  // mm

  // Follows one line; true when it moves X or Y (to x, y).
  bool Follow(const std::vector<Word>& words) {
    bool axis = false, nonMotion = false;
    std::optional<double> toX, toY;
    for (const auto& w : words) {
      const int code = int(std::lround(w.value * 10));
      switch (w.letter) {
        case 'G':
          if (code == 0 || code == 10 || code == 20 || code == 30) rapid = code == 0;
          if (code == 200) inches = true;
          if (code == 210) inches = false;
          if (code == 900) relative = false;
          if (code == 910) relative = true;
          // Dwell, coordinate setting, predefined positions, machine coordinates.
          if (code == 40 || code == 100 || code == 280 || code == 300 || code == 530 ||
              code == 920) {
            nonMotion = true;
          }
          break;
        case 'M':
          if (code == 30 || code == 40 || code == 50) laser = code / 10;
          break;
        case 'F':
          feed = w.value;
          break;
        case 'S':
          power = w.value;
          break;
        case 'X':
          toX = w.value, axis = true;
          break;
        case 'Y':
          toY = w.value, axis = true;
          break;
        default:
          break;
      }
    }
    if (!axis || nonMotion) return false;
    const double scale = inches ? kInch : 1.0;
    if (toX) x = relative ? x + *toX * scale : *toX * scale;
    if (toY) y = relative ? y + *toY * scale : *toY * scale;
    return true;
  }
};

std::string Number(double value) {
  return ThousandthsText(ToThousandths(value));
}

void Bound(JobBounds& b, double x, double y) {
  if (!b.any) {
    b = {true, x, x, y, y};
    return;
  }
  b.minX = std::min(b.minX, x);
  b.maxX = std::max(b.maxX, x);
  b.minY = std::min(b.minY, y);
  b.maxY = std::max(b.maxY, y);
}

// Runs the lines through the reader's planner; each line finishes when its last block has
// run, or when everything before it has (a dwell, a laser change that waits for the queue).
void PlanTimes(JobPlan& plan, const MotionSettings& motion) {
  SimulationSettings settings;
  settings.dot = 1;
  settings.motion = motion;
  ProgramReader reader(settings);
  // With a baud, a line ends when the head has run it after its bytes crossed the link.
  SerialPlanner* serial = reader.Serial();
  reader.Planner().KeepBlockTimes(serial == nullptr);
  if (serial != nullptr) serial->KeepBlockTimes(true);
  std::vector<std::size_t> queued(plan.lines.size());
  std::vector<double> floor(plan.lines.size());
  try {
    for (std::size_t i = 0; i < plan.lines.size(); ++i) {
      const std::string line = plan.lines[i].text + "\n";
      reader.Feed(line.data(), line.size());
      queued[i] = reader.Planner().BlocksQueued();
      floor[i] = reader.Seconds();
    }
    reader.Finish();
  } catch (const ProgramError&) {
    plan.timed = false;  // a dialect the planner does not read: the job goes without times
    return;
  }
  const auto& times = serial != nullptr ? serial->BlockTimes() : reader.Planner().BlockTimes();
  for (std::size_t i = 0; i < plan.lines.size(); ++i) {
    const double blockEnd = queued[i] > 0 ? times[std::min(queued[i], times.size()) - 1] : 0;
    plan.lines[i].finish = std::max(blockEnd, floor[i]);
  }
  plan.seconds = reader.Seconds();
}

}  // namespace

std::size_t JobPlan::FirstLineOf(int row) const {
  const auto it =
      std::find_if(lines.begin(), lines.end(), [row](const JobLine& l) { return l.row == row; });
  return std::size_t(it - lines.begin());
}

std::string StrippedLine(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  int depth = 0;
  for (const char c : line) {
    if (c == ';' && depth == 0) break;
    if (c == '(') {
      ++depth;
    } else if (c == ')' && depth > 0) {
      --depth;
    } else if (depth == 0 && c != '\r' && c != '\n') {
      out += c;
    }
  }
  const std::size_t first = out.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = out.find_last_not_of(" \t");
  return out.substr(first, last - first + 1);
}

JobPlan PlanJob(std::string_view program, const MotionSettings& motion) {
  JobPlan plan;
  bool sawLaserOn = false, sawPower = false;
  std::uint64_t fileLine = 0;
  for (std::size_t start = 0; start < program.size();) {
    std::size_t end = program.find('\n', start);
    if (end == std::string_view::npos) end = program.size();
    ++fileLine;
    std::string text = StrippedLine(program.substr(start, end - start));
    start = end + 1;
    if (text.empty() || text == "%") continue;
    plan.lines.push_back({std::move(text), fileLine, 0, 0});
  }
  Modal walk;
  double lastY = 0;
  for (auto& line : plan.lines) {
    const auto words = Words(line.text);
    for (const auto& w : words) {
      if (w.letter == 'S') {
        plan.maxPower = std::max(plan.maxPower, w.value);
        sawPower = sawPower || w.value > 0;
      }
      if (w.letter == 'M' && (w.value == 3 || w.value == 4)) sawLaserOn = true;
    }
    if (walk.Follow(words)) {
      if (plan.rows == 0 || walk.y != lastY) ++plan.rows;
      lastY = walk.y;
      Bound(plan.bounds, walk.x, walk.y);
    }
    line.row = plan.rows;
    const std::size_t length = line.text.size() + 1;
    plan.bytes += length;
    if (length > plan.longest) {
      plan.longest = length;
      plan.longestIndex = std::size_t(&line - plan.lines.data());
    }
  }
  plan.laserWords = sawLaserOn && sawPower;
  PlanTimes(plan, motion);
  return plan;
}

JobPlan ResumeFromRow(std::string_view program, int row, const MotionSettings& motion) {
  const JobPlan whole = PlanJob(program, motion);
  if (row < 1 || row > whole.rows) {
    throw Error("there is no row " + std::to_string(row) + ": the program has rows 1 to " +
                std::to_string(whole.rows));
  }
  const std::size_t first = whole.FirstLineOf(row);
  Modal modal;
  std::size_t firstMove = whole.lines.size();
  for (std::size_t i = 0; i < first; ++i) {
    const auto words = Words(whole.lines[i].text);
    if (modal.Follow(words) && firstMove == whole.lines.size()) firstMove = i;
  }
  std::vector<JobLine> lines(whole.lines.begin(), whole.lines.begin() + long(firstMove));
  // The machine goes to where the row's first line starts from, with the beam off; then the
  // state the skipped lines left is restated before the row runs as written.
  const double scale = modal.inches ? kInch : 1.0;
  std::vector<std::string> made = {
      modal.inches ? "G20" : "G21", "M5", "G90",
      "G0 X" + Number(modal.x / scale) + " Y" + Number(modal.y / scale)};
  // Appended rather than "F" + text, which GCC 12 takes for an overlapping copy (-Wrestrict).
  const auto word = [](char letter, const std::string& value) {
    return std::string(1, letter).append(value);
  };
  if (modal.relative) made.push_back("G91");
  if (modal.feed) made.push_back(word('F', Number(*modal.feed)));
  if (modal.power) made.push_back(word('S', Number(*modal.power)));
  if (modal.laser != 5) made.push_back(word('M', std::to_string(modal.laser)));
  made.push_back(modal.rapid ? "G0" : "G1");
  for (auto& m : made) lines.push_back({std::move(m), 0, 0, 0});
  lines.insert(lines.end(), whole.lines.begin() + long(first), whole.lines.end());

  std::string text;
  for (const auto& l : lines) text += l.text + "\n";
  JobPlan plan = PlanJob(text, motion);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    plan.lines[i].fileLine = lines[i].fileLine;
    plan.lines[i].row = lines[i].row;
  }
  plan.rows = whole.rows;
  return plan;
}

}  // namespace skelda
