// The database schema of the system and the tools that create databases
// with it (`vireo db create`, `vireo demo`, test fixtures).
//
// The schema is db/schema.sql, built into the program; nothing is read
// from the source tree at run time.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/data/connection.h"

namespace vireo {

// The text of db/schema.sql.
std::string_view SchemaText();

// Runs every statement of an isql-style script (see db/script.h) in one
// writing transaction, committing after each statement so that later ones
// see the tables and routines created before them.  A failing statement
// raises EDatabaseError naming `source`, the statement's number, line and
// first line, and the database's reason; nothing after it runs.
void RunScript(TnConnection& connection, std::string_view script, const std::string& source);

// Loads the schema into an empty database.
void CreateSchema(TnConnection& connection);

// Creates a database with the schema at `path` (a file, or a server
// connection string) and returns the connection to it.  An existing file is
// refused with EDatabaseError unless `force`, which deletes it first.  When
// loading the schema fails, the new file is removed again.
std::unique_ptr<TnConnection> CreateDatabase(const std::string& path, bool force);

// For test fixtures that make many databases: a new database file at `path`
// with the schema, copied from a schema-only database that is built once
// in the system's temporary directory (named after a digest of the schema,
// so a changed schema gets a template of its own).  A copy takes a few
// milliseconds where loading the schema takes about half a second.  Refuses
// an existing file like CreateDatabase.
std::unique_ptr<TnConnection> CreateDatabaseFromTemplate(const std::string& path);

}  // namespace vireo
