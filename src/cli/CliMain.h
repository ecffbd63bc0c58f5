// The command line itself, behind the program's entry point: main, or on Windows wmain, which
// hands it the arguments in UTF-8.
#pragma once

namespace kvo::cli {

// Runs the command with its arguments (UTF-8, argv[0] the program); the exit status.
int CliMain(int argc, char** argv);

}  // namespace kvo::cli
