#include "qt/app/join_texts.h"

#include "common/text.h"
#include "joins/c_connects.h"

namespace {

std::unique_ptr<wheretree::c_connects> read(const QString& aml) {
  auto connections = std::make_unique<wheretree::c_connects>();
  std::u16string text = aml.toStdU16String();
  connections->LoadAmlString(text);
  return connections;
}

}  // namespace

JoinTexts WriteJoins(const QString& connectionsAml) {
  JoinTexts texts;
  const auto oracle = read(connectionsAml);
  texts.oracleFrom = QString::fromStdU16String(oracle->FromOracle(false));
  texts.oracleWhere = QString::fromStdU16String(oracle->CreJoinOracle(false));
  // The ANSI writer empties the collection it writes, so it gets its own.
  texts.ansi = QString::fromStdU16String(read(connectionsAml)->CreJoinAnsi(false));
  return texts;
}

QString RenameAliasInConnections(const QString& connectionsAml, const QString& oldAlias,
                                 const QString& newAlias) {
  if (connectionsAml.isEmpty()) return connectionsAml;
  const auto connections = read(connectionsAml);
  const std::u16string from = oldAlias.toStdU16String();
  const std::u16string to = newAlias.toStdU16String();
  for (std::int32_t i = 1; i <= connections->Count(); ++i) {
    const auto connection = connections->Item(i);
    if (wheretree::EqualsIgnoreCase(connection->t_from_ali(), from)) connection->t_from_ali(to);
    if (wheretree::EqualsIgnoreCase(connection->t_to_ali(), from)) connection->t_to_ali(to);
  }
  return QString::fromStdU16String(connections->CreateAmlString());
}

int CountConnections(const QString& connectionsAml) {
  return connectionsAml.isEmpty() ? 0 : read(connectionsAml)->Count();
}
