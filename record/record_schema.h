// The record's tables and their migrations. The schema's version is SQLite's
// user_version; each step from one version to the next runs in its own
// transaction, so a file is always at one version or the next.
#pragma once

#include <QString>

struct sqlite3;

namespace hearvex::record {

inline constexpr int kSchemaVersion = 3;

enum class SchemaStatus { Current, Older, Migrated, Newer, Foreign, Failed };

// What the file holds, changing nothing: Older also for a new, empty file;
// Newer: written by a later version of the program; Foreign: a database of
// something else; Failed: not readable as a database.
SchemaStatus inspectSchema(sqlite3* db);

// Brings the file to kSchemaVersion (Current or Migrated); Newer and Foreign
// files are left untouched.
SchemaStatus migrateSchema(sqlite3* db, QString* error);

int schemaVersion(sqlite3* db);

} // namespace hearvex::record
