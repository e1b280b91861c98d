// Feeds any bytes to the DXF reader. Whatever it accepts, the writer must
// write so that the reader accepts it again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "drawing/DxfFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdanto;
  Drawing drawing;
  const DxfLoad load = LoadDxfText(std::string_view(reinterpret_cast<const char*>(data), size), drawing);
  if (!load.ok) return 0;
  Drawing again;
  if (!LoadDxfText(WriteDxfText(drawing), again).ok) std::abort();
  return 0;
}
