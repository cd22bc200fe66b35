// Table: keyed tables over SQLite.  One database file per table, in the
// current folder, holding one SQL table named after it (columns named after
// the fields) and one index per key, named exactly as the key.
//
// How the key rules map onto SQLite:
//  * empty values are left out of a key by a partial index ("col" <> 0 or
//    "col" <> ''); every read through a key repeats that condition, which is
//    also what lets SQLite use the partial index;
//  * text columns are COLLATE NOCASE, so keys sort and match without regard
//    to case, and are stored without trailing blanks so those never count;
//  * a unique key is a unique partial index, so empty values never clash;
//  * a duplicates key indexes (component, record number): the record number
//    orders equal values and makes every position in the key exact, so a
//    page can continue after any record without counting offsets;
//  * a descending key is the same index read backwards.
//
// Files are rollback-journal databases (journal_mode=DELETE,
// synchronous=FULL): after each commit the .TPS is complete on its own, and a
// commit that was acknowledged survives a crash.  Every write is one short
// IMMEDIATE transaction; reads finish their statement before returning so no
// lock is left for another process to wait on.  Connections are opened
// without SQLite's own mutex (it would be taken for every column read); each
// TableFile's mutex serialises all use of its connection instead.
#include <sqlite3.h>

#include <array>
#include <atomic>
#include <cassert>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>

#include "store/StoreMessages.h"
#include "store/Tables.h"

namespace vm {

namespace fs = std::filesystem;

namespace {

// "VMRK": marks a file as one of ours, so a stray SQLite file is refused.
constexpr int kApplicationId = 0x564D524B;
constexpr int kSchemaVersion = 2;

std::atomic<int> busyTimeoutMs{5000};

std::string quoted(std::string_view name) {
  std::string q = "\"";
  for (char c : name) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

bool isText(const FieldDef& f) {
  return f.type == FieldType::String || f.type == FieldType::Memo;
}

// An extra index that is not a key but makes the browsers' stock filter
// fast: the stock flag read as a number, followed by every key's component,
// so that counting the brews in stock through any key reads this index alone.
struct AuxIndex {
  const char* table;
  const char* name;
  int field;
};
constexpr AuxIndex kAuxIndexes[] = {{"BREWSV3", "aux:StockNumber", 57}};

std::string emptyCondition(const FieldDef& f) {
  return quoted(f.column) + (isText(f) ? " <> ''" : " <> 0");
}

const FieldDef& keyField(const TableDef& def, int key) {
  return def.fields[def.keys[key].field - 1];
}
const FieldDef& recordField(const TableDef& def) {
  return def.fields[def.keys[def.recordKey].field - 1];
}

// An integer record number is the table's own row key (INTEGER PRIMARY
// KEY): reading in record-number order then walks the table itself, with no
// index between, which is what makes a report's full read fast.  A REAL
// record number (BRANDS4) keeps an index like any other key.
bool isRowKey(const TableDef& def, int key) {
  return key == def.recordKey && def.fields[def.keys[key].field - 1].type == FieldType::Long;
}

std::string columnList(const TableDef& def) {
  std::string s;
  for (const FieldDef& f : def.fields) {
    if (!s.empty()) s += ',';
    s += quoted(f.column);
  }
  return s;
}

std::string sqlType(const FieldDef& f) {
  switch (f.type) {
    case FieldType::Real:
      return "REAL";
    case FieldType::String:
    case FieldType::Memo:
      return "TEXT";
    default:
      return "INTEGER";
  }
}

std::vector<std::string> schemaStatements(const TableDef& def) {
  std::vector<std::string> out;
  std::string t = "CREATE TABLE " + quoted(def.name) + " (";
  for (size_t i = 0; i < def.fields.size(); ++i) {
    const FieldDef& f = def.fields[i];
    if (i) t += ", ";
    if (def.recordKey >= 0 && isRowKey(def, def.recordKey) && &f == &recordField(def)) {
      t += quoted(f.column) + " INTEGER PRIMARY KEY NOT NULL";
      continue;
    }
    t += quoted(f.column) + " " + sqlType(f) + " NOT NULL DEFAULT " + (isText(f) ? "''" : "0");
    if (f.type == FieldType::String) t += " COLLATE NOCASE";
  }
  t += ") STRICT";
  out.push_back(t);
  for (size_t k = 0; k < def.keys.size(); ++k) {
    if (isRowKey(def, static_cast<int>(k))) continue;
    const KeyDef& key = def.keys[k];
    const FieldDef& f = keyField(def, static_cast<int>(k));
    std::string cols = quoted(f.column);
    if (!key.unique) {
      cols += "," + quoted(recordField(def).column);
      // The stock flag rides along in the duplicates keys, whose order
      // scatters records over the file: the in-stock filter is then tested
      // in the index, and only the records that pass are read.
      for (const AuxIndex& a : kAuxIndexes)
        if (std::string_view(a.table) == def.name)
          cols += "," + quoted(def.fields[a.field - 1].column);
    }
    out.push_back(std::string("CREATE ") + (key.unique ? "UNIQUE " : "") + "INDEX " +
                  quoted(key.name) + " ON " + quoted(def.name) + " (" + cols + ") WHERE " +
                  emptyCondition(f));
  }
  for (const AuxIndex& a : kAuxIndexes) {
    if (std::string_view(a.table) != def.name) continue;
    std::string cols = "(" + quoted(def.fields[a.field - 1].column) + "+0)";
    for (const KeyDef& k : def.keys) cols += "," + quoted(def.fields[k.field - 1].column);
    out.push_back("CREATE INDEX " + quoted(a.name) + " ON " + quoted(def.name) + " (" + cols + ")");
  }
  return out;
}

// Binds `v` to parameter i the way a field of type `f` is stored.
void bindValue(sqlite3_stmt* s, int i, const FieldDef& f, const FieldValue& value) {
  FieldValue v = coerceToField(f, value);
  if (auto* n = std::get_if<std::int64_t>(&v))
    sqlite3_bind_int64(s, i, *n);
  else if (auto* d = std::get_if<double>(&v))
    sqlite3_bind_double(s, i, *d);
  else if (auto* x = std::get_if<Decimal>(&v))
    sqlite3_bind_int64(s, i, x->toUnits(2));
  else {
    const std::string& t = std::get<std::string>(v);
    sqlite3_bind_text(s, i, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
  }
}

bool isEmptyValue(const FieldDef& f, const FieldValue& value) {
  FieldValue v = coerceToField(f, value);
  if (auto* n = std::get_if<std::int64_t>(&v)) return *n == 0;
  if (auto* d = std::get_if<double>(&v)) return *d == 0;
  if (auto* x = std::get_if<Decimal>(&v)) return x->toUnits(2) == 0;
  return std::get<std::string>(v).empty();
}

double numberOf(const FieldValue& v) {
  if (auto* n = std::get_if<std::int64_t>(&v)) return static_cast<double>(*n);
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* x = std::get_if<Decimal>(&v)) return x->toDouble();
  return Decimal::parse(std::get<std::string>(v)).value_or(Decimal()).toDouble();
}

const char* sqlOperator(FilterOp op) {
  switch (op) {
    case FilterOp::Equal:
      return " = ";
    case FilterOp::NotEqual:
      return " <> ";
    case FilterOp::Less:
      return " < ";
    case FilterOp::LessOrEqual:
      return " <= ";
    case FilterOp::Greater:
      return " > ";
    case FilterOp::GreaterOrEqual:
      return " >= ";
    case FilterOp::StartsWith:
      return " LIKE ";
  }
  return " = ";
}

// Largest value an automatically numbered field can take.
double highestNumber(const FieldDef& f) {
  switch (f.type) {
    case FieldType::Byte:
      return 255;
    case FieldType::Short:
      return 32767;
    case FieldType::Long:
    case FieldType::Date:
      return 2147483647.0;
    default:
      return 9007199254740992.0;  // exact integers in a double
  }
}

// The size check of an SQLite header: a file shorter than the pages its
// header counts has lost data (a partial copy, a truncated download).
// Returns an error text, or "" when the header is sound.
std::string checkHeader(const fs::path& path, std::uintmax_t size) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string("the file cannot be read (") + std::strerror(errno) + ")";
  std::array<unsigned char, 100> h{};
  in.read(reinterpret_cast<char*>(h.data()), h.size());
  if (in.gcount() < 100 || std::memcmp(h.data(), "SQLite format 3", 16) != 0)
    return "the file is not a table file (unknown format)";
  auto be32 = [&](int o) {
    return (std::uint32_t(h[o]) << 24) | (std::uint32_t(h[o + 1]) << 16) |
           (std::uint32_t(h[o + 2]) << 8) | std::uint32_t(h[o + 3]);
  };
  std::uint32_t pageSize = (std::uint32_t(h[16]) << 8) | h[17];
  if (pageSize == 1) pageSize = 65536;
  std::uint32_t pages = be32(28);
  bool countValid = be32(24) == be32(92) && pages != 0;
  if (countValid && size < std::uintmax_t(pageSize) * pages)
    return "the file is damaged: it is shorter than the data it holds";
  return "";
}

// With asNumber a text field is read as a number ("1", " 1" and "1.0" all
// equal 1); number fields compare as numbers anyway.
bool numericText(const FieldDef& f, const Condition& c) {
  return c.asNumber && isText(f);
}

// Appends " AND ..." for every condition, parameters numbered from `first`;
// false when a condition names no field of the table.
bool filterSql(const TableDef& def, const Filter& filter, int first, std::string& sql) {
  for (size_t i = 0; i < filter.size(); ++i) {
    const Condition& c = filter[i];
    const FieldDef* f = fieldByNumber(def.fields, c.field);
    if (!f) return false;
    std::string p = "?" + std::to_string(first + static_cast<int>(i));
    if (c.op == FilterOp::StartsWith)
      sql += " AND " + quoted(f->column) + " LIKE " + p + " ESCAPE '\\'";
    else if (numericText(*f, c))
      sql += " AND (" + quoted(f->column) + "+0)" + sqlOperator(c.op) + p;
    else
      sql += " AND " + quoted(f->column) + sqlOperator(c.op) + p;
  }
  return true;
}

void bindFilter(sqlite3_stmt* s, const TableDef& def, const Filter& filter, int first) {
  for (size_t i = 0; i < filter.size(); ++i) {
    const Condition& c = filter[i];
    const FieldDef& f = def.fields[c.field - 1];
    int p = first + static_cast<int>(i);
    if (c.op == FilterOp::StartsWith) {
      const std::string text = fieldValueText(c.value);  // outlives the view below
      std::string like;
      for (char ch : trimRight(text)) {
        if (ch == '%' || ch == '_' || ch == '\\') like += '\\';
        like += ch;
      }
      like += '%';
      sqlite3_bind_text(s, p, like.data(), static_cast<int>(like.size()), SQLITE_TRANSIENT);
    } else if (numericText(f, c)) {
      sqlite3_bind_double(s, p, numberOf(c.value));
    } else {
      bindValue(s, p, f, c.value);
    }
  }
}

}  // namespace

void setBusyTimeout(int milliseconds) {
  busyTimeoutMs = milliseconds;
}

Condition inStockFilter() {
  return Condition{brew::kStockOnHand, FilterOp::Equal, std::int64_t{1}, true};
}

// ---------------------------------------------------------------------------
// TableFile: one open database, shared by every owner in the process.

class TableFile {
 public:
  TableFile(const TableDef& def, fs::path path) : def_(def), path_(std::move(path)) {}
  ~TableFile() {
    for (auto& [sql, e] : cache_) sqlite3_finalize(e.statement);
    if (db_) sqlite3_close_v2(db_);
  }

  // Opens (creating when missing) and checks the file; "" on success.
  std::string open();

  std::recursive_mutex& mutex() { return mutex_; }
  sqlite3* db() { return db_; }
  const TableDef& def() const { return def_; }

  struct Entry {
    sqlite3_stmt* statement;
    bool inUse;
  };

  // A prepared statement from the cache, reset when the Statement ends.  A
  // statement already running (a read calling back into the table) is not
  // shared: a fresh one is prepared instead.
  class Statement {
   public:
    Statement(TableFile& file, const std::string& sql) : file_(file) {
      auto it = file.cache_.find(sql);
      if (it != file.cache_.end() && !it->second.inUse) {
        entry_ = &it->second;
      } else {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v3(file.db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) !=
            SQLITE_OK) {
          error_ = sqlite3_errmsg(file.db_);
          return;
        }
        if (it == file.cache_.end())
          entry_ = &file.cache_.emplace(sql, Entry{s, false}).first->second;
        else
          own_ = s;
      }
      if (entry_) entry_->inUse = true;
    }
    ~Statement() {
      if (sqlite3_stmt* s = get()) {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
      }
      if (entry_) entry_->inUse = false;
      if (own_) sqlite3_finalize(own_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return own_ ? own_ : entry_ ? entry_->statement : nullptr; }
    bool ok() const { return get() != nullptr; }
    const std::string& error() const { return error_; }

   private:
    TableFile& file_;
    Entry* entry_ = nullptr;
    sqlite3_stmt* own_ = nullptr;
    std::string error_;
  };

  // Runs a statement without results; "" or the error text.
  std::string exec(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) == SQLITE_OK) return "";
    std::string e = err ? err : sqlite3_errmsg(db_);
    sqlite3_free(err);
    return e;
  }

 private:
  std::string create();
  std::string openExisting();
  std::string checkSchema();

  const TableDef& def_;
  fs::path path_;
  sqlite3* db_ = nullptr;
  std::recursive_mutex mutex_;
  std::map<std::string, Entry> cache_;
};

std::string TableFile::open() {
  std::error_code ec;
  fs::file_status st = fs::status(path_, ec);
  if (!fs::exists(st)) {
    std::string e = create();
    if (!e.empty()) return e;
    st = fs::status(path_, ec);
  }
  if (fs::is_directory(st)) return std::string(def_.fileName) + " is a folder, not a table file";
  if (!fs::is_regular_file(st)) return "the file is not a regular file";
  std::uintmax_t size = fs::file_size(path_, ec);
  if (ec) return ec.message();
  if (size == 0) return "the file is empty";
  // After a crash in the middle of a commit the journal beside the file
  // holds what is needed to put it back; SQLite rolls it back on first read
  // and the size check would refuse a file that is about to be repaired.
  fs::path journal = path_;
  journal += "-journal";
  bool hotJournal = fs::exists(journal, ec) && fs::file_size(journal, ec) > 0;
  std::string e = checkHeader(path_, size);
  if (!e.empty() && !(hotJournal && e.rfind("the file is damaged", 0) == 0)) return e;
  return openExisting();
}

// A new file is built under a temporary name and linked into place only when
// complete, so the table's name never stands for a half-made file, and a
// file that another process created meanwhile is never replaced.
std::string TableFile::create() {
  std::random_device rd;
  fs::path tmp = path_;
  tmp += ".new-" + std::to_string(rd()) + std::to_string(rd());
  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(tmp.string().c_str(), &db,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  std::string error;
  if (rc != SQLITE_OK) {
    error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  } else {
    std::string sql =
        "PRAGMA page_size=16384; PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA "
        "application_id=" +
        std::to_string(kApplicationId) + "; PRAGMA user_version=" + std::to_string(kSchemaVersion) +
        "; BEGIN;";
    for (const std::string& s : schemaStatements(def_)) sql += s + ";";
    sql += "COMMIT;";
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
      error = err ? err : sqlite3_errmsg(db);
      sqlite3_free(err);
    }
  }
  if (db) sqlite3_close_v2(db);
  std::error_code ec;
  if (error.empty()) {
    fs::create_hard_link(tmp, path_, ec);
    if (ec && !fs::exists(path_)) {
      // Where links are not available, a rename is the next best thing.
      ec.clear();
      fs::rename(tmp, path_, ec);
      if (ec) error = "the file could not be created (" + ec.message() + ")";
    }
  }
  fs::remove(tmp, ec);
  fs::path tmpJournal = tmp;
  tmpJournal += "-journal";
  fs::remove(tmpJournal, ec);
  return error;
}

std::string TableFile::openExisting() {
  int rc = sqlite3_open_v2(path_.string().c_str(), &db_,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) return db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, busyTimeoutMs);
  if (sqlite3_db_readonly(db_, "main") == 1) return "the file is read-only";
  std::string e = checkSchema();
  if (!e.empty()) return e;
  // A browse list through a kit, score or cost key visits records spread
  // over the whole file; 16 MB of page cache keeps the pages of recent
  // screens at hand instead of reading them from the file again.
  e = exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_size=-16384;");
  return e;
}

std::string TableFile::checkSchema() {
  auto single = [&](const std::string& sql, sqlite3_int64& out) -> std::string {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
      return sqlite3_errmsg(db_);
    int rc = sqlite3_step(s);
    out = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
    std::string e = rc == SQLITE_ROW || rc == SQLITE_DONE ? "" : sqlite3_errmsg(db_);
    sqlite3_finalize(s);
    return e;
  };
  const std::string notOurs = std::string("the file does not hold the ") + def_.name + " table";
  sqlite3_int64 appId = 0, version = 0;
  std::string e = single("PRAGMA application_id", appId);
  if (e.empty()) e = single("PRAGMA user_version", version);
  if (!e.empty()) return e;
  if (appId != kApplicationId) return notOurs;
  if (version != kSchemaVersion) return "the file was written by another version of the program";

  // Columns: names and types in field order.
  sqlite3_stmt* s = nullptr;
  std::string sql = "PRAGMA table_info(" + quoted(def_.name) + ")";
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
    return sqlite3_errmsg(db_);
  size_t n = 0;
  bool match = true;
  int rc;
  while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    const char* name = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
    const char* type = reinterpret_cast<const char*>(sqlite3_column_text(s, 2));
    if (n >= def_.fields.size() || !name || !type || def_.fields[n].column != std::string(name) ||
        sqlType(def_.fields[n]) != type)
      match = false;
    ++n;
  }
  if (rc != SQLITE_DONE) e = sqlite3_errmsg(db_);
  sqlite3_finalize(s);
  if (!e.empty()) return e;
  if (!match || n != def_.fields.size()) return notOurs;

  // Keys: every index present, unique where the key is; an integer record
  // number is the row key.
  for (size_t i = 0; i < def_.keys.size(); ++i) {
    const KeyDef& k = def_.keys[i];
    if (isRowKey(def_, static_cast<int>(i))) {
      sqlite3_int64 pk = 0;
      e = single("SELECT pk FROM pragma_table_info(" + quoted(def_.name) + ") WHERE name = '" +
                     recordField(def_).column + "'",
                 pk);
      if (!e.empty()) return e;
      if (pk != 1) return notOurs;
      continue;
    }
    sqlite3_int64 unique = -1;
    e = single("SELECT \"unique\" FROM pragma_index_list(" + quoted(def_.name) +
                   ") WHERE name = '" + k.name + "'",
               unique);
    if (!e.empty()) return e;
    sqlite3_int64 present = 0;
    e = single("SELECT count(*) FROM pragma_index_list(" + quoted(def_.name) + ") WHERE name = '" +
                   k.name + "'",
               present);
    if (!e.empty()) return e;
    if (present != 1 || (unique != 0) != k.unique) return notOurs;
  }
  return "";
}

// ---------------------------------------------------------------------------
// The process-wide registry of open files: one TableFile per path.

namespace {

std::mutex registryMutex;
std::map<std::string, std::weak_ptr<TableFile>>& registry() {
  static std::map<std::string, std::weak_ptr<TableFile>> r;
  return r;
}

std::shared_ptr<TableFile> acquire(const TableDef& def, std::string& error) {
  std::error_code ec;
  fs::path dir = fs::current_path(ec);
  if (ec) {
    error = ec.message();
    return nullptr;
  }
  fs::path path = dir / def.fileName;
  std::lock_guard lock(registryMutex);
  auto& slot = registry()[path.string()];
  if (auto f = slot.lock()) return f;
  auto f = std::make_shared<TableFile>(def, path);
  error = f->open();
  if (!error.empty()) return nullptr;
  slot = f;
  return f;
}

}  // namespace

Status removeTableFile(const TableDef& def) {
  if (def.keys.empty()) return Status::Refused;
  std::error_code ec;
  fs::path path = fs::current_path(ec) / def.fileName;
  if (ec) return Status::FileError;
  std::lock_guard lock(registryMutex);
  auto it = registry().find(path.string());
  if (it != registry().end() && !it->second.expired()) return Status::Refused;
  if (!fs::exists(path, ec)) return Status::Ok;
  if (!fs::is_regular_file(path, ec)) return Status::Refused;
  // A lock taken at once, or not at all, tells whether another program is
  // using the file right now.
  sqlite3* db = nullptr;
  bool free =
      sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
      sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
  if (db) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
  }
  if (!free) return Status::Refused;
  fs::path journal = path;
  journal += "-journal";
  if (fs::exists(journal, ec)) return Status::Refused;  // needed to repair the file
  return fs::remove(path, ec) ? Status::Ok : Status::FileError;
}

namespace {

const TableDef* relatedTable(const TableDef& def) {
  if (&def == &BrewRecord::definition()) return &BrandRecord::definition();
  if (&def == &BrandRecord::definition()) return &BrewRecord::definition();
  return nullptr;
}

// One IMMEDIATE transaction: the write lock is taken at the start, so the
// numbers read inside it cannot be taken by anyone else before the commit.
class Transaction {
 public:
  explicit Transaction(TableFile& f) : f_(f) { error_ = f.exec("BEGIN IMMEDIATE"); }
  ~Transaction() {
    if (error_.empty() && !done_) f_.exec("ROLLBACK");
  }
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  std::string commit() {
    std::string e = f_.exec("COMMIT");
    if (!e.empty()) {
      f_.exec("ROLLBACK");
      done_ = true;
      return e;
    }
    done_ = true;
    return "";
  }

 private:
  TableFile& f_;
  std::string error_;
  bool done_ = false;
};

// Outcome of one write attempt inside a transaction.
struct Attempt {
  Status status = Status::Ok;
  std::string error;
  int key = -1;       // the key concerned (duplicate, numbering)
  bool busy = false;  // another writer held the file: worth another attempt
};

// The key a refused write names to the user; the table itself when the
// driver refused it without saying which.
std::string clashingKey(const TableDef& def, const Attempt& a) {
  return a.key >= 0 ? def.keys[a.key].name : def.name;
}

// A failed step, remembering whether another writer was in the way.
Attempt failure(TableFile& f, std::string error, int key = -1) {
  bool busy = (sqlite3_extended_errcode(f.db()) & 0xff) == SQLITE_BUSY;
  return {Status::FileError, std::move(error), key, busy};
}

}  // namespace

TableHandle::TableHandle(const TableDef& def) : def_(def) {}

TableHandle::~TableHandle() {
  while (opens_ > 0) close();
}

Status TableHandle::open() {
  if (def_.keys.empty()) {
    error_ = "the layout has no table file";
    return Status::Refused;
  }
  if (opens_ > 0) {
    ++opens_;
    return Status::Ok;
  }
  std::string error;
  auto file = acquire(def_, error);
  const TableDef* failed = &def_;
  std::shared_ptr<TableFile> related;
  if (file) {
    if (const TableDef* r = relatedTable(def_)) {
      related = acquire(*r, error);
      if (!related) {
        failed = r;
        file.reset();
      }
    }
  }
  if (!file) {
    error_ = error;
    storeMessages().show(fileAccessMessage(failed->name, error, true));
    return Status::FileError;
  }
  file_ = std::move(file);
  related_ = std::move(related);
  opens_ = 1;
  error_.clear();
  return Status::Ok;
}

void TableHandle::close() {
  if (opens_ == 0) return;
  if (--opens_ == 0) {
    std::lock_guard lock(registryMutex);  // the last owner's release closes the file
    file_.reset();
    related_.reset();
  }
}

Status TableHandle::read(const View& view, From from, const void* anchor, const FieldValue* value,
                         int limit, const std::function<bool(sqlite3_stmt*)>& row) {
  if (!file_) return Status::NotOpen;
  if (view.key < 0 || view.key >= static_cast<int>(def_.keys.size()) ||
      ((from == From::After || from == From::Before) && !anchor) ||
      (from == From::AtOrAfter && !value)) {
    error_ = "unknown key or position";
    return Status::Refused;
  }
  const KeyDef& key = def_.keys[view.key];
  const FieldDef& kf = keyField(def_, view.key);
  const FieldDef& tie = recordField(def_);
  const bool forward = from == From::Start || from == From::After || from == From::AtOrAfter;
  const bool ascending = forward != key.descending;
  const char* dir = ascending ? "" : " DESC";

  // The key's own index is named so that SQLite never prefers another index
  // and a sort of everything that passes the filter.
  std::string sql = "SELECT " + columnList(def_) + " FROM " + quoted(def_.name) +
                    (isRowKey(def_, view.key) ? "" : " INDEXED BY " + quoted(key.name)) +
                    " WHERE " + emptyCondition(kf);
  if (from == From::After || from == From::Before) {
    const char* op = ascending ? " > " : " < ";
    if (key.unique)
      sql += " AND " + quoted(kf.column) + op + "?1";
    else
      sql += " AND (" + quoted(kf.column) + "," + quoted(tie.column) + ")" + op + "(?1,?2)";
  } else if (from == From::AtOrAfter) {
    sql += " AND " + quoted(kf.column) + (ascending ? " >= " : " <= ") + "?1";
  }
  if (!filterSql(def_, view.filter, 3, sql)) {
    error_ = "unknown field in filter";
    return Status::Refused;
  }
  sql += " ORDER BY " + quoted(kf.column) + dir;
  if (!key.unique) sql += "," + quoted(tie.column) + dir;
  if (limit > 0) sql += " LIMIT " + std::to_string(limit);

  std::lock_guard lock(file_->mutex());
  TableFile::Statement st(*file_, sql);
  if (!st.ok()) {
    error_ = st.error();
    return Status::FileError;
  }
  sqlite3_stmt* s = st.get();
  if (anchor) {
    bindValue(s, 1, kf, def_.get(anchor, kf.number - 1));
    if (!key.unique) bindValue(s, 2, tie, def_.get(anchor, tie.number - 1));
  } else if (value) {
    bindValue(s, 1, kf, *value);
  }
  bindFilter(s, def_, view.filter, 3);
  int rc;
  while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    if (!row(s)) return Status::Ok;
  }
  if (rc != SQLITE_DONE) {
    error_ = sqlite3_errmsg(file_->db());
    return Status::FileError;
  }
  return Status::Ok;
}

Status TableHandle::count(int key, const Filter& filter, std::int64_t& result) {
  result = 0;
  if (!file_) return Status::NotOpen;
  if (key >= static_cast<int>(def_.keys.size())) return Status::Refused;
  std::string sql = "SELECT count(*) FROM " + quoted(def_.name) + " WHERE 1";
  if (key >= 0) sql += " AND " + emptyCondition(keyField(def_, key));
  if (!filterSql(def_, filter, 1, sql)) return Status::Refused;
  std::lock_guard lock(file_->mutex());
  TableFile::Statement st(*file_, sql);
  if (!st.ok()) {
    error_ = st.error();
    return Status::FileError;
  }
  sqlite3_stmt* s = st.get();
  bindFilter(s, def_, filter, 1);
  int rc = sqlite3_step(s);
  if (rc != SQLITE_ROW) {
    error_ = sqlite3_errmsg(file_->db());
    return Status::FileError;
  }
  result = sqlite3_column_int64(s, 0);
  return Status::Ok;
}

Status TableHandle::fetch(int key, const FieldValue& value,
                          const std::function<void(sqlite3_stmt*)>& row) {
  if (!file_) return Status::NotOpen;
  if (key < 0 || key >= static_cast<int>(def_.keys.size()) || !def_.keys[key].unique) {
    error_ = "not a unique key";
    return Status::Refused;
  }
  const FieldDef& kf = keyField(def_, key);
  if (isEmptyValue(kf, value)) return Status::NotFound;
  std::string sql = "SELECT " + columnList(def_) + " FROM " + quoted(def_.name) + " WHERE " +
                    emptyCondition(kf) + " AND " + quoted(kf.column) + " = ?1";
  std::lock_guard lock(file_->mutex());
  TableFile::Statement st(*file_, sql);
  if (!st.ok()) {
    error_ = st.error();
    return Status::FileError;
  }
  bindValue(st.get(), 1, kf, value);
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_ROW) {
    row(st.get());
    return Status::Ok;
  }
  if (rc == SQLITE_DONE) return Status::NotFound;
  error_ = sqlite3_errmsg(file_->db());
  return Status::FileError;
}

// ---------------------------------------------------------------------------
// Writing.

namespace {

// Looks for another record holding a unique key value of `record`; `self`
// is the record number to leave out (an update), or null (an insert).
Attempt findClash(TableFile& f, const void* record, bool skipRecordKey, bool excludeSelf) {
  const TableDef& def = f.def();
  const FieldDef& rf = recordField(def);
  for (size_t k = 0; k < def.keys.size(); ++k) {
    const KeyDef& key = def.keys[k];
    if (!key.unique || (skipRecordKey && static_cast<int>(k) == def.recordKey)) continue;
    const FieldDef& kf = keyField(def, static_cast<int>(k));
    FieldValue v = def.get(record, kf.number - 1);
    if (isEmptyValue(kf, v)) continue;
    std::string sql = "SELECT 1 FROM " + quoted(def.name) + " WHERE " + emptyCondition(kf) +
                      " AND " + quoted(kf.column) + " = ?1";
    if (excludeSelf) sql += " AND " + quoted(rf.column) + " <> ?2";
    sql += " LIMIT 1";
    TableFile::Statement st(f, sql);
    if (!st.ok()) return {Status::FileError, st.error(), static_cast<int>(k)};
    bindValue(st.get(), 1, kf, v);
    if (excludeSelf) bindValue(st.get(), 2, rf, def.get(record, rf.number - 1));
    int rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW) return {Status::DuplicateKey, "", static_cast<int>(k)};
    if (rc != SQLITE_DONE) return failure(f, sqlite3_errmsg(f.db()), static_cast<int>(k));
  }
  return {};
}

// Highest value of key `k` plus one, stored into `record`.
Attempt takeNumber(TableFile& f, void* record, int k) {
  const TableDef& def = f.def();
  const FieldDef& kf = keyField(def, k);
  std::string sql = "SELECT max(" + quoted(kf.column) + ") FROM " + quoted(def.name) + " WHERE " +
                    emptyCondition(kf);
  TableFile::Statement st(f, sql);
  if (!st.ok()) return {Status::FileError, st.error(), k};
  int rc = sqlite3_step(st.get());
  if (rc != SQLITE_ROW) return failure(f, sqlite3_errmsg(f.db()), k);
  double high =
      sqlite3_column_type(st.get(), 0) == SQLITE_NULL ? 0 : sqlite3_column_double(st.get(), 0);
  // Fractions in a REAL record number do not count: the next whole number.
  double next = std::floor(high) + 1;
  if (next < 1) next = 1;
  if (next > highestNumber(kf)) return {Status::NumberingFailed, "no higher number is free", k};
  if (kf.type == FieldType::Real)
    def.set(record, kf.number - 1, next);
  else
    def.set(record, kf.number - 1, static_cast<std::int64_t>(next));
  return {};
}

Attempt insertRow(TableFile& f, const void* record) {
  const TableDef& def = f.def();
  std::string sql = "INSERT INTO " + quoted(def.name) + " (" + columnList(def) + ") VALUES (";
  for (size_t i = 0; i < def.fields.size(); ++i) sql += i ? ",?" : "?";
  sql += ")";
  TableFile::Statement st(f, sql);
  if (!st.ok()) return {Status::FileError, st.error()};
  def.bindRow(record, st.get(), 1);
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_DONE) return {};
  if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
    return {Status::DuplicateKey, sqlite3_errmsg(f.db())};
  return failure(f, sqlite3_errmsg(f.db()));
}

}  // namespace

Status TableHandle::prime(void* record) {
  if (!file_) return Status::NotOpen;
  std::lock_guard lock(file_->mutex());
  for (;;) {
    Attempt last;
    for (int attempt = 0; attempt < 3; ++attempt) {
      Transaction tx(*file_);
      if (!tx.ok()) {
        last = failure(*file_, tx.error());
        continue;
      }
      Attempt a;
      for (size_t k = 0; k < def_.keys.size() && a.status == Status::Ok; ++k)
        if (def_.keys[k].autoNumber) a = takeNumber(*file_, record, static_cast<int>(k));
      if (a.status == Status::Ok) a = findClash(*file_, record, false, false);
      if (a.status == Status::DuplicateKey && !def_.keys[a.key].autoNumber) {
        // A copied value that no new number can cure: the user must change it.
        error_ = "duplicate entry";
        storeMessages().show(duplicateKeyMessage(def_.keys[a.key].name));
        return Status::DuplicateKey;
      }
      if (a.status == Status::Ok) a = insertRow(*file_, record);
      if (a.status == Status::Ok) {
        std::string e = tx.commit();
        if (e.empty()) {
          error_.clear();
          return Status::Ok;
        }
        a = failure(*file_, e);
      }
      if (a.status == Status::FileError && !a.busy) {
        // Not a matter of numbers: trying again would fail the same way.
        error_ = a.error;
        storeMessages().show(recordInsertMessage(def_.name, error_));
        return Status::FileError;
      }
      if (a.status == Status::DuplicateKey && a.error.empty()) a.error = "the number was taken";
      last = a;
    }
    error_ = last.error;
    int key = last.key >= 0 ? last.key : 0;
    for (size_t k = 0; last.key < 0 && k < def_.keys.size(); ++k)
      if (def_.keys[k].autoNumber) {
        key = static_cast<int>(k);
        break;
      }
    if (storeMessages().show(autoIncrementMessage(def_.name, def_.keys[key].name, error_)) != 1)
      return Status::NumberingFailed;
  }
}

Status TableHandle::insert(void* record) {
  return insertAll(1, [record](std::size_t) { return record; });
}

Status TableHandle::insertAll(std::size_t n, const std::function<void*(std::size_t)>& record) {
  if (!file_) return Status::NotOpen;
  std::lock_guard lock(file_->mutex());
  Attempt a;
  Transaction tx(*file_);
  if (!tx.ok()) a = {Status::FileError, tx.error()};
  for (std::size_t i = 0; i < n && a.status == Status::Ok; ++i) {
    void* r = record(i);
    if (def_.recordKey >= 0) {
      const FieldDef& rf = recordField(def_);
      if (isEmptyValue(rf, def_.get(r, rf.number - 1))) a = takeNumber(*file_, r, def_.recordKey);
    }
    if (a.status == Status::Ok) a = findClash(*file_, r, false, false);
    if (a.status == Status::Ok) a = insertRow(*file_, r);
  }
  if (a.status == Status::Ok) {
    std::string e = tx.commit();
    if (e.empty()) {
      error_.clear();
      return Status::Ok;
    }
    a = {Status::FileError, e};
  }
  error_ = a.error;
  if (a.status == Status::DuplicateKey) {
    storeMessages().show(duplicateKeyMessage(clashingKey(def_, a)));
    return Status::DuplicateKey;
  }
  storeMessages().show(recordInsertMessage(def_.name, error_));
  return a.status == Status::NumberingFailed ? Status::NumberingFailed : Status::FileError;
}

Status TableHandle::update(const void* record) {
  if (!file_) return Status::NotOpen;
  std::lock_guard lock(file_->mutex());
  const FieldDef& rf = recordField(def_);
  std::string sql = "UPDATE " + quoted(def_.name) + " SET ";
  for (size_t i = 0; i < def_.fields.size(); ++i)
    sql += (i ? "," : "") + quoted(def_.fields[i].column) + "=?" + std::to_string(i + 1);
  const int where = static_cast<int>(def_.fields.size()) + 1;
  // The repeated empty-value condition lets SQLite use the partial index of
  // the record-number key instead of scanning the table.
  sql +=
      " WHERE " + emptyCondition(rf) + " AND " + quoted(rf.column) + " = ?" + std::to_string(where);
  for (;;) {
    Attempt a;
    {
      Transaction tx(*file_);
      if (!tx.ok()) a = {Status::FileError, tx.error()};
      if (a.status == Status::Ok) a = findClash(*file_, record, true, true);
      if (a.status == Status::Ok) {
        TableFile::Statement st(*file_, sql);
        if (!st.ok()) {
          a = {Status::FileError, st.error()};
        } else {
          def_.bindRow(record, st.get(), 1);
          bindValue(st.get(), where, rf, def_.get(record, rf.number - 1));
          int rc = sqlite3_step(st.get());
          if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            a = {Status::DuplicateKey, sqlite3_errmsg(file_->db())};
          else if (rc != SQLITE_DONE)
            a = {Status::FileError, sqlite3_errmsg(file_->db())};
          else if (sqlite3_changes(file_->db()) == 0)
            a = {Status::NotFound, "the record no longer exists"};
        }
      }
      if (a.status == Status::Ok) {
        std::string e = tx.commit();
        if (e.empty()) {
          error_.clear();
          return Status::Ok;
        }
        a = {Status::FileError, e};
      }
    }
    error_ = a.error;
    if (a.status == Status::DuplicateKey) {
      storeMessages().show(duplicateKeyMessage(clashingKey(def_, a)));
      return Status::DuplicateKey;
    }
    if (a.status == Status::NotFound) return Status::NotFound;
    if (storeMessages().show(recordUpdateMessage()) != 1) return Status::FileError;
  }
}

namespace {

Attempt deleteRow(TableFile& f, const void* record) {
  const TableDef& def = f.def();
  const FieldDef& rf = recordField(def);
  Transaction tx(f);
  if (!tx.ok()) return {Status::FileError, tx.error()};
  std::string sql = "DELETE FROM " + quoted(def.name) + " WHERE " + emptyCondition(rf) + " AND " +
                    quoted(rf.column) + " = ?1";
  {
    TableFile::Statement st(f, sql);
    if (!st.ok()) return {Status::FileError, st.error()};
    bindValue(st.get(), 1, rf, def.get(record, rf.number - 1));
    if (sqlite3_step(st.get()) != SQLITE_DONE) return {Status::FileError, sqlite3_errmsg(f.db())};
    if (sqlite3_changes(f.db()) == 0) return {Status::NotFound, "the record no longer exists"};
  }
  std::string e = tx.commit();
  if (!e.empty()) return {Status::FileError, e};
  return {};
}

}  // namespace

Status TableHandle::remove(const void* record) {
  if (!file_) return Status::NotOpen;
  std::lock_guard lock(file_->mutex());
  for (;;) {
    Attempt a = deleteRow(*file_, record);
    error_ = a.error;
    if (a.status != Status::FileError) return a.status;
    if (storeMessages().show(recordDeleteMessage()) != 1) return Status::FileError;
  }
}

Status TableHandle::cancelInsert(const void* record) {
  if (!file_) return Status::NotOpen;
  std::lock_guard lock(file_->mutex());
  Attempt a = deleteRow(*file_, record);
  error_ = a.error;
  return a.status;
}

}  // namespace vm
