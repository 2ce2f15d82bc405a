// Constraints on deals, written in a small expression language:
//
//   hcp(N) >= 15 && spades(S) >= 5 && !hascard(W, SQ)
//   shape(E, "any 4333 + 5xxx - any 5332") || controls(W, hearts) > 1
//
// Seats N E S W (or north, east, south, west); suits spades hearts diamonds
// clubs (or S H D C). Functions: hcp(seat) and hcp(seat, suit) (A 4, K 3,
// Q 2, J 1); the suit lengths spades(seat), hearts(seat), diamonds(seat),
// clubs(seat); controls(seat) and controls(seat, suit) (A 2, K 1);
// shape(seat, "list"), a shape list in which a shape gives the spade, heart,
// diamond and club lengths ("5431", "x" for any length, "any" in front for
// any order of the suits), joined by "+" (or) and "-" (but not);
// hascard(seat, card). Integers, + - * (and unary minus), the comparisons
// == != < <= > >=, the logical && || ! (true is 1, false 0), parentheses.
// A compiled Constraint is a plain value: any thread may evaluate it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "Deal.h"
#include "Status.h"

namespace ddsolver {

// Where a constraint text stopped making sense.
struct ConstraintError {
    int column = 0;       // the character's place in the text, counted from 1
    std::string message;  // what was expected there, e.g. "expected ')'"
};

class Constraint {
   public:
    Constraint();  // accepts every deal

    // Compiles `text`; on a refusal (Status::BadConstraint) `error`, when
    // given, names the column and what was expected, and `constraint` is
    // left as it was. Text of blanks only is a constraint that accepts all.
    [[nodiscard]] static Status compile(std::string_view text, Constraint& constraint,
                                        ConstraintError* error = nullptr);

    // The expression's value on the deal (its cards as they lie: a seat's
    // missing cards count as not held), and whether it is not zero.
    long long evaluate(const Deal& deal) const;
    bool accepts(const Deal& deal) const { return evaluate(deal) != 0; }
    bool acceptsAll() const { return !program_; }

   private:
    struct Program;
    std::shared_ptr<const Program> program_;
};

}  // namespace ddsolver
