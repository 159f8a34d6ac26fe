#pragma once

#include <ctime>
#include <ostream>

// Seconds between two readings of clock().
double elapsedSeconds(std::clock_t start, std::clock_t stop);

// Writes what a timed run found and how long it took.
void writeReport(std::ostream& out, int position, const char* label, double seconds);
