#include "checkedSearch.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <iterator>
#include <random>

#include "checkedCall.h"

std::vector<Contender> contendersOf(std::initializer_list<Kind> kinds)
{
    std::vector<Contender> found;
    std::copy_if(contenders, contenders + contenderCount, std::back_inserter(found),
                 [&](const Contender& c) {
                     return std::find(kinds.begin(), kinds.end(), c.kind()) != kinds.end() &&
                            runsHere(c);
                 });
    return found;
}

void PrintTo(const Contender& contender, std::ostream* stream)
{
    *stream << contender.name;
}

std::string testNameOf(const Contender& contender)
{
    std::string name = contender.name;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

namespace {

// Calls the contender's function, whatever its kind, through checkedCall,
// which runs describe should the call touch memory it may not.
template <typename Describe>
int checkedCallOf(const Contender& contender, const std::uintptr_t arguments[5],
                  const Describe& describe, std::string& clobbered)
{
    auto function =
        std::visit([](auto s) { return reinterpret_cast<AnyFunction>(s.call); }, contender.search);
    return checkedCall(
        function, arguments, [](const void* call) { (*static_cast<const Describe*>(call))(); },
        &describe, clobbered);
}

// The values sought, kept before a batch may answer over them; results,
// unless they are the values, filled with an answer no search gives.
std::vector<int> soughtBefore(const GuardedArray& values, int queries, const GuardedArray& results)
{
    std::vector<int> sought(values.data(), values.data() + std::max(queries, 0));
    if (results.data() != values.data()) {
        std::fill(results.writableData(), results.writableData() + std::max(queries, 0), -2);
    }
    return sought;
}

} // namespace

std::vector<int> valuesFor(const std::vector<int>& numbers, int spread)
{
    std::vector<int> values = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    for (std::size_t i = 0; i < numbers.size(); i += numbers.size() / spread + 1) {
        for (unsigned offset : {-1u, 0u, 1u}) { // wrapping past either end of int
            values.push_back(static_cast<int>(static_cast<unsigned>(numbers[i]) + offset));
        }
    }
    return values;
}

void forSortedArrays(const std::vector<int>& counts, const std::vector<int>& distinctCounts,
                     unsigned seed, const std::function<bool(const std::vector<int>&)>& check)
{
    std::mt19937 generator(seed);
    for (auto range : {std::make_pair(1, 3), {-5, 5}, {1, 1000}, {INT_MIN, INT_MAX}}) {
        std::uniform_int_distribution<int> pick(range.first, range.second);
        for (int count : counts) {
            std::vector<int> numbers(count);
            std::generate(numbers.begin(), numbers.end(), [&] { return pick(generator); });
            std::sort(numbers.begin(), numbers.end());
            if (!check(numbers)) {
                return;
            }
        }
    }
    for (int count : distinctCounts) {
        std::vector<int> numbers(count);
        int value = -1000;
        for (int& number : numbers) {
            number = value += 1 + static_cast<int>(generator() % 3);
        }
        if (!check(numbers)) {
            return;
        }
    }
}

int lowerBoundAnswer(int value, const int numbers[], int count)
{
    const int* found = std::lower_bound(numbers, numbers + count, value);
    return found != numbers + count && *found == value ? static_cast<int>(found - numbers) : -1;
}

std::string faultOf(const Contender& search, int value, const GuardedArray& array, int count)
{
    const int* end = array.data() + std::max(count, 0);
    return faultOf(search, value, array, count, std::binary_search(array.data(), end, value));
}

std::string faultOf(const Contender& search, int value, const GuardedArray& array, int count,
                    bool present)
{
    auto describe = [&] {
        std::fprintf(stderr, "%s(value %d, numbers, count %d), numbers %s", search.name, value,
                     count, array.guard());
    };
    const std::uintptr_t arguments[5] = {intArgument(value), pointerArgument(array.data()),
                                         intArgument(count), unusedArgument, unusedArgument};
    std::string clobbered;
    int position = checkedCallOf(search, arguments, describe, clobbered);

    std::string fault;
    if (!isRightAnswer(position, value, array.data(), count, present)) {
        fault = "returned " + std::to_string(position) + " though the value is " +
                (present ? "" : "not ") + "there. ";
    }
    return clobbered.empty() ? fault : fault + "changed " + clobbered;
}

std::string batchFaultOf(const Contender& batch, const GuardedArray& values, int queries,
                         const GuardedArray& numbers, int count, const GuardedArray& results)
{
    auto describe = [&] {
        std::fprintf(stderr,
                     "%s(values, queries %d, numbers, count %d, results), values %s, "
                     "numbers %s, results %s",
                     batch.name, queries, count, values.guard(), numbers.guard(), results.guard());
    };
    std::vector<int> sought = soughtBefore(values, queries, results);
    const std::uintptr_t arguments[5] = {pointerArgument(values.data()), intArgument(queries),
                                         pointerArgument(numbers.data()), intArgument(count),
                                         pointerArgument(results.data())};
    std::string clobbered;
    checkedCallOf(batch, arguments, describe, clobbered);

    std::string fault;
    const int* end = numbers.data() + std::max(count, 0);
    for (int i = 0; i < queries && fault.empty(); ++i) {
        int value = sought[i];
        int position = results.data()[i];
        bool present = std::binary_search(numbers.data(), end, value);
        if (!isRightAnswer(position, value, numbers.data(), count, present)) {
            fault = "answered " + std::to_string(position) + " to query " + std::to_string(i) +
                    ", " + std::to_string(value) + ", though it is " + (present ? "" : "not ") +
                    "there. ";
        }
    }
    return clobbered.empty() ? fault : fault + "changed " + clobbered;
}

GuardedTree::GuardedTree(const SearchTree& built, const int numbers[], bool flushAgainstEnd)
    : nodes(built.nodes, static_cast<std::size_t>(built.firstNode[built.levels]) * TREE_KEYS,
            flushAgainstEnd),
      tail(built.tail, TREE_KEYS, flushAgainstEnd), tree(built)
{
    tree.nodes = nodes.data();
    tree.tail = tail.data();
    tree.numbers = numbers;
}

std::string treeFaultOf(const Contender& search, const SearchTree& tree, const int numbers[],
                        int count, const GuardedArray& values, int queries,
                        const GuardedArray& results)
{
    std::string clobbered;
    std::vector<int> sought = soughtBefore(values, queries, results);
    int value = 0;
    int calls = queries; // one call of queries, or queries calls of one
    auto describe = [&] {
        std::fprintf(stderr, "%s(value %d, queries %d, tree of count %d), arrays %s", search.name,
                     value, calls, tree.count, values.guard());
    };
    std::visit(Overloaded{[&](TreeBatch) {
                              const std::uintptr_t arguments[5] = {
                                  pointerArgument(values.data()), intArgument(queries),
                                  pointerArgument(&tree), pointerArgument(results.data()),
                                  unusedArgument};
                              checkedCallOf(search, arguments, describe, clobbered);
                          },
                          [&](Tree) {
                              calls = 1;
                              for (int i = 0; i < queries && clobbered.empty(); ++i) {
                                  value = sought[i];
                                  const std::uintptr_t arguments[5] = {
                                      intArgument(sought[i]), pointerArgument(&tree),
                                      unusedArgument, unusedArgument, unusedArgument};
                                  results.writableData()[i] =
                                      checkedCallOf(search, arguments, describe, clobbered);
                              }
                          },
                          [](auto) {}}, // not a tree search: answers nothing
               search.search);
    std::string fault;
    for (int i = 0; i < queries && fault.empty() && clobbered.empty(); ++i) {
        int answer = results.data()[i];
        int expected = lowerBoundAnswer(sought[i], numbers, count);
        if (answer != expected) {
            fault = "answered " + std::to_string(answer) + " to " + std::to_string(sought[i]) +
                    ", not " + std::to_string(expected) + ". ";
        }
    }
    return clobbered.empty() ? fault : fault + "changed " + clobbered;
}
