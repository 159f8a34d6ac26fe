#include "dataSet.h"

#include <cstdlib>

void generateDataSet(int numbers[])
{
    for (int i = 0; i < ARRAY_SIZE; ++i) {
        numbers[i] = std::rand() % 1000 + 1;
    }
}
