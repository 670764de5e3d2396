// A program made ready for a controller: the lines as they are sent (comments and surrounding
// spaces stripped, lines left empty dropped), each with its line number in the file, the row
// it belongs to and the time at which the controller should have finished it.
//
// Rows are counted from 1: the first move starts row 1, and every move that changes Y starts
// the next one. The lines before the first move (the header) are row 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "simulation/motion_settings.h"

namespace skelda {

struct JobLine {
  std::string text;        // as sent, without its line end
  std::uint64_t fileLine;  // 1-based; 0 for a line made up by the sender (a resume's rapid)
  int row;
  double finish;  // planned seconds from the start of the job when this line is done
};

struct JobBounds {
  bool any = false;                               // false: the program never moves
  double minX = 0, maxX = 0, minY = 0, maxY = 0;  // mm, work coordinates, every move's target
};

struct JobPlan {
  std::vector<JobLine> lines;
  int rows = 0;
  double seconds = 0;       // planned time of the whole job
  double maxPower = 0;      // the highest S
  bool laserWords = false;  // M3 or M4 together with S words
  JobBounds bounds;
  std::size_t longest = 0;  // the longest line's length with its end
  std::size_t longestIndex = 0;
  std::size_t bytes = 0;  // all lines with their ends
  bool timed = true;      // false: the planner could not follow the program, no times

  // The index of the first line of `row`, or lines.size() when there is no such row.
  std::size_t FirstLineOf(int row) const;
};

// Strips a comment ("(...)" or from ";") and the spaces around what is left.
std::string StrippedLine(std::string_view line);

// Plans the program with the motion planner and these settings. Throws ProgramError for a
// line the planner cannot follow.
JobPlan PlanJob(std::string_view program, const MotionSettings& motion);

// The job resumed at `row`: the header up to the first move, a rapid to where the row starts,
// the modal state the skipped lines had set (units, distance mode, laser, feed, power, motion
// mode), then the program from the row on, each line keeping its file line number. Throws
// Error naming the rows there are when `row` is not one of them.
JobPlan ResumeFromRow(std::string_view program, int row, const MotionSettings& motion);

}  // namespace skelda
