#pragma once
// Small text helpers shared by the readers and the windows' models.
// Store texts are 8-bit; letter case is folded for ASCII letters only, which is
// what name matching in dictionaries and input files needs.

#include <cstddef>
#include <string>
#include <string_view>

namespace verdanto {

constexpr char LowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// <0, 0, >0 like strcmp, with ASCII letters compared without regard to case.
int CompareNoCase(std::string_view a, std::string_view b) noexcept;
bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;
bool StartsWithNoCase(std::string_view text, std::string_view prefix) noexcept;
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// Blanks are space, tab, CR, LF, vertical tab and form feed.
constexpr bool IsBlank(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
std::string_view TrimBlanks(std::string_view text) noexcept;

// Position of the end of the line that starts at or before `from`: the next LF,
// less one when a CR stands before it, or text.size() when there is none.
// `next` receives where the following line starts. Both CR LF and a bare LF end a
// line, so files written on either system read alike.
std::size_t FindLineEnd(std::string_view text, std::size_t from, std::size_t& next) noexcept;

// Replaces every CR LF by one blank, for messages printed on one line.
std::string OneLine(std::string_view message);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace verdanto
