// The value of one field: null, a boolean, an integer, a double or a text.
#pragma once
#include <string>
#include <variant>

class Variant {
public:
    enum class Type { Null, Bool, Int, Double, Text };

    Variant() = default;
    Variant(bool b) : v_(b) {}
    Variant(int i) : v_(static_cast<long long>(i)) {}
    Variant(long i) : v_(static_cast<long long>(i)) {}
    Variant(long long i) : v_(i) {}
    Variant(double d) : v_(d) {}
    Variant(const char* s) : v_(std::string(s)) {}
    Variant(std::string s) : v_(std::move(s)) {}

    Type GetType() const { return static_cast<Type>(v_.index()); }
    bool IsNull() const { return GetType() == Type::Null; }

    // Text form: "" for null, decimal integers, the shortest general form of
    // a double, "True"/"False".
    std::string AsText() const;
    // Numeric forms. A text is converted when it is a whole number (AsInt) or a
    // number (AsDouble); anything else raises ConvertError. Null reads as 0.
    // AsInt rounds a double half to even.
    long long AsInt() const;
    double AsDouble() const;

    bool operator==(const Variant& o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, bool, long long, double, std::string> v_;
};
