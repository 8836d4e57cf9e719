// The accounting engine's interface as the program calls it. The stand-in
// behind it keeps the engine's data in an SQLite database (engine_db.h).
// Results of 0 mean success unless a comment says otherwise.
#pragma once
#include <cstdint>
#include <string>

#include "engine/records.h"
#include "platform/types.h"

using HWND = platform::HWND;

class ClSetMgr;
class ClOptLink;

// The engine's connection (LdgLink).
class ClLdgConnect {
 public:
  static ClLdgConnect* Inst();
  std::string m_caption;  // CP932, set before Initiate
  HWND m_owner = 0;       // owner of the engine's own dialogs

  void SetAppType(int type);
  void SetUseDataType(int type);
  // Opens the engine database; non-zero ends the run (a clear message on
  // stderr names the database and the fault).
  int Initiate();
  // 0 continue, 1 stop as cancelled, else stop as failed.
  int ExpSysLink();
  // Shows a message box through the host's front end, with ES_APRPACKAGENAME
  // replaced by the engine's package name. Returns the box's answer.
  int DispMsg(HWND owner, const char* text, const char* caption, unsigned flags);
  int LogOut();
  int Terminate();
  int Release();
  int AppType() const { return appType_; }

 private:
  int appType_ = 0;
  int useDataType_ = 0;
};

class ClSetBase {
 public:
  virtual ~ClSetBase() = default;
  int AttachSetMgr(ClSetMgr* mgr);
  int SetCurDataID(const char* dataId);
  const std::string& CurDataID() const { return dataId_; }

 protected:
  ClSetMgr* mgr_ = nullptr;
  std::string dataId_;
};

class ClSetData : public ClSetBase {
 public:
  // The engine's selected record (all zero when none is selected).
  const StDATAINFO* GetSelectedInfo();
  int GetDatCursor(long* cursor);
  int ReadyDat(long cursor, int option);
  // 0 when a record was delivered.
  int WalkDat(StDATAINFO* record, long cursor);
  int ReleaseDatCursor(long cursor);

 private:
  StDATAINFO selected_{};
};

class ClSetShohizei : public ClSetBase {
 public:
  int Get(StSHOHIZEIINFO* info);
};

class ClSysUser {
 public:
  // Fills a 65-byte buffer.
  int GetCurUserID(char* buffer);
  int GetSelectedNo(const char* userId, long* first, long* second);
};

class ClDataMgr {
 public:
  static ClDataMgr* Inst();
  ClSysUser* GetSysUserObject();
  ClSetMgr* GetSetMgr();
  // kind 5: ClSetData; kind 4: ClSetShohizei. Owned by the engine.
  ClSetBase* GetSetObject(int kind, int option);
};

class ClLinkMgr {
 public:
  static ClLinkMgr* Inst();
  ClOptLink* GetOptLink();
};

class ClUtyDBHpr {
 public:
  // The data ID text of a record into a 35-byte field.
  static int MakeIDStr(const StDATAINFO* record, char* text);
};

// Aggregation rule object, created and deleted by the program.
class ClRuleKamoku {
 public:
  ClRuleKamoku();
  virtual ~ClRuleKamoku();
  int AttachSetMgr(ClSetMgr* mgr);
  int SetCurDataID(const char* dataId);
  int AttachOptLink(ClOptLink* link);
  int MoveReady(int sumType, int bmnType, int dispType, StFINDINFO* window, void* department,
                int past);
  int GetSumCount(unsigned long* count);
  int SetMovePos(long pos);
  // 0 delivers an account, 5000 when none is left, else an error.
  int MoveNext(StKAMOKUSUMINFO* record);
  int MoveFinish();

 private:
  std::string dataId_;
  StFINDINFO window_{};  // the window of MoveReady
  long index_ = 0;       // the next account to deliver
};

// Saved financial-statement settings, created and deleted by the program.
class ClSaveKessansho {
 public:
  ClSaveKessansho();
  virtual ~ClSaveKessansho();
  int AttachSetMgr(ClSetMgr* mgr);
  int SetCurDataID(const char* dataId);
  int AttachOptLink(ClOptLink* link);
  // kind 0, 100 or 1000: on 0 *buffer holds a zero-terminated CP932 text
  // allocated by the engine (free with CoTaskMemFree); on another result a
  // buffer may come all the same.
  int GetDataType02(int kind, char** buffer, long* length);

 private:
  std::string dataId_;
};

// Accounting periods, created and deleted by the program.
class ClLdgPeriod {
 public:
  ClLdgPeriod();
  virtual ~ClLdgPeriod();
  int SetPeriod(long start, long end);
  int GetClosingDayByEndDate(long end, int option, short* day);  // 99: end of month
  int SetClosingDay(short day);
  int GetAMonthByDate(long date, short* month, int option);

 private:
  long start_ = 0, end_ = 0;
  short closingDay_ = 99;
};

class ClFileMgr {
 public:
  static ClFileMgr* Inst();
  // 0 default output folder, 1 settings folder (ends in a backslash). CP932.
  std::string GetAppFolderPath(int type);
};

// Frees a text buffer handed out by the engine.
void CoTaskMemFree(void* p);
