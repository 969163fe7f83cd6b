#pragma once

#include <QStringList>

class Connection;
class Query;

// The initial administrator password, inserted with the administrator row.
inline constexpr const char *InitialAdminPassword = "1";

// Creates and upgrades the program's tables: sixteen blocks run in order on
// the given query, each in its own guard that swallows every error, so that
// on an existing database the CREATE blocks fail quietly and the ALTER blocks
// add what later versions introduced.
void runSchemaBlocks(Query &query);

// The length a text column is created with; 0 for any other column.
int createdLength(const QString &table, const QString &column);

// What the blocks should have made and the database still lacks: the name of
// each missing table, and "table.column" for each missing added column. Empty
// when the thirteen tables and the added columns are all there.
QStringList missingSchemaParts(Connection &connection);
