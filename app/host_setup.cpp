#include "app/host_setup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/cp932.h"
#include "platform/fault_env.h"
#include "platform/host_env.h"
#include "platform/script_frontend.h"

namespace {

std::string Getenv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string ExecutablePath(const char* argv0) {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) return std::string(buf, static_cast<std::size_t>(n));
  return argv0 ? argv0 : "";
}

std::string FolderOf(const std::string& path) {
  std::size_t cut = path.rfind('/');
  if (cut == std::string::npos) return ".";
  if (cut == 0) return "/";
  return path.substr(0, cut);
}

std::string BaseName(const std::string& path) {
  std::size_t cut = path.rfind('/');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

// A testing aid: STMTLINK_FAULTS makes chosen host operations fail, e.g.
// "write-after=2000;mkdir=out;replace;alloc=AccountSum@3;open-write=report".
bool HostSetup::ApplyFaults(const std::string& faults, std::string* error) {
  hostEnv = std::move(env);
  auto fault = std::make_unique<platform::FaultEnv>(*hostEnv);
  std::size_t start = 0;
  while (start <= faults.size()) {
    std::size_t end = faults.find(';', start);
    if (end == std::string::npos) end = faults.size();
    std::string item = faults.substr(start, end - start);
    start = end + 1;
    if (item.empty()) continue;
    std::size_t eq = item.find('=');
    std::string name = item.substr(0, eq);
    std::string value = eq == std::string::npos ? "" : item.substr(eq + 1);
    auto cp932 = platform::Utf8ToCp932(value);
    if (name == "write-after" && !value.empty() &&
        value.find_first_not_of("0123456789") == std::string::npos) {
      fault->FailWritesAfterBytes(std::stoull(value));
    } else if (name == "open-write" && cp932) {
      fault->FailOpenForWrite(*cp932);
    } else if (name == "mkdir" && cp932) {
      fault->FailCreateDirectory(*cp932);
    } else if (name == "replace" && value.empty()) {
      fault->FailReplace();
    } else if (name == "alloc" && !value.empty()) {
      std::size_t at = value.find('@');
      int nth = 1;
      if (at != std::string::npos) {
        std::string n = value.substr(at + 1);
        if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos) {
          *error = "STMTLINK_FAULTS: bad count in \"" + item + "\"";
          return false;
        }
        nth = std::stoi(n);
      }
      fault->FailAllocation(value.substr(0, at), nth);
    } else {
      *error = "STMTLINK_FAULTS: unknown fault \"" + item + "\"";
      return false;
    }
    if (end == faults.size()) break;
  }
  env = std::move(fault);
  return true;
}

bool HostSetup::Init(int argc, char** argv, std::string* error) {
  std::string journalPath = Getenv("STMTLINK_JOURNAL");
  journal = journalPath.empty() ? std::make_unique<platform::Journal>()
                                : std::make_unique<platform::Journal>(journalPath);

  std::string exe = ExecutablePath(argc > 0 ? argv[0] : nullptr);
  std::string exeDir = FolderOf(exe);
  std::string programDir = Getenv("STMTLINK_PROGRAM_DIR");
  if (programDir.empty()) programDir = exeDir;
  while (programDir.size() > 1 && programDir.back() == '/') programDir.pop_back();

  // The program folder holds ZeimarkDef.ini and SUPPORT.INF; a folder that
  // is not there would send the compatibility check to the wrong place.
  struct stat st {};
  if (stat(programDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    *error = "STMTLINK_PROGRAM_DIR: no such folder: " + programDir;
    return false;
  }

  engineDbPath = Getenv("STMTLINK_ENGINE_DB");
  if (engineDbPath.empty()) engineDbPath = programDir + "/ledgora.db";

  std::string drivesText = Getenv("STMTLINK_DRIVES");
  if (drivesText.empty()) drivesText = "C=fixed:/";
  std::string mapError;
  auto drives = platform::ParseDriveMap(drivesText, &mapError);
  if (!drives) {
    *error = "STMTLINK_DRIVES: " + mapError;
    return false;
  }
  std::vector<platform::ShareMapping> sharesList;
  std::string sharesText = Getenv("STMTLINK_SHARES");
  if (!sharesText.empty()) {
    auto shares = platform::ParseShareMap(sharesText, &mapError);
    if (!shares) {
      *error = "STMTLINK_SHARES: " + mapError;
      return false;
    }
    sharesList = *shares;
  }
  std::string tmp = Getenv("TMPDIR");
  if (tmp.empty()) tmp = "/tmp";
  auto hostEnv = std::make_unique<platform::HostEnv>(platform::PathMapper(*drives, sharesList),
                                                     programDir + "/" + BaseName(exe), tmp);
  if (hostEnv->GetModuleFileName().empty()) {
    *error = "the program folder " + programDir + " is on no drive of STMTLINK_DRIVES";
    return false;
  }
  env = std::move(hostEnv);

  std::string faults = Getenv("STMTLINK_FAULTS");
  if (!faults.empty() && !ApplyFaults(faults, error)) return false;

  windows = std::make_unique<platform::SocketWindowSystem>(Getenv("STMTLINK_WINDOWS"), *journal);

  std::string uiMode = Getenv("STMTLINK_UI");
  if (uiMode.empty()) uiMode = "auto";
  if (uiMode != "auto" && uiMode != "script" && uiMode != "gui") {
    *error = "STMTLINK_UI: unknown front end \"" + uiMode + "\" (script, gui or auto)";
    return false;
  }
  if (uiMode == "gui") {
    *error = "STMTLINK_UI=gui: this build has no window front end; use script";
    return false;
  }
  std::vector<platform::ScriptAction> actions;
  std::string scriptPath = Getenv("STMTLINK_UI_SCRIPT");
  if (!scriptPath.empty()) {
    std::ifstream in(scriptPath, std::ios::binary);
    if (!in) {
      *error = "STMTLINK_UI_SCRIPT: cannot read " + scriptPath;
      return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    std::string scriptError;
    auto parsed = platform::ParseScript(ss.str(), &scriptError);
    if (!parsed) {
      *error = "answer script " + scriptPath + ": " + scriptError;
      return false;
    }
    actions = std::move(*parsed);
  }
  ui = std::make_unique<platform::ScriptFrontEnd>(std::move(actions), *journal, stderr);

  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) joined += ' ';
    joined += argv[i];
  }
  auto cp932 = platform::Utf8ToCp932(joined);
  if (!cp932) {
    *error = platform::ValidUtf8(joined) == joined
                 ? "command line: a character has no CP932 form: " + joined
                 : "command line: not UTF-8 text: " + joined;
    return false;
  }
  commandLine = *cp932;
  return true;
}

platform::Host HostSetup::AsHost() const {
  return platform::Host{env.get(), windows.get(), ui.get(), journal.get()};
}

bool HostSetup::FrontEndStuck() const {
  auto* script = dynamic_cast<platform::ScriptFrontEnd*>(ui.get());
  return script && script->Stuck();
}
