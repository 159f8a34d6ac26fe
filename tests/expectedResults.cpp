// Prints what the benchmark must report for the value given as the argument,
// worked out here without its code from the same unseeded rand(): the
// linear search's subscript in generation order, the compiled search's
// subscript in sorted order (each -1 when the value is absent), and the first
// and last subscripts of the equal elements in sorted order.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

// The halving that binarySearch promises: the subscript of the first equal
// element its probes meet, or -1.
int halvingReference(int value, const std::vector<int>& numbers)
{
    int lower = 0;
    int upper = static_cast<int>(numbers.size()) - 1;
    while (lower <= upper) {
        int midpoint = (lower + upper) / 2;
        if (numbers[midpoint] == value) {
            return midpoint;
        }
        if (numbers[midpoint] > value) {
            upper = midpoint - 1;
        } else {
            lower = midpoint + 1;
        }
    }
    return -1;
}

int main(int argc, char** argv)
{
    int value = argc == 2 ? static_cast<int>(std::strtol(argv[1], nullptr, 10)) : 0;

    std::vector<int> numbers(10000);
    for (int& number : numbers) {
        number = std::rand() % 1000 + 1;
    }
    auto first = std::find(numbers.begin(), numbers.end(), value);
    int linear = first == numbers.end() ? -1 : static_cast<int>(first - numbers.begin());

    std::sort(numbers.begin(), numbers.end());
    int halving = halvingReference(value, numbers);
    auto lowest = std::lower_bound(numbers.begin(), numbers.end(), value) - numbers.begin();
    auto highest = std::upper_bound(numbers.begin(), numbers.end(), value) - numbers.begin() - 1;

    std::printf("%d %d %d %d\n", linear, halving, static_cast<int>(lowest),
                static_cast<int>(highest));
    return 0;
}
