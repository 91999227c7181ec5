#pragma once
// Samples are counted and indexed by int throughout: the workspaces' arrays are indexed
// from 1 by int and their counts are ints. The standard containers the routines work in
// meet that index here, in one place, checked in debug builds.
#include <cassert>
#include <climits>
#include <cstddef>

namespace optc {

template <class Container>
constexpr int Count(const Container& c) {
    assert(c.size() <= static_cast<std::size_t>(INT_MAX));
    return static_cast<int>(c.size());
}

template <class Container>
constexpr decltype(auto) At(Container& c, int i) {
    assert(i >= 0);
    // A container that knows its size is checked against it too.
    if constexpr (requires { c.size(); }) assert(static_cast<std::size_t>(i) < c.size());
    return c[static_cast<std::size_t>(i)];
}

}  // namespace optc
