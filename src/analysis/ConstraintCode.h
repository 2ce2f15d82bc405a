// A compiled constraint: a flat stack program that the parser writes and
// Constraint::evaluate runs, with the shape sets its shape() calls look up.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis/ShapeList.h"
#include "ddsolver/Constraint.h"

namespace ddsolver {

enum class OpCode : uint8_t {
    Constant,      // push value
    Hcp,           // push the seat's high-card points
    HcpSuit,       // ... in the suit
    Length,        // push the seat's length in the suit
    Controls,      // push the seat's controls
    ControlsSuit,  // ... in the suit
    Shape,         // push 1 when the seat's lengths are in shape set `value`, else 0
    HasCard,       // push 1 when the seat holds card index `value`, else 0
    Negate,
    Not,
    ToBool,  // nonzero becomes 1
    // Binary: pop the right operand, then replace the left one by the result.
    Add,
    Subtract,
    Multiply,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    // The same with the right operand a constant in `value` (nothing popped).
    AddConstant,
    SubtractConstant,
    MultiplyConstant,
    EqualConstant,
    NotEqualConstant,
    LessConstant,
    LessEqualConstant,
    GreaterConstant,
    GreaterEqualConstant,
    AndJump,  // top 0: keep it and go to op `value`; else pop it
    OrJump,   // top not 0: make it 1 and go to op `value`; else pop it
    End,      // the top is the result
};

struct Op {
    OpCode code = OpCode::End;
    uint8_t seat = 0;
    uint8_t suit = 0;
    int32_t value = 0;  // the constant, jump target, shape set or card index
};

// Parentheses and unary operators nest at most this deep, which bounds the
// parser's recursion.
inline constexpr int MAX_NESTING = 100;
// Literals are at most this large, so that a constant fits an Op.
inline constexpr long long MAX_LITERAL = 1000000000;
// Texts are at most this long, so that columns and jump targets fit an int.
inline constexpr size_t MAX_TEXT = size_t{1} << 24;
// Within a level of parentheses at most three left operands wait on the stack
// (of a comparison, a + or - and a *); the logical operators pop theirs before
// the right side runs. The compiler checks its program against this.
inline constexpr int STACK_CAPACITY = 3 * (MAX_NESTING + 2) + 2;

struct ConstraintCode {
    std::vector<Op> ops;  // ends with End
    std::vector<ShapeSet> shapes;
    int maxStack = 0;  // the most values the program holds on its stack
};

// Compiles a text that is not blank; false with `error` filled when it does
// not parse.
bool compileConstraintCode(std::string_view text, ConstraintCode& code, ConstraintError& error);

}  // namespace ddsolver
