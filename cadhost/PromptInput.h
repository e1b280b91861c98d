#pragma once
// How the host reads what is typed at its prompts: keywords, points, handles.

#include <optional>
#include <string>
#include <string_view>

#include "base/Vec3.h"

namespace cadhost {

// The capital letters and digits of a keyword, in order: "SForward" -> "SF", "3point" -> "3".
std::string KeywordAbbreviation(std::string_view keyword);
// The keyword of `keywords` (separated by spaces) that `typed` names, spelt as
// listed: the whole keyword or its abbreviation, letter case ignored.
std::optional<std::string> MatchKeyword(std::string_view keywords, std::string_view typed);
// "x,y,z" or "x,y" (z = 0), blanks around the numbers allowed.
std::optional<verdanto::Vec3> ParsePoint(std::string_view typed);
// A number; none when the text is not wholly one.
std::optional<double> ParseNumber(std::string_view typed);

}  // namespace cadhost
