#include "relations/RelationsTree.h"

#include <algorithm>

#include "relations/ReferenceIndex.h"

namespace verdanto {
namespace {

constexpr std::string_view kGroupPrefix = "GROUP: ";
constexpr std::string_view kClassPrefix = "CLASS: ";
constexpr std::string_view kObjectPrefix = "OBJECT: ";
constexpr std::string_view kPotentialText = "OBJECT: <POTENTIAL>";
constexpr std::string_view kListFieldPrefix = "FIELD (OL): ";
constexpr std::string_view kRefFieldPrefix = "FIELD (R): ";

bool IsReferenceField(const DictField& field) {
  return field.type() != FieldType::ObjectList && !field.refNames.empty();
}
bool IsListField(const DictField& field) { return field.type() == FieldType::ObjectList && !field.refNames.empty(); }

std::string Concat(std::string_view a, std::string_view b) {
  std::string text;
  text.reserve(a.size() + b.size());
  text.append(a).append(b);
  return text;
}

void AppendDump(const RelationNode& node, int depth, std::string& out) {
  out.append(static_cast<std::size_t>(depth) * 2, ' ').append(node.text).push_back('\n');
  for (const auto& child : node.children) AppendDump(*child, depth + 1, out);
}

}  // namespace

bool RelationNode::IsPlaceholderParent() const noexcept {
  const RelationNode* first = FirstChild();
  return first != nullptr && first->text.starts_with(kPlaceholderText);
}

std::string FieldCaption(const DictField& field) {
  std::string text = field.name.str();
  if (!field.label.empty()) text.append(" - ").append(field.label.view());
  return text;
}

const RelationNode* ClassNodeAbove(const RelationNode& objectNode) {
  const RelationNode* parent = objectNode.parent;
  if (parent == nullptr || parent->Kind() == 'C') return parent;
  return parent->parent;
}

// One level of the Ascending builder's sorted placement: the node used last
// under the current parent, and how the last placement went.
struct RelationsTree::Place {
  enum Outcome { Added, Searched, Reused };
  RelationNode* last = nullptr;

  // Finds or inserts the child of `parent` with item value v, keeping the
  // children ascending by value; the search starts at the node used last.
  template <typename MakeText>
  Outcome Put(RelationNode& parent, std::uint32_t v, const MakeText& makeText, RelationNode*& placed) {
    auto& kids = parent.children;
    if (last != nullptr && last->parent != &parent) last = parent.FirstChild();
    std::size_t at = kids.size();
    if (last != nullptr) {
      if (last->value == v) {
        placed = last;
        return Reused;
      }
      const auto lastAt = static_cast<std::size_t>(
          std::find_if(kids.begin(), kids.end(), [&](const auto& kid) { return kid.get() == last; }) - kids.begin());
      if (last->value > v) {
        at = 0;
        for (std::size_t i = lastAt; i-- > 0;) {
          if (kids[i]->value == v) return Use(kids[i].get(), placed);
          if (kids[i]->value < v) {
            at = i + 1;
            break;
          }
        }
      } else {
        for (std::size_t i = lastAt + 1; i < kids.size(); ++i) {
          if (kids[i]->value == v) return Use(kids[i].get(), placed);
          if (kids[i]->value > v) {
            at = i;
            break;
          }
        }
      }
    }
    auto node = std::make_unique<RelationNode>();
    node->text = makeText();
    node->value = v;
    node->parent = &parent;
    placed = last = node.get();
    kids.insert(kids.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
    return Added;
  }

  Outcome Use(RelationNode* node, RelationNode*& placed) {
    placed = last = node;
    return Searched;
  }
  // How the level below this one starts after a placement here.
  static void Follow(Outcome outcome, const RelationNode& placed, Place& below) {
    if (outcome == Added) below.last = nullptr;
    if (outcome == Searched) below.last = placed.FirstChild();
  }
};

RelationsTree::RelationsTree(const Dictionary& store, const LayerList& layers, const RelationRoot& root,
                             const RelationsOptions& options)
    : store_(store), layers_(layers), root_(root), options_(options) {}

RelationNode& RelationsTree::Append(RelationNode& parent, std::string text, std::uint32_t value, bool bold) {
  auto node = std::make_unique<RelationNode>();
  node->text = std::move(text);
  node->value = value;
  node->bold = bold;
  node->parent = &parent;
  return *parent.children.emplace_back(std::move(node));
}

std::string RelationsTree::ObjectText(std::uint16_t g, std::uint16_t c, std::uint16_t o) const {
  std::string text(kObjectPrefix);
  text.append("<Object ").append(std::to_string(o + 1)).append("> \"");
  text.append(ObjectName(store_, g, c, o)).push_back('"');
  return text;
}

std::string RelationsTree::FieldText(std::uint16_t g, std::uint16_t c, std::uint16_t f,
                                     std::optional<std::uint16_t> valueOf) const {
  const DictField& field = store_.GetField(g, c, f);
  std::string text = FieldCaption(field);
  if (valueOf) text.append(" = \"").append(field.values[*valueOf].value.view()).push_back('"');
  return text;
}

// The loop rule: walks the object nodes of the path from the field node above
// `groupNode` up to the root, looking for the new object (or, for a potential
// object, its class).
bool RelationsTree::IsOnPath(const RelationNode& groupNode, std::uint16_t g, std::uint16_t c,
                             std::optional<std::uint16_t> o) const {
  for (const RelationNode* fieldNode = groupNode.parent; fieldNode != nullptr;) {
    const RelationNode* objectNode = fieldNode->parent;
    if (objectNode == nullptr) return false;
    const RelationNode* classNode = ClassNodeAbove(*objectNode);
    if (classNode == nullptr || classNode->parent == nullptr) return false;
    const RelationNode* groupAbove = classNode->parent;
    if (groupAbove->value == g && classNode->value == c && (!o || objectNode->value == *o)) return true;
    fieldNode = groupAbove->parent;
  }
  return false;
}

// An object node (or a potential one) under a field node, with its one child.
void RelationsTree::AddObjectNode(RelationNode& parent, std::uint16_t g, std::uint16_t c,
                                  std::optional<std::uint16_t> o) {
  RelationNode& node = o ? Append(parent, ObjectText(g, c, *o), *o, true)
                         : Append(parent, std::string(kPotentialText), kPotentialMarker, true);
  const RelationNode* groupNode = parent.parent != nullptr ? parent.parent->parent : nullptr;
  const bool loop = groupNode != nullptr && IsOnPath(*groupNode, g, c, o);
  Append(node, std::string(loop ? kLoopText : kPlaceholderText), 0);
}

void RelationsTree::BuildRoot() {
  top_.clear();
  selected_ = nullptr;
  const std::uint16_t g = root_.group, c = root_.classNo;
  auto groupNode = std::make_unique<RelationNode>();
  groupNode->text = Concat(kGroupPrefix, store_.GetGroup(g).name);
  groupNode->value = g;
  RelationNode& group = *top_.emplace_back(std::move(groupNode));
  RelationNode& cls = Append(group, Concat(kClassPrefix, store_.GetClass(g, c).name), c);
  Expand(group);
  RelationNode* object = nullptr;
  if (root_.hasObject != 0)
    object = &Append(cls, ObjectText(g, c, root_.object), root_.object, true);
  else if (options_.insertPotential)
    object = &Append(cls, std::string(kPotentialText), kPotentialMarker, true);
  if (object == nullptr) {
    selected_ = &cls;
    return;
  }
  Append(*object, std::string(kPlaceholderText), 0);
  Expand(cls);
  selected_ = object;
}

void RelationsTree::Expand(RelationNode& node) {
  for (const auto& child : node.children)
    if (child->IsPlaceholderParent()) FillNode(*child);
  node.expanded = true;
}

void RelationsTree::FillNode(RelationNode& node) {
  if (!node.IsPlaceholderParent()) return;
  node.children.erase(node.children.begin());
  const RelationNode* classNode = ClassNodeAbove(node);
  if (classNode == nullptr || classNode->parent == nullptr) return;
  const auto g = static_cast<std::uint16_t>(classNode->parent->value);
  const auto c = static_cast<std::uint16_t>(classNode->value);
  const std::optional<std::uint16_t> o =
      node.value == kPotentialMarker ? std::nullopt : std::optional(static_cast<std::uint16_t>(node.value));
  if (options_.flow == Flow::Descending)
    FillDescending(node, g, c, o);
  else
    FillAscending(node, g, c, o);
}

void RelationsTree::FillDescending(RelationNode& node, std::uint16_t g, std::uint16_t c,
                                   std::optional<std::uint16_t> o) {
  const DictClass& cls = store_.GetClass(g, c);
  std::int32_t lastField = -1, lastGroup = -1, lastClass = -1;
  RelationNode *fieldNode = nullptr, *groupNode = nullptr, *classNode = nullptr;
  for (std::uint16_t f = 0; f < cls.fieldCount(); ++f) {
    if (!IsListField(cls.fields[f])) continue;
    std::optional<std::string_view> value;
    if (o) value = cls.fields[f].values[*o].value.view();
    // The field, group and class nodes of a match, shared with the match before when alike.
    const auto reach = [&](std::uint16_t g2, std::uint16_t c2) {
      if (lastField != f) {
        lastField = f;
        lastGroup = -1;
        fieldNode = &Append(node, Concat(kListFieldPrefix, FieldText(g, c, f, o)), f);
      }
      if (lastGroup != g2) {
        lastGroup = g2;
        lastClass = -1;
        groupNode = &Append(*fieldNode, Concat(kGroupPrefix, store_.GetGroup(g2).name), g2);
      }
      if (lastClass != c2) {
        lastClass = c2;
        classNode = &Append(*groupNode, Concat(kClassPrefix, store_.GetClass(g2, c2).name), c2);
      }
    };
    for (const PartnerMatch& match : ReferencedObjects(store_, layers_, g, c, f, value, options_.layers)) {
      const auto [g2, c2, f2] = match.partner;
      for (const std::uint16_t o2 : match.objects) {
        reach(g2, c2);
        RelationNode& refField = Append(*classNode, Concat(kRefFieldPrefix, FieldText(g2, c2, f2, o2)), f2);
        AddObjectNode(refField, g2, c2, o2);
      }
      if (match.objects.empty() && options_.insertPotential) {
        reach(g2, c2);
        RelationNode& refField =
            Append(*classNode, Concat(kRefFieldPrefix, FieldText(g2, c2, f2, std::nullopt)), f2);
        AddObjectNode(refField, g2, c2, std::nullopt);
      }
    }
  }
}

void RelationsTree::FillAscending(RelationNode& node, std::uint16_t g, std::uint16_t c,
                                  std::optional<std::uint16_t> o) {
  const DictClass& cls = store_.GetClass(g, c);
  std::int32_t lastField = -1;
  RelationNode* refField = nullptr;
  Place groups, classes, fields;
  for (std::uint16_t f = 0; f < cls.fieldCount(); ++f) {
    if (!IsReferenceField(cls.fields[f])) continue;
    std::optional<std::string_view> value;
    if (o) value = cls.fields[f].values[*o].value.view();
    // The object-list field node of a partner, found or added in index order.
    const auto reach = [&](std::uint16_t g2, std::uint16_t c2, std::uint16_t f2, std::optional<std::uint16_t> o2) {
      if (lastField != f) {
        lastField = f;
        refField = &Append(node, Concat(kRefFieldPrefix, FieldText(g, c, f, o)), f);
        groups.last = nullptr;
      }
      RelationNode *groupNode = nullptr, *classNode = nullptr, *listField = nullptr;
      const auto groupPlaced =
          groups.Put(*refField, g2, [&] { return Concat(kGroupPrefix, store_.GetGroup(g2).name); }, groupNode);
      Place::Follow(groupPlaced, *groupNode, classes);
      const auto classPlaced =
          classes.Put(*groupNode, c2, [&] { return Concat(kClassPrefix, store_.GetClass(g2, c2).name); }, classNode);
      Place::Follow(classPlaced, *classNode, fields);
      fields.Put(*classNode, f2, [&] { return Concat(kListFieldPrefix, FieldText(g2, c2, f2, o2)); }, listField);
      return listField;
    };
    for (const PartnerMatch& match : ReferencingObjects(store_, layers_, g, c, f, value, options_.layers)) {
      const auto [g2, c2, f2] = match.partner;
      for (const std::uint16_t o2 : match.objects) AddObjectNode(*reach(g2, c2, f2, o2), g2, c2, o2);
      if (match.objects.empty() && options_.insertPotential)
        AddObjectNode(*reach(g2, c2, f2, std::nullopt), g2, c2, std::nullopt);
    }
  }
}

void RelationsTree::Select(RelationNode* node) {
  while (node != nullptr && (node->Kind() == 'G' || node->Kind() == 'C') && node->FirstChild() != nullptr)
    node = node->FirstChild();
  selected_ = node;
}

RelationRoot RelationsTree::ReadSelection() const {
  RelationRoot read = root_;
  const RelationNode* s = selected_;
  if (s == nullptr || s->parent == nullptr) return read;
  const RelationNode* objectNode = nullptr;
  const RelationNode* classNode = nullptr;
  if (s->Kind() == 'O') {
    objectNode = s;
    classNode = s->parent->Kind() == 'F' ? s->parent->parent : s->parent;
    read.field = 0;
  } else if (s->Kind() == 'F') {
    if (s->parent->Kind() == 'C') {
      classNode = s->parent;
      objectNode = s->FirstChild();
    } else {
      objectNode = s->parent;
      classNode = ClassNodeAbove(*objectNode);
    }
    read.field = static_cast<std::uint16_t>(s->value);
  } else {
    return read;
  }
  if (objectNode == nullptr || objectNode->Kind() != 'O' || classNode == nullptr || classNode->parent == nullptr)
    return root_;
  const bool potential = objectNode->value == kPotentialMarker;
  read.hasObject = potential ? 0 : 1;
  read.object = potential ? 0 : static_cast<std::uint16_t>(objectNode->value);
  read.classNo = static_cast<std::uint16_t>(classNode->value);
  read.group = static_cast<std::uint16_t>(classNode->parent->value);
  return read;
}

void RelationsTree::Rebuild() { BuildRoot(); }

bool RelationsTree::SetFlow(Flow flow) {
  if (options_.flow == flow) return false;
  options_.flow = flow;
  Rebuild();
  return true;
}

bool RelationsTree::SetLayers(LayerFilter layers) {
  if (options_.layers == layers) return false;
  options_.layers = layers;
  Rebuild();
  return true;
}

void RelationsTree::SetInsertPotential(bool on) {
  options_.insertPotential = on;
  Rebuild();
}

void RelationsTree::ChangeRoot() {
  root_ = ReadSelection();
  Rebuild();
}

std::string RelationsTree::Dump() const {
  std::string out;
  for (const auto& node : top_) AppendDump(*node, 0, out);
  return out;
}

namespace {

void OpenBelow(RelationsTree& tree, RelationNode& node, int objectLevel, int levels) {
  if (node.children.empty()) return;
  if (node.Kind() == 'O') ++objectLevel;
  if (objectLevel >= levels) return;
  tree.Expand(node);
  for (const auto& child : node.children) OpenBelow(tree, *child, objectLevel, levels);
}

}  // namespace

void OpenObjectLevels(RelationsTree& tree, int levels) {
  for (const auto& node : tree.TopNodes()) OpenBelow(tree, *node, -1, levels);
}

}  // namespace verdanto
