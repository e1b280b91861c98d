#pragma once
// Fresh pages fault in one by one as they are first written, and each fault
// costs about as much as filling the page. A reader that is about to fill a
// large block has the block's whole pages made present in one call instead.

#include <cstddef>

namespace verdanto {

// Only advice: where the system cannot, the pages fault in as before.
void PopulateForWriting(void* data, std::size_t bytes) noexcept;

}  // namespace verdanto
