// The summation driver: the program's main routine.
#pragma once

namespace ketlap {

// Reads the class table and the data file and writes the four totals.
void runSummation();

}  // namespace ketlap
