#include "engine/engine_db.h"

#include <sqlite3.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <tuple>

#include "engine/engine_state.h"
#include "platform/cp932.h"

namespace engine {

namespace {

// The engine's tables, one statement each. A database file made from the same
// schema is accepted as it stands; a table it lacks is created empty in the
// connection's temporary schema, so the file itself is never written.
struct TableSql {
  const char* name;
  const char* sql;
};

constexpr TableSql kTables[] = {
    {"engine_settings", R"sql(
-- The engine's own behaviour. Missing names take the default given here.
--   initiate_result    integer, default 0: the result of Initiate
--   expsyslink_result  integer, default 0: the result of ExpSysLink
--   current_user       text,    default '': GetCurUserID
--   package_name       text,    default 'Zeimark': replaces ES_APRPACKAGENAME in DispMsg
--   output_folder      text,    default '': GetAppFolderPath(0), a Windows path
--   settings_folder    text,    default: the Windows form of
--                      $XDG_DATA_HOME/ledgora/ (or $HOME/.local/share/ledgora/),
--                      ending in a backslash: GetAppFolderPath(1)
--   sum_count          integer, default: the number of accounts of the data set: GetSumCount's count
--   sumcount_result    integer, default 0: the result of GetSumCount
--   setmovepos_result  integer, default 0: the result of SetMovePos
--   movenext_error_at  integer, default none: the 0-based account index at which
--                      MoveNext returns movenext_error_code instead of the account
--   movenext_error_code integer, default 7
-- MoveNext returns 5000 once the data set's accounts are used up.
CREATE TABLE IF NOT EXISTS engine_settings (
    name  TEXT PRIMARY KEY,
    value
);
)sql"},
    {"users", R"sql(
-- GetSelectedNo(user_id) gives (selected_first, selected_second); a user
-- without a row gives (0, 0).
CREATE TABLE IF NOT EXISTS users (
    user_id         TEXT PRIMARY KEY,
    selected_first  INTEGER NOT NULL DEFAULT 0,
    selected_second INTEGER NOT NULL DEFAULT 0
);
)sql"},
    {"data_sets", R"sql(
-- One StDATAINFO record per row, delivered by WalkDat in cursor_order.
-- The selected data set (GetSelectedInfo) is the first row, in cursor_order,
-- whose data_no equals the current user's selected_second; none gives an
-- all-zero record.
CREATE TABLE IF NOT EXISTS data_sets (
    cursor_order      INTEGER PRIMARY KEY,
    data_id           NOT NULL,            -- offset 0, at most 15 bytes
    id_text,                               -- MakeIDStr result, at most 34 bytes; NULL: data_id
    data_no           INTEGER NOT NULL,    -- offset 16, 32-bit
    company_name      NOT NULL DEFAULT '', -- offset 24, at most 259 bytes
    period_start      INTEGER NOT NULL,    -- offset 284, yyyymmdd
    period_end        INTEGER NOT NULL,    -- offset 288, yyyymmdd
    mfg_cost_flag     INTEGER NOT NULL DEFAULT 0,  -- offset 300, 32-bit
    extra_period_flag INTEGER NOT NULL DEFAULT 0,  -- offset 304, 32-bit
    intro_month_index INTEGER NOT NULL DEFAULT 0,  -- offset 326, 16-bit
    companies_act     INTEGER NOT NULL DEFAULT 1,  -- offset 876, 8-bit
    tax_flag          INTEGER NOT NULL DEFAULT 0,  -- StSHOHIZEIINFO offset 5, 8-bit
    tax_result        INTEGER NOT NULL DEFAULT 0   -- result of ClSetShohizei::Get
);
)sql"},
    {"accounts", R"sql(
-- One StKAMOKUSUMINFO record per row, delivered by MoveNext in seq order.
CREATE TABLE IF NOT EXISTS accounts (
    data_id     NOT NULL,
    seq         INTEGER NOT NULL,
    account_key INTEGER NOT NULL,            -- offset 32, 32-bit
    name        NOT NULL DEFAULT '',         -- offset 38, at most 56 bytes
    name2       NOT NULL DEFAULT '',         -- offset 95, at most 32 bytes
    kind        INTEGER NOT NULL DEFAULT 0,  -- offset 128, 8-bit
    side        INTEGER NOT NULL DEFAULT 1,  -- offset 130, 8-bit: 1 debit side
    category    INTEGER NOT NULL DEFAULT 0,  -- offset 136, 32-bit unsigned
    PRIMARY KEY (data_id, seq)
);
)sql"},
    {"account_amounts", R"sql(
-- Amounts in ten-thousandths of a yen. Missing rows are zero.
CREATE TABLE IF NOT EXISTS account_amounts (
    data_id    NOT NULL,
    seq        INTEGER NOT NULL,
    amount_set INTEGER NOT NULL CHECK (amount_set IN (1, 2)),
    slot       INTEGER NOT NULL CHECK (slot BETWEEN 0 AND 14),
    debit      INTEGER NOT NULL DEFAULT 0,
    credit     INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (data_id, seq, amount_set, slot)
);
)sql"},
    {"saved_statements", R"sql(
-- GetDataType02(kind): content as a zero-terminated CP932 text when result is
-- 0; otherwise result is returned (content, if any, comes with it and is freed
-- by the caller). A missing row returns 1 with no buffer.
CREATE TABLE IF NOT EXISTS saved_statements (
    data_id NOT NULL,
    kind    INTEGER NOT NULL,            -- 0, 100 or 1000
    content,
    result  INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (data_id, kind)
);
)sql"},
};

struct State {
  std::string path;           // host path given by SetDatabasePath
  sqlite3* memory = nullptr;  // UseInMemoryDatabase
  sqlite3* file = nullptr;    // the file connection Initiate opened
  detail::Data data;
  std::string lastError;
};

State& S() {
  static State s;
  return s;
}

void CloseDb(sqlite3*& db) {
  if (db) sqlite3_close(db);
  db = nullptr;
}

bool Exec(sqlite3* db, const std::string& sql, std::string* error) {
  char* msg = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg) == SQLITE_OK) return true;
  if (error) *error = msg ? msg : sqlite3_errmsg(db);
  sqlite3_free(msg);
  return false;
}

// One prepared query, finalized on every path.
class Query {
 public:
  Query(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK) st_ = nullptr;
  }
  ~Query() { sqlite3_finalize(st_); }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;
  bool ok() const { return st_ != nullptr; }
  // SQLITE_ROW, SQLITE_DONE or an error.
  int Step() { return sqlite3_step(st_); }
  sqlite3_stmt* st() const { return st_; }
  std::string Error() const { return sqlite3_errmsg(db_); }

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
};

// Reads the columns of one row, checking each against its record's limits.
// The first fault is kept; later reads then do nothing.
class Row {
 public:
  Row(sqlite3_stmt* st, std::string where) : st_(st), where_(std::move(where)) {}

  bool failed() const { return !fault_.empty(); }
  const std::string& fault() const { return fault_; }
  void Fail(const std::string& what) {
    if (fault_.empty()) fault_ = where_ + ": " + what;
  }

  // A text column: TEXT is UTF-8 and converted to CP932, BLOB is raw CP932,
  // a number is its decimal text. NULL gives nullopt.
  std::optional<std::string> Text(int col, const char* name, std::size_t maxBytes) {
    if (failed()) return std::nullopt;
    std::string out;
    switch (sqlite3_column_type(st_, col)) {
      case SQLITE_NULL:
        return std::nullopt;
      case SQLITE_BLOB: {
        const void* p = sqlite3_column_blob(st_, col);
        int n = sqlite3_column_bytes(st_, col);
        if (p && n > 0) out.assign(static_cast<const char*>(p), static_cast<std::size_t>(n));
        break;
      }
      case SQLITE_TEXT: {
        const unsigned char* p = sqlite3_column_text(st_, col);
        int n = sqlite3_column_bytes(st_, col);
        std::string utf8(p ? reinterpret_cast<const char*>(p) : "", static_cast<std::size_t>(n));
        auto cp = platform::Utf8ToCp932(utf8);
        if (!cp) {
          Fail(std::string(name) + " has a character without a CP932 form (text \"" + utf8 + "\")");
          return std::nullopt;
        }
        out = *cp;
        break;
      }
      default: {
        const unsigned char* p = sqlite3_column_text(st_, col);
        out = p ? reinterpret_cast<const char*>(p) : "";
        break;
      }
    }
    if (out.find('\0') != std::string::npos) {
      Fail(std::string(name) + " contains a zero byte");
      return std::nullopt;
    }
    if (out.size() > maxBytes) {
      Fail(std::string(name) + " is " + std::to_string(out.size()) + " bytes, at most " +
           std::to_string(maxBytes));
      return std::nullopt;
    }
    return out;
  }

  // A text column that NULL leaves empty.
  std::string TextOrEmpty(int col, const char* name, std::size_t maxBytes) {
    return Text(col, name, maxBytes).value_or(std::string());
  }

  // An integer column within [lo, hi]; a NULL gives fallback when one is
  // given, else a fault.
  std::int64_t Int(int col, const char* name, std::int64_t lo, std::int64_t hi,
                   std::optional<std::int64_t> fallback = std::nullopt) {
    if (failed()) return 0;
    int type = sqlite3_column_type(st_, col);
    if (type == SQLITE_NULL && fallback) return *fallback;
    if (type != SQLITE_INTEGER) {
      const unsigned char* p = sqlite3_column_text(st_, col);
      Fail(std::string(name) + " is not an integer (" +
           (type == SQLITE_NULL
                ? std::string("NULL")
                : "\"" + std::string(p ? reinterpret_cast<const char*>(p) : "") + "\"") +
           ")");
      return 0;
    }
    std::int64_t v = sqlite3_column_int64(st_, col);
    if (v < lo || v > hi) {
      Fail(std::string(name) + " is " + std::to_string(v) + ", outside " + std::to_string(lo) +
           " to " + std::to_string(hi));
      return 0;
    }
    return v;
  }

 private:
  sqlite3_stmt* st_;
  std::string where_;
  std::string fault_;
};

constexpr std::int64_t kI8Max = 255;
constexpr std::int64_t kI16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kI16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kU32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kI64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kI64Max = std::numeric_limits<std::int64_t>::max();

// Longest texts the engine's records and buffers hold (terminator excluded).
constexpr std::size_t kDataIdMax = 15;
constexpr std::size_t kIdTextMax = 34;
constexpr std::size_t kCompanyNameMax = 259;
constexpr std::size_t kAccountNameMax = 56;
constexpr std::size_t kAccountName2Max = 32;
constexpr std::size_t kUserIdMax = 64;
constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

std::string Quoted(const std::string& cp932) { return "'" + platform::Cp932ToUtf8(cp932) + "'"; }

// Runs a query over every row; each returns false with a fault to stop.
template <typename F>
bool EachRow(sqlite3* db, const char* sql, std::string* error, F&& f) {
  Query q(db, sql);
  if (!q.ok()) {
    *error = q.Error();
    return false;
  }
  for (;;) {
    int rc = q.Step();
    if (rc == SQLITE_DONE) return true;
    if (rc != SQLITE_ROW) {
      *error = q.Error();
      return false;
    }
    if (!f(q.st(), error)) return false;
  }
}

bool LoadSettings(sqlite3* db, detail::Settings& s, std::string* error) {
  std::set<std::string> seen;
  return EachRow(
      db, "SELECT name, value FROM engine_settings ORDER BY name", error,
      [&](sqlite3_stmt* st, std::string* err) {
        Row name(st, "engine_settings");
        std::string n = name.TextOrEmpty(0, "name", kUnlimited);
        if (name.failed()) return *err = name.fault(), false;
        if (!seen.insert(n).second) {
          *err = "engine_settings: setting '" + platform::Cp932ToUtf8(n) + "' is given twice";
          return false;
        }
        Row r(st, "setting '" + platform::Cp932ToUtf8(n) + "'");
        auto result = [&] { return static_cast<int>(r.Int(1, "value", kI32Min, kI32Max)); };
        if (n == "initiate_result") {
          s.initiateResult = result();
        } else if (n == "expsyslink_result") {
          s.expSysLinkResult = result();
        } else if (n == "current_user") {
          s.currentUser = r.TextOrEmpty(1, "value", kUserIdMax);
        } else if (n == "package_name") {
          s.packageName = r.TextOrEmpty(1, "value", kUnlimited);
        } else if (n == "output_folder") {
          s.outputFolder = r.TextOrEmpty(1, "value", kUnlimited);
        } else if (n == "settings_folder") {
          s.settingsFolder = r.Text(1, "value", kUnlimited);
        } else if (n == "sum_count") {
          if (sqlite3_column_type(st, 1) != SQLITE_NULL)
            s.sumCount = static_cast<std::uint32_t>(r.Int(1, "value", 0, kU32Max));
        } else if (n == "sumcount_result") {
          s.sumCountResult = result();
        } else if (n == "setmovepos_result") {
          s.setMovePosResult = result();
        } else if (n == "movenext_error_at") {
          if (sqlite3_column_type(st, 1) != SQLITE_NULL)
            s.moveNextErrorAt = r.Int(1, "value", 0, kI64Max);
        } else if (n == "movenext_error_code") {
          s.moveNextErrorCode = result();
        } else {
          r.Fail("unknown setting");
        }
        if (r.failed()) return *err = r.fault(), false;
        return true;
      });
}

bool LoadUsers(sqlite3* db, detail::Data& d, std::string* error) {
  return EachRow(db, "SELECT user_id, selected_first, selected_second FROM users ORDER BY rowid",
                 error, [&](sqlite3_stmt* st, std::string* err) {
                   Row id(st, "users");
                   std::string user = id.TextOrEmpty(0, "user_id", kUserIdMax);
                   if (id.failed()) return *err = id.fault(), false;
                   Row r(st, "user " + Quoted(user));
                   detail::User u;
                   u.first = static_cast<long>(r.Int(1, "selected_first", kI32Min, kI32Max));
                   u.second = static_cast<long>(r.Int(2, "selected_second", kI32Min, kI32Max));
                   if (r.failed()) return *err = r.fault(), false;
                   if (!d.users.emplace(user, u).second) {
                     *err = "user " + Quoted(user) + " is given twice";
                     return false;
                   }
                   return true;
                 });
}

bool LoadDataSets(sqlite3* db, detail::Data& d, std::string* error) {
  return EachRow(
      db,
      "SELECT cursor_order, data_id, id_text, data_no, company_name, period_start, period_end, "
      "mfg_cost_flag, extra_period_flag, intro_month_index, companies_act, tax_flag, tax_result "
      "FROM data_sets ORDER BY cursor_order",
      error, [&](sqlite3_stmt* st, std::string* err) {
        Row r(st, "data set " + std::to_string(sqlite3_column_int64(st, 0)));
        detail::DataSet ds;
        ds.dataId = r.TextOrEmpty(1, "data_id", kDataIdMax);
        auto idText = r.Text(2, "id_text", kIdTextMax);
        ds.idText = idText ? *idText : ds.dataId;
        ds.dataNo = static_cast<std::int32_t>(r.Int(3, "data_no", kI32Min, kI32Max));
        std::string company = r.TextOrEmpty(4, "company_name", kCompanyNameMax);
        auto periodStart = r.Int(5, "period_start", kI32Min, kI32Max);
        auto periodEnd = r.Int(6, "period_end", kI32Min, kI32Max);
        auto mfg = r.Int(7, "mfg_cost_flag", kI32Min, kI32Max, 0);
        auto extra = r.Int(8, "extra_period_flag", kI32Min, kI32Max, 0);
        auto intro = r.Int(9, "intro_month_index", kI16Min, kI16Max, 0);
        auto act = r.Int(10, "companies_act", 0, kI8Max, 1);
        ds.taxFlag = static_cast<std::uint8_t>(r.Int(11, "tax_flag", 0, kI8Max, 0));
        ds.taxResult = static_cast<int>(r.Int(12, "tax_result", kI32Min, kI32Max, 0));
        if (r.failed()) return *err = r.fault(), false;

        unsigned char* p = ds.record.raw;
        std::memcpy(p + StDATAINFO::kDataId, ds.dataId.data(), ds.dataId.size());
        rec::PutI32(p, StDATAINFO::kDataNo, ds.dataNo);
        std::memcpy(p + StDATAINFO::kCompanyName, company.data(), company.size());
        rec::PutI32(p, StDATAINFO::kPeriodStart, static_cast<std::int32_t>(periodStart));
        rec::PutI32(p, StDATAINFO::kPeriodEnd, static_cast<std::int32_t>(periodEnd));
        rec::PutI32(p, StDATAINFO::kMfgCostFlag, static_cast<std::int32_t>(mfg));
        rec::PutI32(p, StDATAINFO::kExtraPeriodFlag, static_cast<std::int32_t>(extra));
        rec::PutI16(p, StDATAINFO::kIntroMonthIndex, static_cast<std::int16_t>(intro));
        p[StDATAINFO::kCompaniesAct] = static_cast<unsigned char>(act);
        d.dataSets.push_back(std::move(ds));
        return true;
      });
}

bool KnownDataSet(const detail::Data& d, const std::string& dataId) {
  for (const auto& ds : d.dataSets)
    if (ds.dataId == dataId) return true;
  return false;
}

bool LoadAccounts(sqlite3* db, detail::Data& d, std::string* error) {
  return EachRow(
      db,
      "SELECT data_id, seq, account_key, name, name2, kind, side, category FROM accounts "
      "ORDER BY seq",
      error, [&](sqlite3_stmt* st, std::string* err) {
        Row key(st, "accounts");
        std::string dataId = key.TextOrEmpty(0, "data_id", kUnlimited);
        std::int64_t seq = key.Int(1, "seq", kI64Min, kI64Max);
        if (key.failed()) return *err = key.fault(), false;
        Row r(st, "account " + std::to_string(seq) + " of data set " + Quoted(dataId));
        detail::Account a;
        a.seq = seq;
        auto accountKey = r.Int(2, "account_key", kI32Min, kI32Max);
        std::string name = r.TextOrEmpty(3, "name", kAccountNameMax);
        std::string name2 = r.TextOrEmpty(4, "name2", kAccountName2Max);
        auto kind = r.Int(5, "kind", 0, kI8Max, 0);
        auto side = r.Int(6, "side", 0, kI8Max, 1);
        auto category = r.Int(7, "category", kI32Min, kU32Max, 0);
        if (!r.failed() && !KnownDataSet(d, dataId)) r.Fail("no data set has this data_id");
        auto& list = d.accounts[dataId];
        if (!r.failed() && !list.empty() && list.back().seq == seq) r.Fail("is given twice");
        if (r.failed()) return *err = r.fault(), false;

        unsigned char* p = a.record.raw;
        rec::PutI32(p, StKAMOKUSUMINFO::kKey, static_cast<std::int32_t>(accountKey));
        std::memcpy(p + StKAMOKUSUMINFO::kName, name.data(), name.size());
        std::memcpy(p + StKAMOKUSUMINFO::kName2, name2.data(), name2.size());
        p[StKAMOKUSUMINFO::kKind] = static_cast<unsigned char>(kind);
        p[StKAMOKUSUMINFO::kSide] = static_cast<unsigned char>(side);
        rec::PutI32(p, StKAMOKUSUMINFO::kCategory,
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(category)));
        list.push_back(a);
        return true;
      });
}

detail::Account* FindAccount(detail::Data& d, const std::string& dataId, std::int64_t seq) {
  // The accounts of a data set are held in seq order, so a large company's
  // amounts load in n log n.
  auto it = d.accounts.find(dataId);
  if (it == d.accounts.end()) return nullptr;
  auto& list = it->second;
  auto at = std::lower_bound(list.begin(), list.end(), seq,
                             [](const detail::Account& a, std::int64_t s) { return a.seq < s; });
  return at != list.end() && at->seq == seq ? &*at : nullptr;
}

bool LoadAmounts(sqlite3* db, detail::Data& d, std::string* error) {
  std::set<std::tuple<std::string, std::int64_t, std::int64_t, std::int64_t>> seen;
  return EachRow(
      db, "SELECT data_id, seq, amount_set, slot, debit, credit FROM account_amounts", error,
      [&](sqlite3_stmt* st, std::string* err) {
        Row key(st, "account_amounts");
        std::string dataId = key.TextOrEmpty(0, "data_id", kUnlimited);
        std::int64_t seq = key.Int(1, "seq", kI64Min, kI64Max);
        if (key.failed()) return *err = key.fault(), false;
        Row r(st, "amounts of account " + std::to_string(seq) + " of data set " + Quoted(dataId));
        auto set = r.Int(2, "amount_set", 1, 2);
        auto slot = r.Int(3, "slot", 0, StKAMOKUSUMINFO::kSlots - 1);
        auto debit = r.Int(4, "debit", kI64Min, kI64Max, 0);
        auto credit = r.Int(5, "credit", kI64Min, kI64Max, 0);
        detail::Account* a = r.failed() ? nullptr : FindAccount(d, dataId, seq);
        if (!r.failed() && !a) r.Fail("no such account");
        if (!r.failed() && !seen.emplace(dataId, seq, set, slot).second)
          r.Fail("set " + std::to_string(set) + " slot " + std::to_string(slot) +
                 " is given twice");
        if (r.failed()) return *err = r.fault(), false;
        std::size_t debitOff = set == 1 ? StKAMOKUSUMINFO::kDebit1 : StKAMOKUSUMINFO::kDebit2;
        std::size_t creditOff = set == 1 ? StKAMOKUSUMINFO::kCredit1 : StKAMOKUSUMINFO::kCredit2;
        auto k = static_cast<std::size_t>(slot);
        rec::PutI64(a->record.raw, debitOff + 8 * k, debit);
        rec::PutI64(a->record.raw, creditOff + 8 * k, credit);
        return true;
      });
}

bool LoadSaved(sqlite3* db, detail::Data& d, std::string* error) {
  return EachRow(db, "SELECT data_id, kind, content, result FROM saved_statements", error,
                 [&](sqlite3_stmt* st, std::string* err) {
                   Row key(st, "saved_statements");
                   std::string dataId = key.TextOrEmpty(0, "data_id", kUnlimited);
                   long kind = static_cast<long>(key.Int(1, "kind", kI32Min, kI32Max));
                   if (key.failed()) return *err = key.fault(), false;
                   Row r(st, "saved statement kind " + std::to_string(kind) + " of data set " +
                                 Quoted(dataId));
                   detail::Saved s;
                   s.content = r.Text(2, "content", kUnlimited);
                   s.result = static_cast<int>(r.Int(3, "result", kI32Min, kI32Max, 0));
                   if (!r.failed() && !KnownDataSet(d, dataId))
                     r.Fail("no data set has this data_id");
                   if (!r.failed() && !d.saved.emplace(std::make_pair(dataId, kind), s).second)
                     r.Fail("is given twice");
                   if (r.failed()) return *err = r.fault(), false;
                   return true;
                 });
}

// Creates, in the temporary schema, the tables that the database lacks.
bool SupplyMissingTables(sqlite3* db, std::string* error) {
  for (const auto& t : kTables) {
    Query q(db, "SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND name = ?1");
    if (!q.ok()) return *error = q.Error(), false;
    sqlite3_bind_text(q.st(), 1, t.name, -1, SQLITE_STATIC);
    int rc = q.Step();
    if (rc == SQLITE_ROW) continue;
    if (rc != SQLITE_DONE) return *error = q.Error(), false;
    std::string sql = t.sql;
    const std::string from = "CREATE TABLE IF NOT EXISTS";
    sql.replace(sql.find(from), from.size(), "CREATE TEMP TABLE IF NOT EXISTS");
    if (!Exec(db, sql, error)) return false;
  }
  return true;
}

bool Load(sqlite3* db, detail::Data& d, std::string* error) {
  return SupplyMissingTables(db, error) && LoadSettings(db, d.settings, error) &&
         LoadUsers(db, d, error) && LoadDataSets(db, d, error) && LoadAccounts(db, d, error) &&
         LoadAmounts(db, d, error) && LoadSaved(db, d, error);
}

}  // namespace

namespace detail {

const Data& Loaded() { return S().data; }

bool OpenAndLoad(std::string* error) {
  State& s = S();
  Close();
  sqlite3* db = s.memory;
  std::string name = s.memory ? std::string("(in memory)") : s.path;
  if (!db) {
    if (s.path.empty()) {
      *error = "engine database: no database path is set";
      s.lastError = *error;
      return false;
    }
    int rc = sqlite3_open_v2(s.path.c_str(), &s.file, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
      *error = "engine database " + name +
               ": cannot open: " + (s.file ? sqlite3_errmsg(s.file) : sqlite3_errstr(rc));
      CloseDb(s.file);
      s.lastError = *error;
      return false;
    }
    db = s.file;
  }
  Data d;
  std::string fault;
  if (!Load(db, d, &fault)) {
    *error = "engine database " + name + ": " + fault;
    CloseDb(s.file);
    s.lastError = *error;
    return false;
  }
  s.data = std::move(d);
  s.lastError.clear();
  return true;
}

void Close() {
  State& s = S();
  CloseDb(s.file);
  s.data = Data();
}

const DataSet* FindDataSet(const std::string& dataId) {
  for (const auto& ds : S().data.dataSets)
    if (ds.dataId == dataId) return &ds;
  return nullptr;
}

}  // namespace detail

void SetDatabasePath(const std::string& hostPath) { S().path = hostPath; }

bool UseInMemoryDatabase(const std::string& sql, std::string* error) {
  State& s = S();
  CloseDb(s.memory);
  std::string msg;
  if (sqlite3_open(":memory:", &s.memory) != SQLITE_OK || !Exec(s.memory, SchemaSql(), &msg) ||
      !Exec(s.memory, sql, &msg)) {
    if (msg.empty() && s.memory) msg = sqlite3_errmsg(s.memory);
    CloseDb(s.memory);
    if (error) *error = msg;
    return false;
  }
  return true;
}

void Reset() {
  detail::Close();
  detail::ResetObjects();
  State& s = S();
  CloseDb(s.memory);
  s.path.clear();
  s.lastError.clear();
}

const std::string& LastInitiateError() { return S().lastError; }

const char* SchemaSql() {
  static const std::string all = [] {
    std::string text;
    for (const auto& t : kTables) text += t.sql;
    return text;
  }();
  return all.c_str();
}

}  // namespace engine
