#pragma once

const int ARRAY_SIZE = 10000;

// Fills numbers[0..ARRAY_SIZE) with pseudo-random integers from 1 to 1000.
// rand() is never seeded, so every run gets the same data set.
void generateDataSet(int numbers[]);
