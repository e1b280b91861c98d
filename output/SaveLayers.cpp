#include "output/SaveLayers.h"

#include <vector>

#include "output/IdfFile.h"
#include "base/Text.h"

namespace verdanto {
namespace {

WriteResult WriteWithProgress(const std::string& path, const Dictionary& store, std::span<const std::uint16_t> ids,
                              std::uint32_t objectCount, bool insertComments, ProgressSink& progress) {
  progress.SetRange(objectCount);
  return WriteIdfFile(path, store, ids, insertComments,
                      [&progress](std::uint32_t written) { progress.SetPosition(written); });
}

}  // namespace

SaveOutcome SaveLayerFile(const Dictionary& store, LayerList& layers, int index, bool insertComments,
                          Prompter& prompter, ProgressSink& progress) {
  Layer& layer = layers.At(index);
  const std::uint16_t ids[] = {layer.id};
  if (WriteWithProgress(layer.outputPath, store, ids, layer.objectCount, insertComments, progress) ==
      WriteResult::Ok) {
    layer.modified = false;
    return SaveOutcome::Saved;
  }
  const Answer answer = prompter.Show(
      Format("Unable to save %s file.\r\nProceed with following layers?", layer.outputPath.c_str()),
      kWriteErrorCaption, Icon::Error, Buttons::YesNo);
  return answer == Answer::Yes ? SaveOutcome::GoOn : SaveOutcome::Stop;
}

bool SaveAllTogether(const Dictionary& store, const LayerList& layers, std::span<const int> checked,
                     const std::string& path, bool insertComments, Prompter& prompter, ProgressSink& progress) {
  std::vector<std::uint16_t> ids;
  std::uint32_t objectCount = 0;
  for (const int index : checked) {
    ids.push_back(layers.At(index).id);
    objectCount += layers.At(index).objectCount;
  }
  if (WriteWithProgress(path, store, ids, objectCount, insertComments, progress) == WriteResult::Ok) return true;
  prompter.Show(Format("Unable to save %s file.", path.c_str()), kWriteErrorCaption, Icon::Error, Buttons::Ok);
  return false;
}

}  // namespace verdanto
