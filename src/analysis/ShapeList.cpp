// Shape lists read into a set of suit-length tuples, one term at a time.
#include "analysis/ShapeList.h"

#include <algorithm>
#include <array>

namespace ddsolver {

namespace {

// A shape's length for each suit in order, or ANY_LENGTH for "x".
constexpr int ANY_LENGTH = -1;
using Pattern = std::array<int, 4>;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAny(std::string_view word) {
    if (word.size() != 3) return false;
    for (size_t i = 0; i < 3; ++i) {
        if ((word[i] | 0x20) != "any"[i]) return false;
    }
    return true;
}

// Marks every tuple that matches the pattern in its order.
void markInOrder(const Pattern& pattern, bool value, ShapeSet& set) {
    int low[4], high[4];
    for (int suit = 0; suit < 4; ++suit) {
        low[suit] = pattern[suit] == ANY_LENGTH ? 0 : pattern[suit];
        high[suit] = pattern[suit] == ANY_LENGTH ? ShapeSet::LENGTHS - 1 : pattern[suit];
    }
    for (int s = low[0]; s <= high[0]; ++s) {
        for (int h = low[1]; h <= high[1]; ++h) {
            for (int d = low[2]; d <= high[2]; ++d) {
                for (int c = low[3]; c <= high[3]; ++c)
                    set.set(ShapeSet::indexOf(s, h, d, c), value);
            }
        }
    }
}

// Marks the tuples of the pattern in every order; next_permutation visits
// each distinct order once, so "any xxxx" costs no more than "xxxx".
void markAnyOrder(Pattern pattern, bool value, ShapeSet& set) {
    std::sort(pattern.begin(), pattern.end());
    do {
        markInOrder(pattern, value, set);
    } while (std::next_permutation(pattern.begin(), pattern.end()));
}

}  // namespace

bool parseShapeList(std::string_view list, ShapeSet& set, ShapeListError& error) {
    auto fail = [&error](size_t offset, std::string message) {
        error.offset = offset;
        error.message = std::move(message);
        return false;
    };
    auto skipBlanks = [&list](size_t i) {
        while (i < list.size() && isBlank(list[i])) ++i;
        return i;
    };
    auto wordEnd = [&list](size_t i) {
        while (i < list.size() && isWordChar(list[i])) ++i;
        return i;
    };

    ShapeSet result;
    bool add = true;
    size_t i = 0;
    for (;;) {
        i = skipBlanks(i);
        size_t end = wordEnd(i);
        bool anyOrder = false;
        if (isAny(list.substr(i, end - i))) {
            anyOrder = true;
            i = skipBlanks(end);
            end = wordEnd(i);
        }
        if (end == i) return fail(i, "expected a shape such as 5431 or any 5xxx");

        const std::string_view word = list.substr(i, end - i);
        auto badShape = [&](size_t offset) {
            return fail(offset, "bad shape \"" + std::string(word) +
                                    "\": expected four lengths, each a digit or x");
        };
        Pattern pattern;
        for (size_t suit = 0; suit < 4; ++suit) {
            if (suit == word.size()) return badShape(end);
            const char c = word[suit];
            if (c >= '0' && c <= '9') {
                pattern[suit] = c - '0';
            } else if ((c | 0x20) == 'x') {
                pattern[suit] = ANY_LENGTH;
            } else {
                return badShape(i + suit);
            }
        }
        if (word.size() > 4) return badShape(i + 4);

        if (anyOrder) {
            markAnyOrder(pattern, add, result);
        } else {
            markInOrder(pattern, add, result);
        }

        i = skipBlanks(end);
        if (i == list.size()) break;
        if (list[i] != '+' && list[i] != '-') return fail(i, "expected '+' or '-' between shapes");
        add = list[i] == '+';
        ++i;
    }
    set = result;
    return true;
}

}  // namespace ddsolver
