#pragma once

// Reading the decoded query parameters of a page request, which come from
// anyone: a name may be missing, repeated or carry any text.

#include <map>
#include <optional>
#include <string>
#include <string_view>

using QueryParameters = std::multimap<std::string, std::string>;

struct QueryValue {
    enum class Kind {
        kAbsent,
        kSingle,       // given once, or several times with the same value
        kConflicting,  // given several times with different values
    };
    Kind kind = Kind::kAbsent;
    std::string value;  // when kSingle
};

QueryValue FindQueryValue(const QueryParameters& parameters, const std::string& name);

// The number written by `text` in decimal digits only ("0042" is 42); no
// sign, blank or other character. Values above kDecimalCeiling come back as
// kDecimalCeiling, which lies outside every range a page accepts.
inline constexpr int kDecimalCeiling = 999999;
std::optional<int> ParseDecimalDigits(std::string_view text);
