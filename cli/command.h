#pragma once

// What a subcommand is and what it is given: the services, its command line, its exit status.

#include <string>

#include "cli/arguments.h"

namespace qrn::platform {
class Application;
class FileSystem;
}  // namespace qrn::platform

namespace qrn::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a data or file failure
inline constexpr int kExitUsage = 2;

// The services a subcommand works with.
struct Services {
    platform::FileSystem& files;
    platform::Application& app;
};

// A subcommand: its name, its --help text and what runs it. run() returns the exit status and
// throws UsageError for a command line it cannot run.
struct Command {
    const char* name;
    const char* help;
    int (*run)(const Arguments& args, Services& services);
};

// A file name from the command line, its bytes decoded reversibly (decodeFileName).
std::u16string pathArgument(const std::string& word);

// Throws UsageError when --ages was given: only catalogue takes it.
void rejectAges(const Arguments& args, const char* subcommand);

}  // namespace qrn::cli
