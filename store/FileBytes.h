#pragma once
// Reads a file whole with one read, as every reader of the system does.

#include <cstdint>
#include <string>

namespace verdanto {

enum class ReadStatus { Ok, CannotOpen, CannotRead, TooLarge };

// Reads at most `limit` bytes; a longer file gives TooLarge and an empty text.
// The text is cut at its first NUL byte, as a C text would end there.
ReadStatus ReadWholeFile(const std::string& path, std::string& text,
                         std::uint64_t limit = (std::uint64_t{1} << 32) - 1);

}  // namespace verdanto
