#pragma once

// Publishes QWhereTreeView to Qt Designer, with its properties (indentation, labelEdit). Designer
// gets the widget in design mode: the tree stays empty until the form runs.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class WhereTreeViewPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit WhereTreeViewPlugin(QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override;
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override;
};
