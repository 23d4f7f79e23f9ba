#pragma once

// The join syntax the app shows for an AML connection list: ANSI joins, and the Oracle FROM list
// with its "(+)" conditions. Each writer gets its own copy of the connections (the ANSI writer
// empties the collection it writes).

#include <QString>

struct JoinTexts {
  QString ansi;         ///< "  FROM (EMP E LEFT OUTER JOIN DEPT D ON ...)"
  QString oracleFrom;   ///< "  FROM EMP E, ..." one table per line
  QString oracleWhere;  ///< " WHERE (E.DEPTNO = D.DEPTNO(+) ...)"
};

/// Writes the joins of an AML connection list; throws wheretree::Error for a text that is not one.
JoinTexts WriteJoins(const QString& connectionsAml);

/// The connection list with every alias equal to `oldAlias` (letter case ignored) renamed.
///   "<JOIN><FROM>EMP\u040Fe\u040FDEPTNO<FROM>..." with e -> X gives "...EMP\u040FX\u040FDEPTNO..."
QString RenameAliasInConnections(const QString& connectionsAml, const QString& oldAlias,
                                 const QString& newAlias);

/// Number of connections in an AML connection list.
int CountConnections(const QString& connectionsAml);
