#include "qt/app/table_list_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "catalogue/aml.h"

namespace {

enum Column { kName, kAliases, kFields };

QString fromU16(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

}  // namespace

QString TableListEditor::writeTableList(const QList<Table>& tables) {
  QString aml;
  for (const Table& t : tables) {
    if (t.name.trimmed().isEmpty()) continue;
    const auto block = t.name.toStdU16String() +
                       wheretree::CreateAmlTag(u"AA", t.aliases.toStdU16String(), true) +
                       wheretree::CreateAmlTag(u"PP", t.fields.toStdU16String(), true);
    aml += fromU16(wheretree::CreateAmlTag(u"T", block, true));
  }
  return aml;
}

QList<TableListEditor::Table> TableListEditor::readTableList(const QString& aml,
                                                             QStringList* notes) {
  std::u16string text = aml.toStdU16String();
  const auto blocks = wheretree::SplitAmlTag(u"T", text, -1);
  QList<Table> tables;
  if (notes != nullptr && !fromU16(blocks.At(0)).trimmed().isEmpty() && blocks.UBound() > 0) {
    *notes << QStringLiteral("The text before the first table block is not kept: \"%1\"")
                  .arg(fromU16(blocks.At(0)).trimmed());
  }
  for (std::int32_t i = 1; i <= blocks.UBound(); ++i) {
    std::u16string block = blocks.At(i);
    std::u16string copy = block;
    const auto aliases = wheretree::SplitAmlTag(u"AA", block, -1);
    const auto fields = wheretree::SplitAmlTag(u"PP", copy, -1);
    if (aliases.UBound() < 1 || fields.UBound() < 1) {
      throw wheretree::Error::OutOfRange("table block " + std::to_string(i) +
                                         " has no <AA> or no <PP> pair");
    }
    tables.append({fromU16(aliases.At(0)), fromU16(aliases.At(1)), fromU16(fields.At(1))});
  }
  if (notes != nullptr && blocks.UBound() == 0 && !aml.trimmed().isEmpty()) {
    *notes << QStringLiteral("The text holds no <T> table block.");
  }
  return tables;
}

QStringList TableListEditor::problemsOf(const QList<Table>& tables) {
  QStringList problems;
  for (int row = 0; row < tables.size(); ++row) {
    const Table& t = tables[row];
    for (const QString& cell : {t.name, t.aliases, t.fields}) {
      for (const char* tag : {"<T>", "<AA>", "<PP>"}) {
        if (cell.contains(QLatin1String(tag), Qt::CaseInsensitive)) {
          problems << QStringLiteral("Row %1: \"%2\" contains %3, which ends an AML value early.")
                          .arg(row + 1)
                          .arg(cell, QLatin1String(tag));
        }
      }
    }
  }
  return problems;
}

TableListEditor::TableListEditor(QWidget* parent)
    : QWidget(parent),
      m_grid(new QTableWidget(0, 3, this)),
      m_raw(new QPlainTextEdit(this)),
      m_problems(new QLabel(this)) {
  m_grid->setHorizontalHeaderLabels(
      {QStringLiteral("Table"), QStringLiteral("Aliases"), QStringLiteral("Fields")});
  m_grid->horizontalHeader()->setStretchLastSection(true);
  m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  m_grid->setObjectName(QStringLiteral("tableGrid"));
  m_raw->setReadOnly(true);
  m_raw->setObjectName(QStringLiteral("tableListAml"));
  m_raw->setPlaceholderText(QStringLiteral("The AML table list appears here."));
  m_problems->setWordWrap(true);
  m_problems->setStyleSheet(QStringLiteral("color: #b71c1c;"));
  m_problems->hide();

  auto* add = new QPushButton(QStringLiteral("Add table"), this);
  auto* remove = new QPushButton(QStringLiteral("Remove table"), this);
  connect(add, &QPushButton::clicked, this, [this] {
    addRow({});
    m_grid->setCurrentCell(m_grid->rowCount() - 1, kName);
    m_grid->editItem(m_grid->item(m_grid->rowCount() - 1, kName));
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (m_grid->currentRow() < 0) return;
    m_grid->removeRow(m_grid->currentRow());
    showAml();
  });
  connect(m_grid, &QTableWidget::itemChanged, this, [this] {
    if (!m_filling) showAml();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_grid, 3);
  layout->addLayout(buttons);
  layout->addWidget(m_problems);
  layout->addWidget(new QLabel(QStringLiteral("AML table list:"), this));
  layout->addWidget(m_raw, 2);
}

void TableListEditor::addRow(const Table& table) {
  const bool filling = std::exchange(m_filling, true);
  const int row = m_grid->rowCount();
  m_grid->insertRow(row);
  m_grid->setItem(row, kName, new QTableWidgetItem(table.name));
  m_grid->setItem(row, kAliases, new QTableWidgetItem(table.aliases));
  m_grid->setItem(row, kFields, new QTableWidgetItem(table.fields));
  m_filling = filling;
  if (!m_filling) showAml();
}

QList<TableListEditor::Table> TableListEditor::tables() const {
  QList<Table> tables;
  const auto text = [this](int row, int column) {
    const auto* item = m_grid->item(row, column);
    return item != nullptr ? item->text() : QString();
  };
  for (int row = 0; row < m_grid->rowCount(); ++row) {
    tables.append({text(row, kName), text(row, kAliases), text(row, kFields)});
  }
  return tables;
}

void TableListEditor::setTables(const QList<Table>& tables) {
  m_filling = true;
  m_grid->setRowCount(0);
  for (const Table& t : tables) addRow(t);
  m_filling = false;
  m_grid->resizeColumnToContents(kName);
  m_grid->resizeColumnToContents(kAliases);
  showAml();
}

QStringList TableListEditor::setAml(const QString& aml) {
  QStringList notes;
  setTables(readTableList(aml, &notes));
  return notes;
}

QStringList TableListEditor::aliases() const {
  QStringList aliases;
  for (const Table& t : tables()) {
    for (const QString& alias : t.aliases.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
      if (!alias.trimmed().isEmpty()) aliases << alias.trimmed();
    }
  }
  return aliases;
}

void TableListEditor::showAml() {
  const QList<Table> current = tables();
  m_raw->setPlainText(writeTableList(current));
  const QStringList problems = problemsOf(current);
  m_problems->setText(problems.join(QLatin1Char('\n')));
  m_problems->setVisible(!problems.isEmpty());
  emit changed();
}
