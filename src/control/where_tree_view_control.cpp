#include "control/where_tree_view_control.h"

#include <utility>

#include "common/text.h"
#include "control/where_writer.h"

namespace wheretree {
namespace {

constexpr double kDefaultIndentation = 200.0;
constexpr std::int32_t kDefaultLabelEdit = 0;

double AsNumber(const PropertyValue& value, std::string_view name) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return *i;
  throw Error::InvalidArgument("the stored property \"" + std::string(name) + "\" is not a number");
}

}  // namespace

WhereTreeViewControl::WhereTreeViewControl(std::shared_ptr<ControlSite> site,
                                           std::shared_ptr<MessageBox> message_box)
    : WhereTreeViewControl(Uninitialised{}, std::move(site), std::move(message_box)) {
  MemoryPropertyBag empty;
  ReadProperties(empty);
}

WhereTreeViewControl::WhereTreeViewControl(Uninitialised, std::shared_ptr<ControlSite> site,
                                           std::shared_ptr<MessageBox> message_box)
    : site_(site ? std::move(site) : std::make_shared<ControlSite>()),
      message_box_(message_box ? std::move(message_box) : std::make_shared<HeadlessMessageBox>()),
      image_list_where_(MakeImageListWhere()) {
  tree_.ImageList(image_list_where_);
}

WhereTreeViewControl::~WhereTreeViewControl() {
  CurrentNode() = nullptr;
}

std::u16string WhereTreeViewControl::CreateWhereString(std::int16_t sdvig) {
  const NodeRef root = tree_.Nodes().Item(1);
  PruneEmptyLevels(root, tree_);
  return WriteLevel(root, 0, sdvig);
}

void WhereTreeViewControl::Refresh() {
  site_->Repaint();
}

// ---- Properties ---------------------------------------------------------------------------------

float WhereTreeViewControl::Indentation() const {
  return tree_.Indentation();
}
void WhereTreeViewControl::Indentation(float value) {
  tree_.Indentation(value);
}
std::intptr_t WhereTreeViewControl::hWnd() const {
  return site_->WindowHandle();
}
std::int32_t WhereTreeViewControl::LabelEdit() const {
  return tree_.LabelEdit();
}
void WhereTreeViewControl::LabelEdit(std::int32_t value) {
  tree_.LabelEdit(value);
}
ControlCollection WhereTreeViewControl::Controls() {
  return {&tree_, image_list_where_};
}
std::shared_ptr<wheretree::ImageList> WhereTreeViewControl::ImageList() const {
  return tree_.ImageList();
}

void WhereTreeViewControl::ImageList(std::shared_ptr<wheretree::ImageList> list) {
  tree_.ImageList(list ? std::move(list) : image_list_where_);
}

// ---- Container lifecycle ------------------------------------------------------------------------

void WhereTreeViewControl::ReadProperties(PropertyBag& bag) {
  if (site_->UserMode()) {
    // At run time the tree always starts with its root.
    TypeOfLogic logic = TypeOfLogic::LevelAnd;
    CreateLevelNode(logic, tree_, node_counter_);
  }
  Indentation(static_cast<float>(
      AsNumber(bag.ReadProperty(u"Indentation", kDefaultIndentation), "Indentation")));
  LabelEdit(static_cast<std::int32_t>(
      AsNumber(bag.ReadProperty(u"LabelEdit", kDefaultLabelEdit), "LabelEdit")));
  const PropertyValue list = bag.ReadProperty(u"ImageList", std::monostate{});
  if (const auto* stored = std::get_if<std::shared_ptr<wheretree::ImageList>>(&list)) {
    ImageList(*stored);
  } else if (std::holds_alternative<std::monostate>(list)) {
    ImageList(nullptr);
  } else {
    throw Error::InvalidArgument("the stored property \"ImageList\" is not an image list");
  }
}

void WhereTreeViewControl::WriteProperties(PropertyBag& bag) {
  bag.WriteProperty(u"Indentation", static_cast<double>(Indentation()), kDefaultIndentation);
  bag.WriteProperty(u"LabelEdit", LabelEdit(), kDefaultLabelEdit);
  bag.WriteProperty(u"ImageList", ImageList(), image_list_where_);
}

void WhereTreeViewControl::Resize(float width, float height) {
  try {
    tree_.Move(0, 0, width, height);
  } catch (const Error&) {
    // Resizing ignores every failure: the tree keeps its last placement.
  }
}

}  // namespace wheretree
