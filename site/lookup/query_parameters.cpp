#include "site/lookup/query_parameters.h"

QueryValue FindQueryValue(const QueryParameters& parameters, const std::string& name) {
    QueryValue found;
    const auto [first, last] = parameters.equal_range(name);
    for (auto it = first; it != last; ++it) {
        if (found.kind == QueryValue::Kind::kAbsent) {
            found.kind = QueryValue::Kind::kSingle;
            found.value = it->second;
        } else if (found.value != it->second) {
            return QueryValue{QueryValue::Kind::kConflicting, {}};
        }
    }
    return found;
}

std::optional<int> ParseDecimalDigits(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (value < kDecimalCeiling) {
            value = value * 10 + (c - '0');
        }
    }
    return value < kDecimalCeiling ? value : kDecimalCeiling;
}
