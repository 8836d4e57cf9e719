// The process edge: builds the host from the environment (drive and share
// maps, program folder, journal, caller windows, answer script) and turns
// the arguments into the run's CP932 command line.
#pragma once
#include <memory>
#include <string>

#include "platform/host.h"

struct HostSetup {
  std::unique_ptr<platform::Journal> journal;
  std::unique_ptr<platform::Env> hostEnv;  // under a fault wrapper, when one is set
  std::unique_ptr<platform::Env> env;
  std::unique_ptr<platform::WindowSystem> windows;
  std::unique_ptr<platform::FrontEnd> ui;
  std::string commandLine;   // CP932
  std::string engineDbPath;  // host path

  // False with a message naming the fault; the journal, when one was named,
  // is set up even then so that the refusal can be recorded.
  bool Init(int argc, char** argv, std::string* error);
  platform::Host AsHost() const;
  // True when the script front end could not close a dialog.
  bool FrontEndStuck() const;

 private:
  bool ApplyFaults(const std::string& faults, std::string* error);
};
