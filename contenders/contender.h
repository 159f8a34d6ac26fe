#pragma once

#include <string>
#include <variant>

// The searches that the contest, the sweep, the unit tests and the fuzzer
// all take, in one list. Each has the same contract: the subscript of an
// element of numbers[0..count) equal to value, or -1; a batch answers each
// of values[0..queries) so in results.
using SearchFunction = int (*)(int value, const int numbers[], int count);
using BatchFunction = void (*)(const int values[], int queries, const int numbers[], int count,
                               int results[]);

// The same over a search tree built over numbers[0..count).
struct SearchTree;
using TreeFunction = int (*)(int value, const SearchTree* tree);
using TreeBatchFunction = void (*)(const int values[], int queries, const SearchTree* tree,
                                   int results[]);

// A contender's function, of one of five kinds. A scan needs no order, and
// is timed only on the repeated values: on random ones it would take
// minutes. A tree search searches a tree built over the array.
struct Scan {
    SearchFunction call;
};
struct Single {
    SearchFunction call;
};
struct Batch {
    BatchFunction call;
};
struct Tree {
    TreeFunction call;
};
struct TreeBatch {
    TreeBatchFunction call;
};
using Search = std::variant<Scan, Single, Batch, Tree, TreeBatch>;

// Which of Search's alternatives a contender holds, in their order.
enum class Kind { scan, single, batch, tree, treeBatch };

// What the processor must have for a contender to run.
enum class Needs { nothing, avx2, avx512 };

struct Contender {
    const char* name;     // as the tables show it
    const char* method;   // what the hand-written search and its compiled twin share
    const char* compiler; // "hand-written", "gcc -O2", "clang -O2" or "-O0"
    Search search;
    bool swept = true; // in the sweep too
    Needs needs = Needs::nothing;

    Kind kind() const
    {
        return static_cast<Kind>(search.index());
    }
};

// One lambda for each kind, for std::visit over a contender's search.
template <typename... Calls> struct Overloaded : Calls... {
    using Calls::operator()...;
};
template <typename... Calls> Overloaded(Calls...) -> Overloaded<Calls...>;

extern const Contender contenders[];
extern const int contenderCount;

// "scan", "single", "batch", "tree" or "tree batch", as the result files
// say.
const char* kindName(Kind kind);

// Whether this processor has what contender needs.
bool runsHere(const Contender& contender);

// Whether position is a right answer for value among numbers[0..count),
// given whether an element equal to value is there.
bool isRightAnswer(int position, int value, const int numbers[], int count, bool present);

// Tries contender on present and absent values in numbers[0..count), which
// are sorted (a tree search, in tree, built over them): a sample of the
// elements and their neighbours, and both ends of int. The first wrong
// answer in a line that names the contender, the value, the count and the
// answer; empty when all are right.
std::string wrongAnswer(const Contender& contender, const int numbers[], int count,
                        const SearchTree* tree);
