#include <cstdlib>
#include <ctime>
#include <iostream>

#include "asmBinarySearch.h"
#include "binarySearch.h"
#include "dataSet.h"
#include "linearSearch.h"
#include "report.h"
#include "selectionSort.h"

const int REPETITIONS = 1000000;

int main()
{
    int numbers[ARRAY_SIZE];
    int value = 0; // what a failed or missing read leaves: never found
    int position = -1;

    generateDataSet(numbers);

    std::cout << "Enter a Positive 3-digit Number as the Search Value: ";
    std::cin >> value;
    std::cout << std::endl << "Please Be Patient. This may take several seconds . . ." << std::endl;

    std::cout << std::endl << "Using a linear search." << std::endl;
    std::clock_t start = std::clock();
    for (int repetition = 0; repetition < REPETITIONS; ++repetition) {
        position = linearSearch(value, numbers, ARRAY_SIZE);
    }
    std::clock_t stop = std::clock();
    writeReport(std::cout, position, "   Elapsed time for the Linear Search was ",
                elapsedSeconds(start, stop));

    selectionSort(numbers, ARRAY_SIZE);

    std::cout << std::endl << "Using the C++ Binary Search:" << std::endl;
    start = std::clock();
    for (int repetition = 0; repetition < REPETITIONS; ++repetition) {
        position = binarySearch(value, numbers, ARRAY_SIZE);
    }
    stop = std::clock();
    writeReport(std::cout, position, "   Elapsed time for the C++ Binary Search was ",
                elapsedSeconds(start, stop));

    std::cout << "Using the Assembly Language Binary Search." << std::endl;
    start = std::clock();
    for (int repetition = 0; repetition < REPETITIONS; ++repetition) {
        position = asmBinarySearch(value, numbers, ARRAY_SIZE);
    }
    stop = std::clock();
    writeReport(std::cout, position, "   Elapsed time for the ASM Binary Search was ",
                elapsedSeconds(start, stop));

    // Every line was flushed as it was written, so a failed write shows here.
    if (!std::cout) {
        std::cerr << "search_benchmark: could not write the results to standard output"
                  << std::endl;
        return EXIT_FAILURE;
    }
    return 0;
}
