#pragma once
// JSON text written straight into a string, in the one-line layout the batch summary
// has always had: ", " between members and elements, ": " after a key. Reals are
// written as the windows write them (FloatToStr, always with "."), not in a shortest
// round-trip form. Strings are escaped in one pass over their bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace optc {

// Appends a JSON string literal of text to out: quotes, backslashes, control
// characters and DEL escaped; characters beyond ASCII that are valid UTF-8 as they
// are; every byte that begins no valid UTF-8 sequence read as its Latin-1 character
// (\u00XX), so the output is always valid UTF-8 and no byte is lost.
void AppendJsonString(std::string& out, std::string_view text);
std::string JsonString(std::string_view text);

// Builds one JSON value. Members and elements are separated as they are added; a key
// is followed by exactly one value (or a nested object or array).
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);

    JsonWriter& String(std::string_view text);
    // A real in the windows' general format; null when it is not finite, since JSON has
    // no text for infinities or NaN.
    JsonWriter& Real(double value);
    JsonWriter& Integer(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // A JSON text made elsewhere, put in as it is.
    JsonWriter& Raw(std::string_view json);

    // key: value in one call; an empty optional is null.
    template <typename Value>
    JsonWriter& Member(std::string_view key, const Value& value) {
        Key(key);
        return Put(value);
    }

private:
    JsonWriter& Put(std::string_view text) { return String(text); }
    JsonWriter& Put(const std::string& text) { return String(text); }
    JsonWriter& Put(const char* text) { return String(std::string_view(text)); }
    JsonWriter& Put(const std::optional<std::string>& text) { return text ? String(*text) : Null(); }
    JsonWriter& Put(double value) { return Real(value); }
    JsonWriter& Put(const std::optional<double>& value) { return value ? Real(*value) : Null(); }
    JsonWriter& Put(int value) { return Integer(value); }
    JsonWriter& Put(bool value) { return Bool(value); }
    JsonWriter& Put(std::nullptr_t) { return Null(); }

    // Starts a value: the separator after an earlier member or element.
    void BeforeValue();

    std::string& out_;
    // Per open object or array: whether it has a member or element yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

}  // namespace optc
