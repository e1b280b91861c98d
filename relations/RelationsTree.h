#pragma once
// The relations tree without a window toolkit: the chain of references that
// starts at one object, grown one level ahead of what is open. In the
// Descending flow an object's object-list fields lead to the objects they name;
// in the Ascending flow its reference fields lead to the objects that name it.
// A chain that comes back to an object already on its path ends in "-> LOOP".
//
// Node kinds are told apart by the first letter of their text (G, C, O, F) or
// by the placeholder and loop texts, as the window shows them. Texts are store
// text (8-bit); the window widens them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layers/LayerList.h"
#include "store/Dictionary.h"

namespace verdanto {

enum class Flow : std::int32_t { Descending = 0, Ascending = 1 };

// One more than the largest object index: the item value of a potential object.
inline constexpr std::uint32_t kPotentialMarker = 0x10000;
inline constexpr std::string_view kPlaceholderText = "LINK";
inline constexpr std::string_view kLoopText = "-> LOOP";

// The window's three choices; the main window keeps them between openings.
struct RelationsOptions {
  Flow flow = Flow::Descending;
  LayerFilter layers = LayerFilter::OnlyCurrent;
  bool insertPotential = false;
  friend bool operator==(const RelationsOptions&, const RelationsOptions&) = default;
};

// The object (or class) the tree starts at, and what Select hands back.
struct RelationRoot {
  std::uint16_t group = 0;
  std::uint16_t classNo = 0;
  std::uint16_t hasObject = 0;  // 1: `object` is meant; 0: only the class (or a potential object)
  std::uint16_t object = 0;
  std::uint16_t field = 0;  // the chosen field row; 0 for an object node
  friend bool operator==(const RelationRoot&, const RelationRoot&) = default;
};

struct RelationNode {
  std::string text;
  std::uint32_t value = 0;  // group, class, object or field index; kPotentialMarker
  bool bold = false;
  bool expanded = false;
  RelationNode* parent = nullptr;
  std::vector<std::unique_ptr<RelationNode>> children;

  char Kind() const noexcept { return text.empty() ? '\0' : text[0]; }  // 'G', 'C', 'O', 'F', 'L', '-'
  RelationNode* FirstChild() const noexcept { return children.empty() ? nullptr : children.front().get(); }
  bool IsPlaceholderParent() const noexcept;  // its first child is the placeholder
};

// "A3 - Zone Name": the field's name, then " - " and its label when it has one.
std::string FieldCaption(const DictField& field);

class RelationsTree {
 public:
  // The store and layers are only read, and must outlive the tree.
  RelationsTree(const Dictionary& store, const LayerList& layers, const RelationRoot& root,
                const RelationsOptions& options);

  const RelationRoot& Root() const noexcept { return root_; }
  const RelationsOptions& Options() const noexcept { return options_; }
  const std::vector<std::unique_ptr<RelationNode>>& TopNodes() const noexcept { return top_; }
  RelationNode* Selected() const noexcept { return selected_; }

  // Clears the tree and builds the root chain; the object node ends selected.
  void BuildRoot();
  // The node is about to be expanded: every child that still holds the
  // placeholder is filled, so the tree stays one level ahead of what is open.
  void Expand(RelationNode& node);
  // Replaces an object node's placeholder by its real children.
  void FillNode(RelationNode& node);

  // Selects a node, moving on from a group node, or a class node with children,
  // to its first child. Null clears the selection.
  void Select(RelationNode* node);
  // The selected node as a root; the root as it was for any other node.
  RelationRoot ReadSelection() const;

  // Option changes as the window's controls make them. Each returns whether the
  // tree was rebuilt: a flow or layers radio rebuilds only on a new value, the
  // potential check box always.
  bool SetFlow(Flow flow);
  bool SetLayers(LayerFilter layers);
  void SetInsertPotential(bool on);
  // Select: the selection becomes the root (the tree is left as it is).
  void TakeSelection() { root_ = ReadSelection(); }
  // Change Root: the selection becomes the root, and the tree is built anew from it.
  void ChangeRoot();

  // Every built node, one a line, indented two spaces per level.
  std::string Dump() const;

 private:
  struct Place;
  RelationNode& Append(RelationNode& parent, std::string text, std::uint32_t value, bool bold = false);
  void AddObjectNode(RelationNode& parent, std::uint16_t g, std::uint16_t c, std::optional<std::uint16_t> o);
  bool IsOnPath(const RelationNode& groupNode, std::uint16_t g, std::uint16_t c,
                std::optional<std::uint16_t> o) const;
  std::string FieldText(std::uint16_t g, std::uint16_t c, std::uint16_t f,
                        std::optional<std::uint16_t> valueOf) const;
  std::string ObjectText(std::uint16_t g, std::uint16_t c, std::uint16_t o) const;
  void FillDescending(RelationNode& node, std::uint16_t g, std::uint16_t c, std::optional<std::uint16_t> o);
  void FillAscending(RelationNode& node, std::uint16_t g, std::uint16_t c, std::optional<std::uint16_t> o);
  void Rebuild();

  const Dictionary& store_;
  const LayerList& layers_;
  RelationRoot root_;
  RelationsOptions options_;
  std::vector<std::unique_ptr<RelationNode>> top_;
  RelationNode* selected_ = nullptr;
};

// Opens the root chain and every node below it down to `levels` object levels
// below the root object, as a user expanding everything would; the objects of
// the last level are filled but not opened.
void OpenObjectLevels(RelationsTree& tree, int levels);

// The class node above an object node: its parent, or the parent of a field node in between.
const RelationNode* ClassNodeAbove(const RelationNode& objectNode);

}  // namespace verdanto
