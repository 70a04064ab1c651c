#include "variant.h"

#include <cmath>

#include "ucommon.h"
#include "verror.h"

std::string Variant::AsText() const {
    switch (GetType()) {
        case Type::Null: return "";
        case Type::Bool: return std::get<bool>(v_) ? "True" : "False";
        case Type::Int: return std::to_string(std::get<long long>(v_));
        case Type::Double: return FloatToStr(std::get<double>(v_));
        case Type::Text: return std::get<std::string>(v_);
    }
    return "";
}

long long Variant::AsInt() const {
    switch (GetType()) {
        case Type::Null: return 0;
        case Type::Bool: return std::get<bool>(v_) ? -1 : 0;
        case Type::Int: return std::get<long long>(v_);
        case Type::Double: {
            double d = std::get<double>(v_);
            if (!std::isfinite(d) || std::fabs(d) > 9.2e18) throw ConvertError("数値が整数の範囲を超えています。");
            return static_cast<long long>(std::nearbyint(d));
        }
        case Type::Text: {
            const std::string& s = std::get<std::string>(v_);
            if (auto i = ParseInt(s)) return *i;
            if (auto d = ParseFloat(s)) return Variant(*d).AsInt();
            throw ConvertError("'" + s + "' は整数に変換できません。");
        }
    }
    return 0;
}

double Variant::AsDouble() const {
    switch (GetType()) {
        case Type::Null: return 0;
        case Type::Bool: return std::get<bool>(v_) ? -1 : 0;
        case Type::Int: return static_cast<double>(std::get<long long>(v_));
        case Type::Double: return std::get<double>(v_);
        case Type::Text: {
            const std::string& s = std::get<std::string>(v_);
            if (auto d = ParseFloat(s)) return *d;
            throw ConvertError("'" + s + "' は数値に変換できません。");
        }
    }
    return 0;
}
