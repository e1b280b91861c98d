#include <cstdio>
#include <span>
#include <string>

#include "base/Text.h"
#include "cli/Commands.h"
#include "cli/LoadInputs.h"
#include "cli/ObjectArgs.h"
#include "cli/StderrPrompter.h"
#include "cli/TakeOption.h"
#include "drawing/DrawingDocument.h"
#include "drawing/DxfFile.h"
#include "drawing/RegionMaking.h"
#include "output/SaveLayers.h"
#include "surface/SurfaceAnswers.h"
#include "surface/SurfaceFromRegion.h"
#include "surface/VertexFields.h"

namespace verdanto::cli {
namespace {

struct SurfaceOptions {
  std::string drawing;   // --dxf
  std::string handle;    // --entity
  std::string className;
  std::string object;    // --object N, empty: add a new object
  std::string ucs = "world";
  SurfaceChoices choices;
};

bool OneOf(const std::string& value, std::initializer_list<const char*> allowed) {
  for (const char* one : allowed)
    if (EqualsNoCase(value, one)) return true;
  return false;
}

// Takes the surface options out of args. False, with a line on stderr, on bad usage.
bool TakeSurfaceOptions(Args& args, SurfaceOptions& options) {
  std::string order, corner, shift, name;
  const bool given = TakeOption(args, "--dxf", options.drawing) && TakeOption(args, "--entity", options.handle) &&
                     TakeOption(args, "--class", options.className) && TakeOption(args, "--object", options.object) &&
                     TakeOption(args, "--order", order) && TakeOption(args, "--corner", corner) &&
                     TakeOption(args, "--shift", shift) && TakeOption(args, "--name", name) &&
                     TakeOption(args, "--ucs", options.ucs);
  options.choices.flip = TakeSwitch(args, "--flip");
  if (!given || options.drawing.empty() || options.handle.empty() || options.className.empty()) {
    std::fprintf(stderr, "verdanto surface: --dxf DRAWING, --entity HANDLE and --class C are needed\n");
    return false;
  }
  char* end = nullptr;
  const long steps = shift.empty() ? 0 : std::strtol(shift.c_str(), &end, 10);
  if ((!order.empty() && !OneOf(order, {"CCW", "CW"})) ||
      (!corner.empty() && !OneOf(corner, {"LLC", "LRC", "ULC", "URC"})) || !OneOf(options.ucs, {"world", "object"}) ||
      (!shift.empty() && (*end != '\0' || steps < -1000 || steps > 1000))) {
    std::fprintf(stderr, "verdanto surface: --order CCW|CW, --corner LLC|LRC|ULC|URC, --shift K, --ucs world|object\n");
    return false;
  }
  if (!order.empty()) options.choices.order = ToUpperAscii(order);
  if (!corner.empty()) options.choices.corner = ToUpperAscii(corner);
  options.choices.shift = static_cast<int>(steps);
  options.choices.name = name;
  return true;
}

// The entity as a region: a region as it is, a closed outline made into one
// as the REGION command makes it. The handle to pick; empty, with the reason
// on stderr, when the outline cannot become a region.
std::string RegionHandle(Drawing& drawing, const std::string& handle) {
  const Entity* entity = drawing.Find(handle);
  if (entity == nullptr || std::holds_alternative<Region>(entity->geometry)) return handle;
  const bool outline = std::holds_alternative<Polyline2d>(entity->geometry) ||
                       std::holds_alternative<Polyline3d>(entity->geometry) ||
                       std::holds_alternative<Face3d>(entity->geometry) ||
                       std::holds_alternative<Circle>(entity->geometry);
  if (!outline) return handle;  // the dialogue refuses it
  const RegionCommandResult made = MakeRegions(drawing, {handle});
  if (made.regions.size() == 1) return made.regions[0];
  for (const std::string& message : made.messages) std::fprintf(stderr, "verdanto surface: %s\n", message.c_str());
  return {};
}

// As the host's UCS Object option does.
void AlignUcsWithRegion(DrawingDocument& document, EntityId region) {
  const auto plane = document.RegionPlane(region);
  if (!plane) return;
  if (const auto ucs = MakeUcs(plane->origin, plane->axis1, plane->axis2)) document.SetUcs(*ucs);
}

}  // namespace

// Makes the vertices of a surface object from a region of a DXF drawing, with
// the editor's dialogue answered by the options, writes the input anew and
// prints the vertices. Exit status: 0; 1 when the region is refused or the
// output cannot be written (nothing is written then); 2 on bad usage, an
// unreadable input or drawing, an unknown class or object.
int RunSurface(const Args& arguments) {
  Args args = arguments;
  SurfaceOptions surface;
  if (!TakeSurfaceOptions(args, surface)) return 2;
  InputOptions options;
  if (!ParseInputOptions(args, true, options)) return 2;
  if (options.inputs.size() != 1) {
    std::fprintf(stderr, "verdanto surface: one input file is needed\n");
    return 2;
  }

  Dictionary store;
  LayerList layers;
  StderrPrompter prompter;
  LoadedInputs loaded;
  if (!LoadDictionaryAndInputs(options, store, layers, prompter, loaded) || !loaded.inputs[0].read) return 2;
  std::uint16_t g = 0, c = 0, o = 0;
  if (!FindObjectClass(store, surface.className, g, c, "surface")) return 2;
  if (!surface.object.empty() && !ReadObjectNumber(store, g, c, surface.object, o, "surface")) return 2;
  const bool overwrite = !surface.object.empty();
  DictClass& dictClass = store.GetClass(g, c);
  SurfaceRequest request;
  request.maxVertices = CountVertexTriples(dictClass);
  if (request.maxVertices < 3) {
    std::fprintf(stderr, "verdanto surface: %s has no room for three vertices\n", dictClass.name.str().c_str());
    return 2;
  }
  request.asksName = HasSurfaceNameField(dictClass);
  if (overwrite && request.asksName) request.defaultName = dictClass.fields[0].values[o].value.str();

  Drawing drawing;
  const DxfLoad load = LoadDxfFile(surface.drawing, drawing);
  if (!load.ok) {
    std::fprintf(stderr, "verdanto surface: %s: %s\n", surface.drawing.c_str(), load.error.c_str());
    return 2;
  }
  const std::string region = RegionHandle(drawing, surface.handle);
  if (region.empty()) return 1;
  DrawingDocument document(drawing, surface.drawing);
  surface.choices.entity = DrawingDocument::IdOf(region);
  if (EqualsNoCase(surface.ucs, "object")) AlignUcsWithRegion(document, surface.choices.entity);

  AnswerScript script;
  script.echo = [](std::string_view text) { std::fprintf(stderr, "%.*s", static_cast<int>(text.size()), text.data()); };
  ScriptSurfaceAnswers(surface.choices, script);
  SurfaceSettings settings;
  const SurfaceResult result = RunSurfaceFromRegion(script, document, request, settings);
  if (!result.accepted) {
    std::fprintf(stderr, "\n");
    return 1;
  }

  const std::uint16_t layerId = loaded.inputs[0].layerId;
  const int layer = layers.ItemOfLayerId(layerId);
  if (!overwrite) {
    o = store.AddObject(g, c, layerId);
    ++layers.At(layer).objectCount;
  }
  layers.At(layer).modified = true;
  if (!result.name.empty()) dictClass.GetValue(0, o).value = result.name;
  WriteVertexFields(dictClass, o, result.vertices, overwrite);

  NullProgress progress;
  if (!SaveAllTogether(store, layers, std::span(&layer, 1), options.output, options.comments, prompter, progress))
    return 1;
  std::string out;
  for (std::size_t k = 0; k < result.vertices.size(); ++k) {
    const Vec3& v = result.vertices[k];
    out += Format("%zu\t", k + 1) + FieldNumber(v.x) + "\t" + FieldNumber(v.y) + "\t" + FieldNumber(v.z) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace verdanto::cli
