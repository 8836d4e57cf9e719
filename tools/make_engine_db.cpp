// Build tool: makes an engine database from the engine schema and SQL data
// scripts, then opens it the way the programs do, so that a script that
// breaks a record's limits fails the build instead of a run.
//
//   make_engine_db OUTPUT.db SCRIPT.sql...
//   make_engine_db --schema     (prints the schema, for tools that build
//                                databases of their own)
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/engine.h"
#include "engine/engine_db.h"

namespace {

bool Exec(sqlite3* db, const std::string& sql, const std::string& what) {
  char* msg = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg) == SQLITE_OK) return true;
  std::fprintf(stderr, "make_engine_db: %s: %s\n", what.c_str(), msg ? msg : sqlite3_errmsg(db));
  sqlite3_free(msg);
  return false;
}

bool Build(const std::string& path, int count, char** scripts) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    std::fprintf(stderr, "make_engine_db: %s: %s\n", path.c_str(), sqlite3_errmsg(db));
    sqlite3_close(db);
    return false;
  }
  bool ok = Exec(db, "BEGIN", path) && Exec(db, engine::SchemaSql(), "engine schema");
  for (int i = 0; ok && i < count; ++i) {
    std::ifstream in(scripts[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "make_engine_db: %s: cannot be read\n", scripts[i]);
      ok = false;
      break;
    }
    std::stringstream text;
    text << in.rdbuf();
    ok = Exec(db, text.str(), scripts[i]);
  }
  ok = ok && Exec(db, "COMMIT", path);
  sqlite3_close(db);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--schema") {
    std::fputs(engine::SchemaSql(), stdout);
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_engine_db OUTPUT.db SCRIPT.sql...\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const std::string out = argv[1];
  const std::string tmp = out + ".tmp";
  std::error_code ec;
  fs::remove(tmp, ec);
  bool ok = Build(tmp, argc - 2, argv + 2);
  if (ok) {
    // Initiate prints the fault itself.
    engine::SetDatabasePath(tmp);
    ok = ClLdgConnect::Inst()->Initiate() == 0;
    ClLdgConnect::Inst()->Release();
    engine::Reset();
  }
  if (ok) {
    fs::rename(tmp, out, ec);
    if (ec) {
      std::fprintf(stderr, "make_engine_db: %s: %s\n", out.c_str(), ec.message().c_str());
      ok = false;
    }
  }
  if (!ok) fs::remove(tmp, ec);
  return ok ? 0 : 1;
}
