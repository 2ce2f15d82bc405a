// Shape lists such as "any 4333 + 5xxx - any 5332": the set of suit-length
// tuples they name, read once so that a hand's shape is then one lookup.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

namespace ddsolver {

// A set of (spades, hearts, diamonds, clubs) lengths, each 0 to 13.
class ShapeSet {
   public:
    static constexpr int LENGTHS = 14;
    static constexpr int SIZE = LENGTHS * LENGTHS * LENGTHS * LENGTHS;

    static constexpr int indexOf(int spades, int hearts, int diamonds, int clubs) {
        return ((spades * LENGTHS + hearts) * LENGTHS + diamonds) * LENGTHS + clubs;
    }
    bool contains(int index) const { return bits_[static_cast<size_t>(index)]; }
    void set(int index, bool value) { bits_[static_cast<size_t>(index)] = value; }

   private:
    std::bitset<SIZE> bits_;
};

// Where a shape list went wrong: the offset of the offending character in the
// list (its length for the end) and what was expected there.
struct ShapeListError {
    size_t offset = 0;
    std::string message;
};

// Reads a shape list: shapes joined by "+" (add to the set) and "-" (take
// out of it), applied left to right, the first one added. A shape is four
// lengths for spades, hearts, diamonds and clubs, each a digit or "x" (any
// length); "any" in front stands for every order of the four. Digits need not
// add up to 13 (hands of an ending are shorter). On a refusal `set` is left
// as it was.
bool parseShapeList(std::string_view list, ShapeSet& set, ShapeListError& error);

}  // namespace ddsolver
