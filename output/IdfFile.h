#pragma once
// Writing input files to disk. A file is written to a temporary file beside its
// target, flushed to the disk and only then renamed over the target, so a write
// that fails half-way (disk full, I/O error) leaves the old file as it was.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "output/IdfWriter.h"

namespace verdanto {

// Writes to an open file descriptor, which it does not own.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(int fd) : fd_(fd) {}
  bool Write(std::string_view bytes) override;

 private:
  int fd_;
};

enum class WriteResult { Ok, Failed };

// Writes the objects of the given layers to `path` (see WriteLayers). A target
// that is not a regular file, such as a device, is written in place.
WriteResult WriteIdfFile(const std::string& path, const Dictionary& store, std::span<const std::uint16_t> layerIds,
                         bool insertComments, const ObjectsWritten& objectsWritten = {});

}  // namespace verdanto
