// A recursive-descent JSON reader: enough for the reports the programs write.
#include "apps/common/Json.h"

#include <cstdlib>

namespace apps {

namespace {

constexpr int MAX_DEPTH = 64;

class JsonReader {
   public:
    explicit JsonReader(const std::string& text) : text_(text) {}

    bool readDocument(JsonValue& value, std::string& error) {
        if (!read(value, 0) || (skipBlanks(), at_ != text_.size())) {
            if (error_.empty()) error_ = "text after the JSON value";
            error = error_ + " at character " + std::to_string(at_ + 1);
            return false;
        }
        return true;
    }

   private:
    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool fail(const char* message) {
        if (error_.empty()) error_ = message;
        return false;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (text_.compare(at_, w.size(), w) != 0) return fail("unknown word");
        at_ += w.size();
        return true;
    }

    bool read(JsonValue& value, int depth) {
        if (depth > MAX_DEPTH) return fail("nested too deeply");
        skipBlanks();
        if (at_ >= text_.size()) return fail("unexpected end");
        const char c = text_[at_];
        if (c == '{') return readObject(value, depth);
        if (c == '[') return readArray(value, depth);
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return readString(value.text);
        }
        if (c == 't' || c == 'f') {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = c == 't';
            return literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') return literal("null");
        return readNumber(value);
    }

    bool readNumber(JsonValue& value) {
        const size_t start = at_;
        while (at_ < text_.size() &&
               std::string("+-0123456789.eE").find(text_[at_]) != std::string::npos)
            ++at_;
        if (at_ == start) return fail("expected a value");
        value.kind = JsonValue::Kind::Number;
        value.text = text_.substr(start, at_ - start);
        char* end = nullptr;
        value.number = std::strtod(value.text.c_str(), &end);
        if (end != value.text.c_str() + value.text.size()) return fail("bad number");
        return true;
    }

    bool readString(std::string& out) {
        ++at_;  // the opening quote
        out.clear();
        while (at_ < text_.size() && text_[at_] != '"') {
            char c = text_[at_++];
            if (c == '\\') {
                if (at_ >= text_.size()) break;
                c = text_[at_++];
                switch (c) {
                    case 'n':
                        c = '\n';
                        break;
                    case 't':
                        c = '\t';
                        break;
                    case 'r':
                        c = '\r';
                        break;
                    case 'b':
                        c = '\b';
                        break;
                    case 'f':
                        c = '\f';
                        break;
                    case 'u':
                        // Our reports escape only control characters this way.
                        if (at_ + 4 > text_.size()) return fail("bad escape");
                        c = static_cast<char>(
                            std::strtol(text_.substr(at_, 4).c_str(), nullptr, 16));
                        at_ += 4;
                        break;
                    default:
                        break;  // \" \\ \/
                }
            }
            out += c;
        }
        if (at_ >= text_.size()) return fail("unterminated string");
        ++at_;
        return true;
    }

    bool readArray(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++at_;
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
        for (;;) {
            value.items.emplace_back();
            if (!read(value.items.back(), depth + 1)) return false;
            skipBlanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
            return fail("expected ',' or ']'");
        }
    }

    bool readObject(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++at_;
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
        for (;;) {
            skipBlanks();
            std::string name;
            if (at_ >= text_.size() || text_[at_] != '"') return fail("expected a member name");
            if (!readString(name)) return false;
            skipBlanks();
            if (at_ >= text_.size() || text_[at_] != ':') return fail("expected ':'");
            ++at_;
            if (!read(value.members[name], depth + 1)) return false;
            skipBlanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
            return fail("expected ',' or '}'");
        }
    }

    const std::string& text_;
    size_t at_ = 0;
    std::string error_;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
    static const JsonValue NONE;
    const auto found = members.find(name);
    return found == members.end() ? NONE : found->second;
}

bool readJson(const std::string& text, JsonValue& value, std::string& error) {
    value = JsonValue{};
    return JsonReader(text).readDocument(value, error);
}

}  // namespace apps
