// Bisection by representation rather than by value: the long double halfway between two
// others in the order of all representable values. A bisection that needs the last
// representable value before an edge gets there in at most 80 steps, even when the edge is
// 0 (as for ln x), where halving the difference would take thousands.
#pragma once

namespace curvelo {

// Finite a and b; the result lies between them (inclusive), and strictly between unless
// they are adjacent or equal. Both zeros count as one value.
long double OrderedMidpoint(long double a, long double b);

}  // namespace curvelo
