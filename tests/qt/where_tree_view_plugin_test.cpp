// The Designer plugin as Qt Designer loads it: it publishes QWhereTreeView with its properties and
// creates it in design mode, so the tree stays without root in the designer.
#include <QAbstractItemView>
#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class WhereTreeViewPluginTest : public QObject {
  Q_OBJECT

 private slots:
  void publishesTheWidgetInDesignMode() {
    QPluginLoader loader(QStringLiteral(WHERETREE_DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    QVERIFY2(instance != nullptr, qPrintable(loader.errorString()));
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    QVERIFY(plugin != nullptr);
    QCOMPARE(plugin->name(), QStringLiteral("QWhereTreeView"));
    QCOMPARE(plugin->includeFile(), QStringLiteral("qt/q_where_tree_view.h"));
    QVERIFY(!plugin->isContainer());
    QVERIFY(!plugin->icon().isNull());

    // The form snippet names the class and the published properties.
    QXmlStreamReader xml(plugin->domXml());
    QStringList names;
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement &&
          xml.name() == QLatin1String("property")) {
        names << xml.attributes().value(QLatin1String("name")).toString();
      }
    }
    QVERIFY(!xml.hasError());
    QVERIFY(names.contains(QStringLiteral("indentation")));
    QVERIFY(names.contains(QStringLiteral("labelEdit")));

    // The plugin holds its own copy of the widget class, so it is checked by name and properties.
    QWidget form;
    std::unique_ptr<QWidget> widget(plugin->createWidget(&form));
    QVERIFY(widget->inherits("QWhereTreeView"));
    QCOMPARE(widget->property("designMode").toBool(), true);
    QCOMPARE(widget->property("indentation").toDouble(), 200.0);
    QVERIFY(widget->setProperty("labelEdit", 1));
    QCOMPARE(widget->property("labelEdit").toInt(), 1);
    auto* view = widget->findChild<QAbstractItemView*>(QStringLiteral("TvWhere"));
    QVERIFY(view != nullptr);
    QCOMPARE(view->model()->rowCount(), 0);  // design mode: no root
  }
};

QTEST_MAIN(WhereTreeViewPluginTest)
#include "where_tree_view_plugin_test.moc"
