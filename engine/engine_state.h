// The engine stand-in's loaded data, shared by the engine objects
// (engine.cpp) and the database loader (engine_db.cpp). Everything is read
// and checked once, by Initiate; the objects then answer from memory.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/records.h"

namespace engine::detail {

struct Settings {
  int initiateResult = 0;
  int expSysLinkResult = 0;
  std::string currentUser;              // CP932
  std::string packageName = "Zeimark";  // CP932
  std::string outputFolder;             // CP932 Windows path
  std::optional<std::string> settingsFolder;
  std::optional<std::uint32_t> sumCount;
  int sumCountResult = 0;
  int setMovePosResult = 0;
  std::optional<std::int64_t> moveNextErrorAt;
  int moveNextErrorCode = 7;
};

struct User {
  long first = 0;
  long second = 0;
};

struct DataSet {
  std::string dataId;  // CP932
  std::string idText;  // MakeIDStr's text: id_text, or the data ID
  std::int32_t dataNo = 0;
  std::uint8_t taxFlag = 0;
  int taxResult = 0;
  StDATAINFO record{};
};

struct Account {
  std::int64_t seq = 0;
  StKAMOKUSUMINFO record{};  // amounts of both sets filled in
};

struct Saved {
  std::optional<std::string> content;  // CP932 bytes
  int result = 0;
};

struct Data {
  Settings settings;
  std::map<std::string, User> users;                     // by CP932 user ID
  std::vector<DataSet> dataSets;                         // cursor order
  std::map<std::string, std::vector<Account>> accounts;  // by data ID, seq order
  std::map<std::pair<std::string, long>, Saved> saved;   // by data ID and kind
};

// The loaded data; empty (all defaults) before a successful load.
const Data& Loaded();

// Opens the configured database (the in-memory one, or the file set with
// SetDatabasePath, read-only), checks every record and loads it. On failure
// returns false with a UTF-8 message naming the database and the fault.
bool OpenAndLoad(std::string* error);

// Closes the file connection and forgets the loaded data. The in-memory
// database of UseInMemoryDatabase stays until Reset.
void Close();

// The engine objects forget their state (cursors, connection, data IDs).
void ResetObjects();

// The first data set, in cursor order, with this data ID.
const DataSet* FindDataSet(const std::string& dataId);

}  // namespace engine::detail
