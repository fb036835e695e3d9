// The record's tables and their migrations. The schema's version is SQLite's
// user_version; each step from one version to the next runs in its own
// transaction, so a file is always at one version or the next.
#pragma once

#include <QString>

struct sqlite3;

namespace hearvex::record {

inline constexpr int kSchemaVersion = 2;

enum class SchemaStatus { Current, Migrated, Newer, Foreign, Failed };

// Brings the file to kSchemaVersion. Newer: written by a later version of
// the program (left untouched); Foreign: a database of something else.
SchemaStatus migrateSchema(sqlite3* db, QString* error);

int schemaVersion(sqlite3* db);

} // namespace hearvex::record
