#pragma once

// Puts numbers[0..count) in ascending order, in place.
void selectionSort(int numbers[], int count);

void swapValues(int* a, int* b);
