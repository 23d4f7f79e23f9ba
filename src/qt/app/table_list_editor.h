#pragma once

// The table list of a query as a grid (table, aliases, fields), with the AML text it writes shown
// beside it. The AML is what LoadWhereString takes as its table list:
//
//   EMP | E | EMPNO,ENAME,DEPTNO   ->   <T>EMP<AA>E<AA><PP>EMPNO,ENAME,DEPTNO<PP><T>

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

class TableListEditor : public QWidget {
  Q_OBJECT

 public:
  struct Table {
    QString name;
    QString aliases;  ///< comma-separated, as typed
    QString fields;   ///< comma-separated, as typed
    friend bool operator==(const Table&, const Table&) = default;
  };

  /// The AML table list of `tables`; rows without a table name are left out.
  static QString writeTableList(const QList<Table>& tables);
  /// Reads an AML table list; throws wheretree::Error when it is not one (an unclosed tag).
  /// `notes` receives what the grid cannot keep (text outside the table blocks).
  static QList<Table> readTableList(const QString& aml, QStringList* notes = nullptr);
  /// Cells holding a tag the AML reader would cut the list at ("<T>", "<AA>", "<PP>").
  static QStringList problemsOf(const QList<Table>& tables);

  explicit TableListEditor(QWidget* parent = nullptr);

  QList<Table> tables() const;
  void setTables(const QList<Table>& tables);
  QString aml() const { return writeTableList(tables()); }
  /// Fills the grid from an AML table list and returns the notes of readTableList.
  QStringList setAml(const QString& aml);
  /// Every alias named in the grid, in order.
  QStringList aliases() const;

 signals:
  void changed();

 private:
  void addRow(const Table& table);
  void showAml();

  QTableWidget* m_grid;
  QPlainTextEdit* m_raw;
  QLabel* m_problems;
  bool m_filling = false;
};
