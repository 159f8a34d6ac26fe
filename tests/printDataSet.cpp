// Prints the benchmark's data set in the order it is generated, from the same
// unseeded rand() of the same C runtime, so that the transcript test can work
// out without the benchmark's code what it must report.
#include <cstdio>
#include <cstdlib>

int main()
{
    for (int i = 0; i < 10000; ++i) {
        std::printf("%d\n", std::rand() % 1000 + 1);
    }
    return 0;
}
