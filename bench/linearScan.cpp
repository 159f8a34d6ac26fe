#include "contenders.h"

int linearScan(int value, const int numbers[], int count)
{
    int position = -1;
    for (int k = 0; k < count; ++k) {
        if (value == numbers[k]) {
            position = k;
            break;
        }
    }
    return position;
}
