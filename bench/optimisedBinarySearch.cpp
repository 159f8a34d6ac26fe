// binarySearch.cpp once more, in a namespace of its own, for a build with -O2.
namespace optimised {
#include "binarySearch.cpp"
}
