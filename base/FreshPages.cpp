#include "base/FreshPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace verdanto {

void PopulateForWriting(void* data, std::size_t bytes) noexcept {
#ifdef MADV_POPULATE_WRITE
  static const auto kPage = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = (first + kPage - 1) / kPage * kPage;
  const std::uintptr_t end = (first + bytes) / kPage * kPage;
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace verdanto
