#include "output/IdfFile.h"

#include "base/SafeSave.h"

namespace verdanto {

bool FileSink::Write(std::string_view bytes) { return WriteAllBytes(fd_, bytes); }

WriteResult WriteIdfFile(const std::string& path, const Dictionary& store, std::span<const std::uint16_t> layerIds,
                         bool insertComments, const ObjectsWritten& objectsWritten) {
  const bool ok = SaveFileSafely(path, [&](int fd) {
    FileSink sink(fd);
    return WriteLayers(store, layerIds, insertComments, sink, objectsWritten);
  });
  return ok ? WriteResult::Ok : WriteResult::Failed;
}

}  // namespace verdanto
