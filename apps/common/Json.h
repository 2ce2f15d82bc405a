// A small JSON reader for the programs' own reports: objects, arrays,
// numbers, strings, true, false and null, nested at most 64 deep.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace apps {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // the string, or a number's own digits
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    // The member `name` of an object, or null when there is none.
    const JsonValue& operator[](const std::string& name) const;
    bool isNumber() const { return kind == Kind::Number; }
    bool isArray() const { return kind == Kind::Array; }
    bool isObject() const { return kind == Kind::Object; }
};

// Reads one JSON value filling the whole text; false with a message (and
// the place it was found) when the text is not JSON.
bool readJson(const std::string& text, JsonValue& value, std::string& error);

}  // namespace apps
