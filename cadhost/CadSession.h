#pragma once
// The host's own drawing commands, without a toolkit: a current drawing, its
// document, the view, and commands that hold their dialogue through a console
// (the window's command line, or a script in tests).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/Drawing.h"
#include "drawing/DrawingDocument.h"
#include "drawing/Pick.h"
#include "host/HostDocument.h"

namespace cadhost {

// The command line as the host's own commands use it.
class CommandConsole : public verdanto::HostCommandLine {
 public:
  // Like PickEntity, but a click that hits nothing keeps waiting: Empty is Enter alone.
  virtual verdanto::PickAnswer SelectEntity(std::string_view prompt) = 0;
  // A point typed as "x,y[,z]" in the current UCS, or clicked in the view (which
  // types its UCS coordinates), or a keyword: Ok with the text, Empty on Enter
  // alone, Cancelled on Escape.
  virtual verdanto::PromptAnswer GetPoint(std::string_view prompt) = 0;
};

enum class NamedView { Plan, Top, Front, Right, SwIso };

// The directions a view looks along: a plan view of the UCS, or a named one.
verdanto::ViewPlane ViewPlaneFor(NamedView view, const verdanto::Ucs& ucs);

class CadSession {
 public:
  CadSession() = default;
  CadSession(const CadSession&) = delete;
  CadSession& operator=(const CadSession&) = delete;

  verdanto::Drawing& drawing() { return drawing_; }
  verdanto::DrawingDocument& document() { return document_; }
  NamedView view() const { return view_; }
  verdanto::ViewPlane viewPlane() const { return ViewPlaneFor(view_, document_.ucs()); }

  // Runs one command line (a name, then maybe an argument); false when the
  // name is not one of these commands.
  bool Run(std::string_view line, CommandConsole& console);
  static bool IsCommand(std::string_view name);

  // Asked for when the drawing should be shown whole (ZOOM E, OPEN, VIEW).
  std::function<void()> zoomExtents;

 private:
  void New(CommandConsole& console);
  void Open(std::string path, CommandConsole& console);
  void SaveAs(std::string path, CommandConsole& console);
  void MakeRegion(CommandConsole& console);
  void Subtract(CommandConsole& console);
  void Erase(CommandConsole& console);
  void SetUcs(CommandConsole& console);
  void SetView(std::string argument, CommandConsole& console);
  void Zoom(std::string argument, CommandConsole& console);
  void DrawLines(CommandConsole& console);
  void DrawPolyline(CommandConsole& console);
  void DrawFace(CommandConsole& console);
  void ZoomExtents() {
    if (zoomExtents) zoomExtents();
  }

  verdanto::Drawing drawing_;
  verdanto::DrawingDocument document_{drawing_, "Drawing1.dwg"};
  NamedView view_ = NamedView::Plan;
};

}  // namespace cadhost
