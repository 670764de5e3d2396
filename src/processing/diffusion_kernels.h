// The error-diffusion kernels beside Floyd-Steinberg, as data: where each share of a decided
// cell's error goes and its weight over the kernel's divisor.
#pragma once

#include "core/workspace.h"

namespace skelda {

// One share: row 0 is the pass row being decided (only columns to the right of the cell), 1
// the pass row after it (the picture row above), 2 the one after that; column relative to the
// cell, -2 .. 2.
struct DiffusionShare {
  int row;
  int column;
  int weight;
};

struct DiffusionKernel {
  int divisor;
  int count;
  DiffusionShare shares[12];
};

inline constexpr DiffusionKernel kAtkinson{
    8, 6, {{0, 1, 1}, {0, 2, 1}, {1, -1, 1}, {1, 0, 1}, {1, 1, 1}, {2, 0, 1}}};
inline constexpr DiffusionKernel kJarvisJudiceNinke{48,
                                                    12,
                                                    {{0, 1, 7},
                                                     {0, 2, 5},
                                                     {1, -2, 3},
                                                     {1, -1, 5},
                                                     {1, 0, 7},
                                                     {1, 1, 5},
                                                     {1, 2, 3},
                                                     {2, -2, 1},
                                                     {2, -1, 3},
                                                     {2, 0, 5},
                                                     {2, 1, 3},
                                                     {2, 2, 1}}};
inline constexpr DiffusionKernel kStucki{42,
                                         12,
                                         {{0, 1, 8},
                                          {0, 2, 4},
                                          {1, -2, 2},
                                          {1, -1, 4},
                                          {1, 0, 8},
                                          {1, 1, 4},
                                          {1, 2, 2},
                                          {2, -2, 1},
                                          {2, -1, 2},
                                          {2, 0, 4},
                                          {2, 1, 2},
                                          {2, 2, 1}}};
inline constexpr DiffusionKernel kBurkes{
    32, 7, {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}}};
inline constexpr DiffusionKernel kSierra{32,
                                         10,
                                         {{0, 1, 5},
                                          {0, 2, 3},
                                          {1, -2, 2},
                                          {1, -1, 4},
                                          {1, 0, 5},
                                          {1, 1, 4},
                                          {1, 2, 2},
                                          {2, -1, 2},
                                          {2, 0, 3},
                                          {2, 1, 2}}};
inline constexpr DiffusionKernel kTwoRowSierra{
    16, 7, {{0, 1, 4}, {0, 2, 3}, {1, -2, 1}, {1, -1, 2}, {1, 0, 3}, {1, 1, 2}, {1, 2, 1}}};
inline constexpr DiffusionKernel kSierraLite{4, 3, {{0, 1, 2}, {1, -1, 1}, {1, 0, 1}}};

// The kernel of a diffusion method; null for the ordered screen.
const DiffusionKernel* KernelOf(DotMethod method);

}  // namespace skelda
