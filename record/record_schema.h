// The record's tables and their migrations. The schema's version is SQLite's
// user_version. Each step from one version to the next runs in its own
// transaction, or, when it replays every attempt kept, in batches that
// commit their progress with them: a file is always at one version, the
// next, or part of the way there with the progress saying how far, and a
// migration stopped (killed, cancelled) goes on from there the next time.
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

// How a migration is cut into transactions.
struct MigrationBatches {
    int attempts = 20000; // attempts replayed per transaction
    // Return Older after this many commits, as a stop in the middle would
    // leave the file; 0: go on to the end.
    int stopAfter = 0;
};

// Brings the file to kSchemaVersion (Current or Migrated), or on from where
// an earlier migration stopped; Newer and Foreign files are left untouched.
SchemaStatus migrateSchema(sqlite3* db, QString* error, MigrationBatches batches = {});

int schemaVersion(sqlite3* db);

// The tables as the first version made them (lessons and their attempts):
// what a migration starts from.
extern const char* const kFirstVersionTables;

} // namespace hearvex::record
