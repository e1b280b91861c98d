#pragma once
// A small dictionary with every kind of reference the relations tree meets, and
// objects on three layers: "0" (current), "B" (on) and "C" (off).
//
//   Zones: Zone (Name fills ZoneNames and SpaceNames),
//          Node (Name fills NodeNames, Next Node names one)
//   Gear:  Lamp (Space Name and Zone Name name zones through the two lists),
//          Wall (Name fills WallNames, Zone Name names a zone),
//          Window (Wall Name names a wall)
//
// Nodes: N1 names itself, A and B name each other. Walls: W1 and W2 (as "z1")
// name Z1, W3 names Z1 on the switched-off layer, W4 names Z2 on layer B.

#include <cstdint>
#include <string_view>

#include "base/Platform.h"
#include "layers/LayerList.h"
#include "layers/OpenFiles.h"
#include "store/Dictionary.h"
#include "store/IddReader.h"
#include "store/IdfReader.h"

namespace verdanto::testing {

inline constexpr std::string_view kRelationsIdd = R"(!IDD_Version 1.0
\group Zones
Zone,
  A1 ; \field Name
       \reference ZoneNames
       \reference SpaceNames
Node,
  A1 , \field Name
       \reference NodeNames
  A2 ; \field Next Node
       \type object-list
       \object-list NodeNames
\group Gear
Lamp,
  A1 , \field Name
  A2 , \field Space Name
       \type object-list
       \object-list SpaceNames
  A3 ; \field Zone Name
       \type object-list
       \object-list ZoneNames
Wall,
  A1 , \field Name
       \reference WallNames
  A2 ; \field Zone Name
       \type object-list
       \object-list ZoneNames
Window,
  A1 , \field Name
  A2 ; \field Wall Name
       \type object-list
       \object-list WallNames
)";

inline constexpr std::string_view kRelationsLayer0 = R"(
Zone,Z1;
Zone,Z2;
Node,N1,N1;
Node,A,B;
Node,B,A;
Lamp,L1,Z1,Z1;
Wall,W1,Z1;
Wall,W2,z1;
Window,Win1,W1;
Window,Win2,Missing;
)";
inline constexpr std::string_view kRelationsLayerB = "Wall,W4,Z2;\n";
inline constexpr std::string_view kRelationsLayerC = "Wall,W3,Z1;\n";

struct RelationsSample {
  // Group and class positions of the sample dictionary.
  static constexpr std::uint16_t zones = 0, zone = 0, node = 1;
  static constexpr std::uint16_t gear = 1, lamp = 0, wall = 1, window = 2;
  // Object positions: layer "0" objects come first, then those of B and C.
  static constexpr std::uint16_t w1 = 0, w2 = 1, w4 = 2, w3 = 3;

  Dictionary store;
  LayerList layers;

  RelationsSample() {
    NullProgress progress;
    class Silent final : public Prompter {
      Answer Show(std::string_view, std::string_view, Icon, Buttons) override { return Answer::Ok; }
    } prompter;
    LoadDictionaryText(kRelationsIdd, "relations.idd", store, progress, prompter);
    ObjectTreeObserver noTree;
    for (const auto& [name, text] : {std::pair{"0", kRelationsLayer0}, std::pair{"B", kRelationsLayerB},
                                     std::pair{"C", kRelationsLayerC}}) {
      const int index = layers.AddLayer(name, "");
      LoadInputText(text, store, progress, prompter);
      HandReadObjectsToLayer(store, layers, index, noTree);
    }
    layers.SetLayerOn(layers.FindLayerByName("C"), false);
    layers.SetCurrentLayer(layers.FindLayerByName("0"));
  }
};

}  // namespace verdanto::testing
