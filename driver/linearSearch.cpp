#include "linearSearch.h"

int calledLinearSearch(int value, const int numbers[], int count)
{
    return linearSearch(value, numbers, count);
}
