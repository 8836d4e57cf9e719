// Setting up the engine stand-in: which database Initiate opens.
#pragma once
#include <string>

namespace engine {

// The host path of the SQLite database that Initiate opens.
void SetDatabasePath(const std::string& hostPath);

// For tests: opens an in-memory database built from SQL text (the schema is
// applied first). Returns false with a message on an SQL error. Initiate then
// uses it instead of a file.
bool UseInMemoryDatabase(const std::string& sql, std::string* error);

// Closes the database and forgets every engine object's state.
void Reset();

// The message of the last failed Initiate (UTF-8, as printed on stderr), or
// empty after a successful one.
const std::string& LastInitiateError();

// The schema the stand-in accepts, as SQL text.
const char* SchemaSql();

}  // namespace engine
