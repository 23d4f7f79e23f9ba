#include "qt/designer/where_tree_view_plugin.h"

#include "qt/q_where_image_list.h"
#include "qt/q_where_tree_view.h"

namespace {
bool initialized = false;
}

WhereTreeViewPlugin::WhereTreeViewPlugin(QObject* parent) : QObject(parent) {}

QString WhereTreeViewPlugin::name() const {
  return QStringLiteral("QWhereTreeView");
}

QString WhereTreeViewPlugin::group() const {
  return QStringLiteral("wheretree");
}

QString WhereTreeViewPlugin::toolTip() const {
  return QStringLiteral("Generate Logical Tree And reengineering Where Sql construction");
}

QString WhereTreeViewPlugin::whatsThis() const {
  return QStringLiteral(
      "Shows the WHERE clause of a SQL statement as a logical AND/OR tree, lets the user edit it "
      "and writes it back; loading takes join conditions out as connections.");
}

QString WhereTreeViewPlugin::includeFile() const {
  return QStringLiteral("qt/q_where_tree_view.h");
}

QIcon WhereTreeViewPlugin::icon() const {
  return QWhereImageList::pictureIcon(QStringLiteral("wheretree.svg"));
}

bool WhereTreeViewPlugin::isContainer() const {
  return false;
}

QWidget* WhereTreeViewPlugin::createWidget(QWidget* parent) {
  return new QWhereTreeView(QWhereTreeView::DesignMode, parent);
}

bool WhereTreeViewPlugin::isInitialized() const {
  return initialized;
}

void WhereTreeViewPlugin::initialize(QDesignerFormEditorInterface* /*core*/) {
  initialized = true;
}

QString WhereTreeViewPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\">\n"
      " <widget class=\"QWhereTreeView\" name=\"whereTreeView\">\n"
      "  <property name=\"geometry\">\n"
      "   <rect><x>0</x><y>0</y><width>240</width><height>320</height></rect>\n"
      "  </property>\n"
      "  <property name=\"indentation\"><double>200</double></property>\n"
      "  <property name=\"labelEdit\"><number>0</number></property>\n"
      " </widget>\n"
      "</ui>\n");
}
