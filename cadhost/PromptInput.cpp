#include "PromptInput.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

#include "base/Text.h"

namespace cadhost {

std::string KeywordAbbreviation(std::string_view keyword) {
  std::string abbreviation;
  for (const char c : keyword) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isupper(byte) || std::isdigit(byte)) abbreviation += c;
  }
  return abbreviation;
}

std::optional<std::string> MatchKeyword(std::string_view keywords, std::string_view typed) {
  const std::string wanted = std::string(verdanto::TrimBlanks(typed));
  if (wanted.empty()) return std::nullopt;
  std::vector<std::string> listed;
  std::istringstream words{std::string(keywords)};
  for (std::string word; words >> word;) listed.push_back(word);
  // The whole keyword first, so that "X" is never taken for an abbreviation of another.
  for (const auto& keyword : listed) {
    if (verdanto::EqualsNoCase(keyword, wanted)) return keyword;
  }
  for (const auto& keyword : listed) {
    const std::string abbreviation = KeywordAbbreviation(keyword);
    if (!abbreviation.empty() && verdanto::EqualsNoCase(abbreviation, wanted)) return keyword;
  }
  return std::nullopt;
}

std::optional<double> ParseNumber(std::string_view typed) {
  const std::string text = std::string(verdanto::TrimBlanks(typed));
  if (text.empty()) return std::nullopt;
  const char* first = text.data();
  if (*first == '+') ++first;
  double value = 0;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<verdanto::Vec3> ParsePoint(std::string_view typed) {
  std::vector<double> numbers;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = typed.find(',', start);
    const auto number = ParseNumber(typed.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (numbers.size() < 2 || numbers.size() > 3) return std::nullopt;
  return verdanto::Vec3{numbers[0], numbers[1], numbers.size() == 3 ? numbers[2] : 0.0};
}

}  // namespace cadhost
