#include "CadSession.h"

#include <cmath>
#include <filesystem>
#include <numbers>

#include "PromptInput.h"
#include "base/Text.h"
#include "drawing/DxfFile.h"
#include "drawing/Geometry.h"
#include "drawing/RegionMaking.h"

namespace cadhost {

using verdanto::PromptStatus;
using verdanto::Vec3;

namespace {

constexpr std::string_view kCommands[] = {"NEW", "OPEN", "SAVEAS", "REGION", "SUBTRACT", "ERASE", "UCS",
                                          "VIEW", "ZOOM", "LINE", "PLINE", "3DFACE"};

void PrintLine(CommandConsole& console, const std::string& text) { console.Print("\n" + text); }

// Handles picked one by one until Enter; none when cancelled.
std::optional<std::vector<std::string>> SelectMany(CommandConsole& console, std::string_view prompt) {
  std::vector<std::string> handles;
  while (true) {
    const verdanto::PickAnswer pick = console.SelectEntity(prompt);
    if (pick.status == PromptStatus::Cancelled) return std::nullopt;
    if (pick.status == PromptStatus::Empty) return handles;
    const std::string handle = verdanto::HandleText(pick.entity);
    if (std::find(handles.begin(), handles.end(), handle) == handles.end()) handles.push_back(handle);
    PrintLine(console, std::to_string(handles.size()) + " found");
  }
}

// A point in world coordinates, or one of `keywords`.
struct PointInput {
  PromptStatus status = PromptStatus::Cancelled;
  Vec3 point;
  std::string keyword;  // when a keyword was given instead
};

PointInput AskPoint(CommandConsole& console, const verdanto::DrawingDocument& document, std::string_view prompt,
                    std::string_view keywords = {}) {
  while (true) {
    const verdanto::PromptAnswer answer = console.GetPoint(prompt);
    if (answer.status != PromptStatus::Ok) return {answer.status, {}, {}};
    if (const auto point = ParsePoint(answer.text)) return {PromptStatus::Ok, document.UcsToWorldPoint(*point), {}};
    if (auto keyword = MatchKeyword(keywords, answer.text)) return {PromptStatus::Ok, {}, std::move(*keyword)};
    PrintLine(console, "Point or option keyword required.");
  }
}

void Cancelled(CommandConsole& console) { PrintLine(console, "*Cancel*"); }

// The file named after the command, or else asked for; nothing when the user
// cancels (which is said) or enters no name.
std::optional<std::string> FilePath(std::string path, std::string_view prompt, CommandConsole& console) {
  if (!path.empty()) return path;
  const verdanto::PromptAnswer answer = console.GetString(prompt, true);
  if (answer.status != PromptStatus::Ok) {
    Cancelled(console);
    return std::nullopt;
  }
  path = std::string(verdanto::TrimBlanks(answer.text));
  if (path.empty()) return std::nullopt;
  return path;
}

}  // namespace

verdanto::ViewPlane ViewPlaneFor(NamedView view, const verdanto::Ucs& ucs) {
  switch (view) {
    case NamedView::Plan: return {ucs.xAxis, ucs.yAxis};
    case NamedView::Top: return {{1, 0, 0}, {0, 1, 0}};
    case NamedView::Front: return {{1, 0, 0}, {0, 0, 1}};
    case NamedView::Right: return {{0, 1, 0}, {0, 0, 1}};
    case NamedView::SwIso:
      // Seen from (-1, -1, 1) towards the origin.
      return {verdanto::Normalized({1, -1, 0}), verdanto::Normalized({1, 1, 2})};
  }
  return {};
}

bool CadSession::IsCommand(std::string_view name) {
  const std::string upper = verdanto::ToUpperAscii(name);
  return std::find(std::begin(kCommands), std::end(kCommands), upper) != std::end(kCommands);
}

bool CadSession::Run(std::string_view line, CommandConsole& console) {
  const std::string trimmed(verdanto::TrimBlanks(line));
  const std::size_t blank = trimmed.find(' ');
  const std::string name = verdanto::ToUpperAscii(trimmed.substr(0, blank));
  std::string argument = blank == std::string::npos ? "" : std::string(verdanto::TrimBlanks(trimmed.substr(blank)));
  if (!IsCommand(name)) return false;
  if (name == "NEW") New(console);
  else if (name == "OPEN") Open(std::move(argument), console);
  else if (name == "SAVEAS") SaveAs(std::move(argument), console);
  else if (name == "REGION") MakeRegion(console);
  else if (name == "SUBTRACT") Subtract(console);
  else if (name == "ERASE") Erase(console);
  else if (name == "UCS") SetUcs(console);
  else if (name == "VIEW") SetView(std::move(argument), console);
  else if (name == "ZOOM") Zoom(std::move(argument), console);
  else if (name == "LINE") DrawLines(console);
  else if (name == "PLINE") DrawPolyline(console);
  else if (name == "3DFACE") DrawFace(console);
  return true;
}

void CadSession::New(CommandConsole&) {
  drawing_.Clear();
  document_.SetUcs({});
  document_.SetName("Drawing1.dwg");
  view_ = NamedView::Plan;
  ZoomExtents();
}

void CadSession::Open(std::string argument, CommandConsole& console) {
  const auto chosen = FilePath(std::move(argument), "\nEnter name of drawing to open: ", console);
  if (!chosen) return;
  const std::string& path = *chosen;
  const verdanto::DxfLoad load = verdanto::LoadDxfFile(path, drawing_);
  if (!load.ok) return PrintLine(console, load.error);
  for (const auto& note : load.notes) PrintLine(console, note);
  document_.SetName(std::filesystem::path(path).filename().string());
  document_.SetUcs({});
  PrintLine(console, "Opened " + path + ": " + std::to_string(drawing_.size()) + " entities.");
  ZoomExtents();
}

void CadSession::SaveAs(std::string argument, CommandConsole& console) {
  const auto chosen = FilePath(std::move(argument), "\nEnter file name: ", console);
  if (!chosen) return;
  const std::string& path = *chosen;
  std::string error;
  if (!verdanto::SaveDxfFile(path, drawing_, error)) return PrintLine(console, error);
  document_.SetName(std::filesystem::path(path).filename().string());
  PrintLine(console, "Saved " + path + ".");
}

void CadSession::MakeRegion(CommandConsole& console) {
  const auto handles = SelectMany(console, "\nSelect objects: ");
  if (!handles) return Cancelled(console);
  const verdanto::RegionCommandResult result = verdanto::MakeRegions(drawing_, *handles);
  for (const auto& message : result.messages) PrintLine(console, message);
}

void CadSession::Subtract(CommandConsole& console) {
  const verdanto::PickAnswer outer = console.SelectEntity("\nSelect the region to subtract from: ");
  if (outer.status != PromptStatus::Ok) return Cancelled(console);
  const auto inner = SelectMany(console, "\nSelect regions to subtract: ");
  if (!inner) return Cancelled(console);
  const verdanto::SubtractResult result = verdanto::SubtractRegions(drawing_, verdanto::HandleText(outer.entity), *inner);
  for (const auto& message : result.messages) PrintLine(console, message);
  PrintLine(console, std::to_string(result.subtracted) + " regions subtracted.");
}

void CadSession::Erase(CommandConsole& console) {
  const auto handles = SelectMany(console, "\nSelect objects: ");
  if (!handles) return Cancelled(console);
  int erased = 0;
  for (const auto& handle : *handles) erased += drawing_.Erase(handle) ? 1 : 0;
  PrintLine(console, std::to_string(erased) + " erased.");
}

void CadSession::SetUcs(CommandConsole& console) {
  const verdanto::PromptAnswer option =
      console.GetKeyword("World 3point X Y Z Object", "\nEnter an option [World/3point/X/Y/Z/Object] <World>: ");
  if (option.status == PromptStatus::Cancelled) return Cancelled(console);
  const std::string chosen = option.status == PromptStatus::Empty ? "World" : option.text;
  if (chosen == "World") {
    document_.SetUcs({});
  } else if (chosen == "3point") {
    const PointInput origin = AskPoint(console, document_, "\nSpecify new origin point <0,0,0>: ");
    if (origin.status == PromptStatus::Cancelled) return Cancelled(console);
    const Vec3 from = origin.status == PromptStatus::Ok ? origin.point : document_.UcsToWorldPoint({});
    const PointInput onX = AskPoint(console, document_, "\nSpecify point on positive portion of X-axis: ");
    if (onX.status != PromptStatus::Ok) return Cancelled(console);
    const PointInput onY = AskPoint(console, document_, "\nSpecify point on positive-Y portion of the UCS XY plane: ");
    if (onY.status != PromptStatus::Ok) return Cancelled(console);
    const auto ucs = verdanto::MakeUcs(from, onX.point - from, onY.point - from);
    if (!ucs) return PrintLine(console, "The three points do not define a plane.");
    document_.SetUcs(*ucs);
  } else if (chosen == "X" || chosen == "Y" || chosen == "Z") {
    while (true) {
      const verdanto::PromptAnswer answer =
          console.GetString("\nSpecify rotation angle about " + chosen + " axis <90>: ", false);
      if (answer.status != PromptStatus::Ok) return Cancelled(console);
      const auto degrees = answer.text.empty() ? std::optional<double>(90) : ParseNumber(answer.text);
      if (!degrees) {
        PrintLine(console, "Requires a number.");
        continue;
      }
      const int axis = chosen[0] - 'X';
      document_.SetUcs(verdanto::RotateUcs(document_.ucs(), axis, *degrees * std::numbers::pi / 180));
      break;
    }
  } else {  // Object
    const verdanto::PickAnswer pick = console.SelectEntity("\nSelect a region to align UCS: ");
    if (pick.status != PromptStatus::Ok) return Cancelled(console);
    const auto plane = document_.RegionPlane(pick.entity);
    if (!plane) return PrintLine(console, "That is not a region.");
    const auto ucs = verdanto::MakeUcs(plane->origin, plane->axis1, plane->axis2);
    if (!ucs) return PrintLine(console, "The region has no plane.");
    document_.SetUcs(*ucs);
  }
}

void CadSession::SetView(std::string argument, CommandConsole& console) {
  constexpr std::string_view keywords = "TOP FRONT RIGHT SWISO Plan";
  auto chosen = MatchKeyword(keywords, argument);
  while (!chosen) {
    const verdanto::PromptAnswer answer = console.GetKeyword(keywords, "\nEnter a view [TOP/FRONT/RIGHT/SWISO/Plan]: ");
    if (answer.status != PromptStatus::Ok) return Cancelled(console);
    chosen = answer.text;
  }
  view_ = *chosen == "TOP"     ? NamedView::Top
          : *chosen == "FRONT" ? NamedView::Front
          : *chosen == "RIGHT" ? NamedView::Right
          : *chosen == "SWISO" ? NamedView::SwIso
                               : NamedView::Plan;
  ZoomExtents();
}

void CadSession::Zoom(std::string argument, CommandConsole& console) {
  auto chosen = MatchKeyword("Extents", argument);
  while (!chosen) {
    const verdanto::PromptAnswer answer = console.GetKeyword("Extents", "\nEnter an option [Extents]: ");
    if (answer.status != PromptStatus::Ok) return Cancelled(console);
    chosen = answer.text;
  }
  ZoomExtents();
}

void CadSession::DrawLines(CommandConsole& console) {
  const PointInput first = AskPoint(console, document_, "\nSpecify first point: ");
  if (first.status != PromptStatus::Ok) return;
  Vec3 from = first.point;
  int drawn = 0;
  while (true) {
    const PointInput next =
        AskPoint(console, document_, drawn >= 2 ? "\nSpecify next point or [Close]: " : "\nSpecify next point: ",
                 drawn >= 2 ? "Close" : "");
    if (next.status != PromptStatus::Ok) return;
    const Vec3 to = next.keyword.empty() ? next.point : first.point;
    drawing_.Add(verdanto::Line{from, to});
    ++drawn;
    if (!next.keyword.empty()) return;
    from = to;
  }
}

void CadSession::DrawPolyline(CommandConsole& console) {
  std::vector<Vec3> points;
  bool closed = false;
  while (true) {
    const PointInput next = AskPoint(console, document_,
                                     points.empty()        ? "\nSpecify start point: "
                                     : points.size() >= 2 ? "\nSpecify next point or [Close]: "
                                                          : "\nSpecify next point: ",
                                     points.size() >= 2 ? "Close" : "");
    if (next.status == PromptStatus::Cancelled) return Cancelled(console);
    if (next.status == PromptStatus::Empty) break;
    if (!next.keyword.empty()) {
      closed = true;
      break;
    }
    points.push_back(next.point);
  }
  if (points.size() < 2) return;
  // Points at one height of the UCS make a 2D polyline in the UCS plane, others a 3D polyline.
  const Vec3 normal = document_.ucs().zAxis;
  const double elevation = verdanto::WorldToOcs(points[0], normal).z;
  const bool flat = std::all_of(points.begin(), points.end(), [&](Vec3 p) {
    return std::abs(verdanto::WorldToOcs(p, normal).z - elevation) <= 1e-9 * (1 + std::abs(elevation));
  });
  if (flat) {
    verdanto::Polyline2d polyline{{}, closed, elevation, normal};
    for (const Vec3 point : points) {
      const Vec3 ocs = verdanto::WorldToOcs(point, normal);
      polyline.vertices.push_back({ocs.x, ocs.y, 0});
    }
    drawing_.Add(std::move(polyline));
  } else {
    drawing_.Add(verdanto::Polyline3d{points, closed});
  }
}

void CadSession::DrawFace(CommandConsole& console) {
  static constexpr std::string_view kPrompts[] = {"\nSpecify first point: ", "\nSpecify second point: ",
                                                  "\nSpecify third point: ",
                                                  "\nSpecify fourth point or <create three-side face>: "};
  verdanto::Face3d face;
  for (std::size_t corner = 0; corner < 4; ++corner) {
    const PointInput point = AskPoint(console, document_, kPrompts[corner]);
    if (point.status == PromptStatus::Empty && corner == 3) {
      face.corners[3] = face.corners[2];
      break;
    }
    if (point.status != PromptStatus::Ok) return Cancelled(console);
    face.corners[corner] = point.point;
  }
  drawing_.Add(face);
}

}  // namespace cadhost
