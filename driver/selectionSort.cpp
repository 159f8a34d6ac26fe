#include "selectionSort.h"

void selectionSort(int numbers[], int count)
{
    for (int start = 0; start < count - 1; ++start) {
        int minimumIndex = start;
        int minimumValue = numbers[start];
        for (int j = start + 1; j < count; ++j) {
            if (numbers[j] < minimumValue) {
                minimumIndex = j;
                minimumValue = numbers[j];
            }
        }
        swapValues(&numbers[minimumIndex], &numbers[start]);
    }
}

void swapValues(int* a, int* b)
{
    int temporary = *a;
    *a = *b;
    *b = temporary;
}
