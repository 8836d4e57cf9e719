// One program per edition: the edition is chosen when the program is built.
#include <cstdio>

#include "app/host_setup.h"
#include "app/link_app.h"
#include "engine/engine_db.h"
#include "platform/cp932.h"
#include "res/edition.h"

#ifndef STMTLINK_EDITION
#error "STMTLINK_EDITION must name the edition (Birch, Cedar or Maple)"
#endif

int main(int argc, char** argv) {
  SelectEdition(EditionId::STMTLINK_EDITION);
  HostSetup setup;
  std::string error;
  if (!setup.Init(argc, argv, &error)) {
    // The message quotes host text (arguments, script lines, map entries) that
    // need not be UTF-8; stderr stays readable all the same.
    std::fprintf(stderr, "%s: %s\n", CurrentEdition().programName,
                 platform::ValidUtf8(error).c_str());
    if (setup.journal) setup.journal->Exit(2, 0);
    return 2;
  }
  platform::SetHost(setup.AsHost());
  engine::SetDatabasePath(setup.engineDbPath);

  int status;
  int runResult;
  {
    ClLinkApp app;
    app.SetCommandLine(setup.commandLine);
    app.InitInstance();
    app.ExitInstance();
    status = app.ExitStatus();
    runResult = app.RunResult();
    // A database fault is already explained; an engine that just refused
    // the connection gets a line of its own, so the status is not a mystery.
    if (status == 3 && engine::LastInitiateError().empty())
      std::fprintf(stderr, "%s: the engine refused the connection (result %d)\n",
                   CurrentEdition().programName, app.InitiateResult());
  }
  if (setup.FrontEndStuck()) {
    std::fprintf(stderr, "%s: the answer script left the conditions dialog open\n",
                 CurrentEdition().programName);
    status = 2;
  }
  setup.journal->Exit(status, runResult);
  return status;
}
