// The constraint language's parser: a recursive descent over tokens read one
// ahead, writing the stack program as it goes. Precedence, loosest first:
// ||, &&, the comparisons (which do not chain: "a < b < c" is refused), + -,
// *, the unary ! and -. The binary operators group from the left.
#include <string>

#include "analysis/ConstraintCode.h"
#include "core/TextScan.h"

namespace ddsolver {

namespace {

enum class Tok : uint8_t {
    End,
    Number,
    Name,
    String,
    LeftParen,
    RightParen,
    Comma,
    Plus,
    Minus,
    Star,
    Bang,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    And,
    Or,
    Other,  // a character of no token, one at a time
};

struct Token {
    Tok kind = Tok::End;
    size_t begin = 0, end = 0;  // its characters in the text
    long long number = 0;       // a Number's value (up to MAX_LITERAL + 1)
    bool closed = true;         // whether a String has its closing quote
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Functions by name, with what they compute.
enum class Function { Hcp, Length, Controls, Shape, HasCard };
struct FunctionName {
    const char* name;
    Function function;
    int suit;  // the suit of a length
};
const FunctionName FUNCTIONS[] = {
    {"hcp", Function::Hcp, 0},       {"spades", Function::Length, 0},
    {"hearts", Function::Length, 1}, {"diamonds", Function::Length, 2},
    {"clubs", Function::Length, 3},  {"controls", Function::Controls, 0},
    {"shape", Function::Shape, 0},   {"hascard", Function::HasCard, 0},
};
const char* const SEAT_NAMES[4][2] = {{"n", "north"}, {"e", "east"}, {"s", "south"}, {"w", "west"}};
const char* const SUIT_NAMES[4][2] = {
    {"s", "spades"}, {"h", "hearts"}, {"d", "diamonds"}, {"c", "clubs"}};

OpCode withConstant(OpCode code) {
    return static_cast<OpCode>(static_cast<int>(code) + static_cast<int>(OpCode::AddConstant) -
                               static_cast<int>(OpCode::Add));
}

bool isComparison(Tok kind) {
    return kind >= Tok::Equal && kind <= Tok::GreaterEqual;
}

class Parser {
   public:
    Parser(std::string_view text, ConstraintCode& code) : text_(text), code_(code) { advance(); }

    bool parse() {
        if (!parseOr()) return false;
        if (token_.kind != Tok::End) return failAfterOperand("expected end of text");
        if (code_.maxStack > STACK_CAPACITY) return fail(token_, "expression nested too deeply");
        emit(OpCode::End);
        return true;
    }

    const ConstraintError& error() const { return error_; }

   private:
    // Reads the next token into token_.
    void advance() {
        size_t i = next_;
        while (i < text_.size() && isBlank(text_[i])) ++i;
        token_ = Token();
        token_.begin = i;
        if (i == text_.size()) {
            token_.end = next_ = i;
            return;
        }
        const char c = text_[i];
        const char following = i + 1 < text_.size() ? text_[i + 1] : '\0';
        size_t end = i + 1;
        if (isDigit(c)) {
            token_.kind = Tok::Number;
            long long value = c - '0';
            while (end < text_.size() && isDigit(text_[end])) {
                // Past the largest literal only "too large" matters.
                if (value <= MAX_LITERAL) value = value * 10 + (text_[end] - '0');
                ++end;
            }
            token_.number = value > MAX_LITERAL ? MAX_LITERAL + 1 : value;
        } else if (isLetter(c)) {
            token_.kind = Tok::Name;
            while (end < text_.size() && (isLetter(text_[end]) || isDigit(text_[end]))) ++end;
        } else if (c == '"') {
            token_.kind = Tok::String;
            while (end < text_.size() && text_[end] != '"') ++end;
            token_.closed = end < text_.size();
            if (token_.closed) ++end;
        } else {
            struct Pair {
                char first, second;
                Tok kind;
            };
            static const Pair PAIRS[] = {{'=', '=', Tok::Equal},     {'!', '=', Tok::NotEqual},
                                         {'<', '=', Tok::LessEqual}, {'>', '=', Tok::GreaterEqual},
                                         {'&', '&', Tok::And},       {'|', '|', Tok::Or}};
            static const Pair SINGLES[] = {
                {'(', 0, Tok::LeftParen}, {')', 0, Tok::RightParen}, {',', 0, Tok::Comma},
                {'+', 0, Tok::Plus},      {'-', 0, Tok::Minus},      {'*', 0, Tok::Star},
                {'!', 0, Tok::Bang},      {'<', 0, Tok::Less},       {'>', 0, Tok::Greater}};
            token_.kind = Tok::Other;
            for (const Pair& pair : PAIRS) {
                if (c == pair.first && following == pair.second) {
                    token_.kind = pair.kind;
                    end = i + 2;
                }
            }
            if (token_.kind == Tok::Other) {
                for (const Pair& single : SINGLES) {
                    if (c == single.first) token_.kind = single.kind;
                }
            }
        }
        token_.end = next_ = end;
    }

    bool fail(size_t offset, std::string message) {
        error_.column = static_cast<int>(offset) + 1;
        error_.message = std::move(message);
        return false;
    }
    bool fail(const Token& token, std::string message) {
        return fail(token.begin, std::move(message));
    }
    // After a whole operand: a lone '=', '&' or '|' was meant as an operator.
    bool failAfterOperand(const char* expected) {
        if (token_.kind == Tok::Other) {
            switch (text_[token_.begin]) {
                case '=':
                    return fail(token_, "expected '=='");
                case '&':
                    return fail(token_, "expected '&&'");
                case '|':
                    return fail(token_, "expected '||'");
                default:
                    break;
            }
        }
        return fail(token_, expected);
    }
    bool expect(Tok kind, const char* expected) {
        if (token_.kind != kind) return fail(token_, expected);
        advance();
        return true;
    }

    std::string_view textOf(const Token& token) const {
        return text_.substr(token.begin, token.end - token.begin);
    }
    // The token's text in lower case, for names.
    std::string lowerText(const Token& token) const {
        std::string name(textOf(token));
        for (char& c : name) c = lower(c);
        return name;
    }

    void emit(OpCode code, int value = 0, int seat = 0, int suit = 0) {
        Op op;
        op.code = code;
        op.seat = static_cast<uint8_t>(seat);
        op.suit = static_cast<uint8_t>(suit);
        op.value = value;
        code_.ops.push_back(op);
        if (code <= OpCode::HasCard) {
            ++depth_;
        } else if ((code >= OpCode::Add && code <= OpCode::GreaterEqual) ||
                   code == OpCode::AndJump || code == OpCode::OrJump) {
            --depth_;  // a jump pops on the way on; where it lands the depth is the same
        }
        if (depth_ > code_.maxStack) code_.maxStack = depth_;
    }

    // A binary operator whose right operand starts at op `rightStart`: when
    // that operand is one constant, the operator takes it in place.
    void emitBinary(OpCode code, size_t rightStart) {
        if (code_.ops.size() == rightStart + 1 && code_.ops.back().code == OpCode::Constant) {
            code_.ops.back().code = withConstant(code);
            --depth_;
            return;
        }
        emit(code);
    }

    bool enterNesting() {
        if (++nesting_ > MAX_NESTING) return fail(token_, "expression nested too deeply");
        return true;
    }

    // Short-circuit chains: each operand but the last jumps to the end when
    // it settles the value; the last is made 0 or 1 unless it is already.
    bool parseLogical(Tok kind, OpCode jump, bool (Parser::*operand)()) {
        if (!(this->*operand)()) return false;
        if (token_.kind != kind) return true;
        std::vector<size_t> jumps;
        while (token_.kind == kind) {
            advance();
            jumps.push_back(code_.ops.size());
            emit(jump);
            if (!(this->*operand)()) return false;
        }
        const OpCode last = code_.ops.back().code;
        const bool boolean =
            last == OpCode::Shape || last == OpCode::HasCard || last == OpCode::Not ||
            last == OpCode::ToBool || (last >= OpCode::Equal && last <= OpCode::GreaterEqual) ||
            (last >= OpCode::EqualConstant && last <= OpCode::GreaterEqualConstant);
        if (!boolean) emit(OpCode::ToBool);
        for (size_t at : jumps) code_.ops[at].value = static_cast<int32_t>(code_.ops.size());
        return true;
    }
    bool parseOr() { return parseLogical(Tok::Or, OpCode::OrJump, &Parser::parseAnd); }
    bool parseAnd() { return parseLogical(Tok::And, OpCode::AndJump, &Parser::parseComparison); }

    bool parseComparison() {
        if (!parseSum()) return false;
        if (!isComparison(token_.kind)) return true;
        const OpCode code =
            static_cast<OpCode>(static_cast<int>(OpCode::Equal) + static_cast<int>(token_.kind) -
                                static_cast<int>(Tok::Equal));
        advance();
        const size_t rightStart = code_.ops.size();
        if (!parseSum()) return false;
        emitBinary(code, rightStart);
        if (isComparison(token_.kind))
            return fail(token_, "expected '&&' or '||' between comparisons");
        return true;
    }

    bool parseSum() {
        if (!parseProduct()) return false;
        while (token_.kind == Tok::Plus || token_.kind == Tok::Minus) {
            const OpCode code = token_.kind == Tok::Plus ? OpCode::Add : OpCode::Subtract;
            advance();
            const size_t rightStart = code_.ops.size();
            if (!parseProduct()) return false;
            emitBinary(code, rightStart);
        }
        return true;
    }

    bool parseProduct() {
        if (!parseUnary()) return false;
        while (token_.kind == Tok::Star) {
            advance();
            const size_t rightStart = code_.ops.size();
            if (!parseUnary()) return false;
            emitBinary(OpCode::Multiply, rightStart);
        }
        return true;
    }

    bool parseUnary() {
        if (token_.kind != Tok::Minus && token_.kind != Tok::Bang) return parsePrimary();
        if (!enterNesting()) return false;
        const bool negate = token_.kind == Tok::Minus;
        advance();
        const size_t start = code_.ops.size();
        if (!parseUnary()) return false;
        --nesting_;
        Op& last = code_.ops.back();
        if (code_.ops.size() == start + 1 && last.code == OpCode::Constant) {
            // Literals stay within +-MAX_LITERAL, so folding cannot overflow.
            last.value = negate ? -last.value : last.value == 0;
        } else {
            emit(negate ? OpCode::Negate : OpCode::Not);
        }
        return true;
    }

    bool parsePrimary() {
        switch (token_.kind) {
            case Tok::Number:
                if (token_.number > MAX_LITERAL) return fail(token_, "number too large");
                emit(OpCode::Constant, static_cast<int>(token_.number));
                advance();
                return true;
            case Tok::LeftParen:
                if (!enterNesting()) return false;
                advance();
                if (!parseOr()) return false;
                if (token_.kind != Tok::RightParen) return failAfterOperand("expected ')'");
                advance();
                --nesting_;
                return true;
            case Tok::Name:
                return parseCall();
            default:
                return fail(token_, "expected an expression");
        }
    }

    bool parseSeat(int& seat) {
        if (token_.kind == Tok::Name) {
            const std::string name = lowerText(token_);
            for (int s = 0; s < 4; ++s) {
                if (name == SEAT_NAMES[s][0] || name == SEAT_NAMES[s][1]) {
                    seat = s;
                    advance();
                    return true;
                }
            }
        }
        return fail(token_, "expected a seat (N, E, S or W)");
    }

    bool parseSuit(int& suit) {
        if (token_.kind == Tok::Name) {
            const std::string name = lowerText(token_);
            for (int s = 0; s < 4; ++s) {
                if (name == SUIT_NAMES[s][0] || name == SUIT_NAMES[s][1]) {
                    suit = s;
                    advance();
                    return true;
                }
            }
        }
        return fail(token_, "expected a suit");
    }

    bool parseShapeArgument(int& shape) {
        if (token_.kind != Tok::String)
            return fail(token_, "expected a shape list in double quotes");
        if (!token_.closed) return fail(text_.size(), "expected '\"'");
        const size_t listBegin = token_.begin + 1;
        ShapeSet set;
        ShapeListError listError;
        if (!parseShapeList(text_.substr(listBegin, token_.end - 1 - listBegin), set, listError))
            return fail(listBegin + listError.offset, listError.message);
        shape = static_cast<int>(code_.shapes.size());
        code_.shapes.push_back(set);
        advance();
        return true;
    }

    bool parseCall() {
        const Token nameToken = token_;
        const std::string name = lowerText(nameToken);
        advance();
        const FunctionName* function = nullptr;
        for (const FunctionName& known : FUNCTIONS) {
            if (name == known.name) function = &known;
        }
        if (function == nullptr) {
            const std::string quoted = "\"" + std::string(textOf(nameToken)) + "\"";
            return fail(
                nameToken,
                (token_.kind == Tok::LeftParen ? "unknown function " : "unknown name ") + quoted);
        }
        if (!expect(Tok::LeftParen, "expected '('")) return false;
        int seat = 0;
        if (!parseSeat(seat)) return false;
        switch (function->function) {
            case Function::Hcp:
            case Function::Controls: {
                const bool hcp = function->function == Function::Hcp;
                if (token_.kind == Tok::Comma) {
                    advance();
                    int suit = 0;
                    if (!parseSuit(suit)) return false;
                    emit(hcp ? OpCode::HcpSuit : OpCode::ControlsSuit, 0, seat, suit);
                    return expect(Tok::RightParen, "expected ')'");
                }
                emit(hcp ? OpCode::Hcp : OpCode::Controls, 0, seat);
                return expect(Tok::RightParen, "expected ',' or ')'");
            }
            case Function::Length:
                emit(OpCode::Length, 0, seat, function->suit);
                return expect(Tok::RightParen, "expected ')'");
            case Function::Shape: {
                int shape = 0;
                if (!expect(Tok::Comma, "expected ','") || !parseShapeArgument(shape)) return false;
                emit(OpCode::Shape, shape, seat);
                return expect(Tok::RightParen, "expected ')'");
            }
            case Function::HasCard: {
                if (!expect(Tok::Comma, "expected ','")) return false;
                Card card;
                if (token_.kind != Tok::Name || !Card::fromText(textOf(token_), card))
                    return fail(token_, "expected a card such as SQ");
                advance();
                emit(OpCode::HasCard, card.index(), seat);
                return expect(Tok::RightParen, "expected ')'");
            }
        }
        return false;
    }

    std::string_view text_;
    ConstraintCode& code_;
    Token token_;      // the next token
    size_t next_ = 0;  // where the token after it starts (or blanks before it)
    int nesting_ = 0;  // open parentheses and unary operators
    int depth_ = 0;    // values on the stack at the end of the program so far
    ConstraintError error_;
};

}  // namespace

bool compileConstraintCode(std::string_view text, ConstraintCode& code, ConstraintError& error) {
    if (text.size() > MAX_TEXT) {
        error.column = 1;
        error.message = "expression too long";
        return false;
    }
    code = ConstraintCode();
    Parser parser(text, code);
    if (parser.parse()) return true;
    error = parser.error();
    return false;
}

}  // namespace ddsolver
