// Constraint: compiling the text once, then running its stack program on each
// deal. A seat's features come straight from its 64-bit card mask, without
// allocating, since the dealer evaluates a million deals a second.
#include "ddsolver/Constraint.h"

#include "analysis/ConstraintCode.h"
#include "core/TextScan.h"

namespace ddsolver {

struct Constraint::Program {
    ConstraintCode code;
};

namespace {

constexpr uint64_t SUIT_CARDS = (uint64_t{1} << 13) - 1;
// The ace of each suit: bit 0 of its 13; the king, queen and jack follow it.
constexpr uint64_t ACES = 1 | uint64_t{1} << 13 | uint64_t{1} << 26 | uint64_t{1} << 39;
// Multiplying by this adds the four suits' 13-bit fields into bits 39 up: no
// field sum below reaches 13 bits, so nothing carries into them.
constexpr uint64_t ADD_FIELDS = ACES;

// Cards in a 13-bit suit (a popcount the target may lack as an instruction).
int suitCount(uint64_t suit) {
    suit = suit - ((suit >> 1) & 0x5555);
    suit = (suit & 0x3333) + ((suit >> 2) & 0x3333);
    suit = (suit + (suit >> 4)) & 0x0F0F;
    return static_cast<int>((suit + (suit >> 8)) & 0x1F);
}

int length(uint64_t cards, int suit) {
    return suitCount((cards >> (13 * suit)) & SUIT_CARDS);
}

// Each suit's field holds its points (at most 10); their sum is at most 40.
long long hcp(uint64_t cards) {
    const uint64_t points = 4 * (cards & ACES) + 3 * ((cards >> 1) & ACES) +
                            2 * ((cards >> 2) & ACES) + ((cards >> 3) & ACES);
    return static_cast<long long>(((points * ADD_FIELDS) >> 39) & 63);
}

long long controls(uint64_t cards) {
    const uint64_t points = 2 * (cards & ACES) + ((cards >> 1) & ACES);
    return static_cast<long long>(((points * ADD_FIELDS) >> 39) & 15);
}

long long hcp(uint64_t cards, int suit) {
    return hcp((cards >> (13 * suit)) & SUIT_CARDS);
}

long long controls(uint64_t cards, int suit) {
    return controls((cards >> (13 * suit)) & SUIT_CARDS);
}

// Arithmetic wraps around, as on unsigned values, rather than overflow.
long long wrap(unsigned long long value) {
    return static_cast<long long>(value);
}
long long add(long long a, long long b) {
    return wrap(static_cast<unsigned long long>(a) + static_cast<unsigned long long>(b));
}
long long subtract(long long a, long long b) {
    return wrap(static_cast<unsigned long long>(a) - static_cast<unsigned long long>(b));
}
long long multiply(long long a, long long b) {
    return wrap(static_cast<unsigned long long>(a) * static_cast<unsigned long long>(b));
}

long long run(const ConstraintCode& code, const Deal& deal) {
    long long stack[STACK_CAPACITY];
    long long* top = stack;  // one past the topmost value
    const Op* const ops = code.ops.data();
    size_t next = 0;
    for (;;) {
        const Op& op = ops[next++];
        const uint64_t cards = deal.cards(static_cast<Seat>(op.seat));
        switch (op.code) {
            case OpCode::Constant:
                *top++ = op.value;
                break;
            case OpCode::Hcp:
                *top++ = hcp(cards);
                break;
            case OpCode::HcpSuit:
                *top++ = hcp(cards, op.suit);
                break;
            case OpCode::Length:
                *top++ = length(cards, op.suit);
                break;
            case OpCode::Controls:
                *top++ = controls(cards);
                break;
            case OpCode::ControlsSuit:
                *top++ = controls(cards, op.suit);
                break;
            case OpCode::Shape:
                *top++ = code.shapes[static_cast<size_t>(op.value)].contains(ShapeSet::indexOf(
                    length(cards, 0), length(cards, 1), length(cards, 2), length(cards, 3)));
                break;
            case OpCode::HasCard:
                *top++ = static_cast<long long>((cards >> op.value) & 1);
                break;
            case OpCode::Negate:
                top[-1] = subtract(0, top[-1]);
                break;
            case OpCode::Not:
                top[-1] = top[-1] == 0;
                break;
            case OpCode::ToBool:
                top[-1] = top[-1] != 0;
                break;
            case OpCode::Add:
                --top, top[-1] = add(top[-1], top[0]);
                break;
            case OpCode::Subtract:
                --top, top[-1] = subtract(top[-1], top[0]);
                break;
            case OpCode::Multiply:
                --top, top[-1] = multiply(top[-1], top[0]);
                break;
            case OpCode::Equal:
                --top, top[-1] = top[-1] == top[0];
                break;
            case OpCode::NotEqual:
                --top, top[-1] = top[-1] != top[0];
                break;
            case OpCode::Less:
                --top, top[-1] = top[-1] < top[0];
                break;
            case OpCode::LessEqual:
                --top, top[-1] = top[-1] <= top[0];
                break;
            case OpCode::Greater:
                --top, top[-1] = top[-1] > top[0];
                break;
            case OpCode::GreaterEqual:
                --top, top[-1] = top[-1] >= top[0];
                break;
            case OpCode::AddConstant:
                top[-1] = add(top[-1], op.value);
                break;
            case OpCode::SubtractConstant:
                top[-1] = subtract(top[-1], op.value);
                break;
            case OpCode::MultiplyConstant:
                top[-1] = multiply(top[-1], op.value);
                break;
            case OpCode::EqualConstant:
                top[-1] = top[-1] == op.value;
                break;
            case OpCode::NotEqualConstant:
                top[-1] = top[-1] != op.value;
                break;
            case OpCode::LessConstant:
                top[-1] = top[-1] < op.value;
                break;
            case OpCode::LessEqualConstant:
                top[-1] = top[-1] <= op.value;
                break;
            case OpCode::GreaterConstant:
                top[-1] = top[-1] > op.value;
                break;
            case OpCode::GreaterEqualConstant:
                top[-1] = top[-1] >= op.value;
                break;
            case OpCode::AndJump:
                if (top[-1] == 0) {
                    next = static_cast<size_t>(op.value);
                } else {
                    --top;
                }
                break;
            case OpCode::OrJump:
                if (top[-1] != 0) {
                    top[-1] = 1;
                    next = static_cast<size_t>(op.value);
                } else {
                    --top;
                }
                break;
            case OpCode::End:
                return top[-1];
        }
    }
}

}  // namespace

Constraint::Constraint() = default;

Status Constraint::compile(std::string_view text, Constraint& constraint, ConstraintError* error) {
    bool blank = true;
    for (char c : text) blank = blank && isBlank(c);
    if (blank) {
        constraint.program_.reset();
        return Status::Ok;
    }
    auto program = std::make_shared<Program>();
    ConstraintError failure;
    if (!compileConstraintCode(text, program->code, failure)) {
        if (error != nullptr) *error = failure;
        return Status::BadConstraint;
    }
    constraint.program_ = std::move(program);
    return Status::Ok;
}

long long Constraint::evaluate(const Deal& deal) const {
    if (!program_) return 1;
    return run(program_->code, deal);
}

}  // namespace ddsolver
