// The command line: the game needs no option to play; --help and --version answer and end
// without opening a window, anything else is refused.
#pragma once

#include <cstdio>
#include <string>

#include "game/identity.h"  // kVersionText, what --version prints
#include "platform/data_folder.h"

enum class Command { Play, Help, Version, Refuse };

// What the arguments ask for. On Refuse, *offending is the first argument not understood.
Command ParseCommandLine(int argc, const char* const* argv, std::string* offending);

// Exit code of a refused command line, as command-line tools use for wrong usage.
inline constexpr int kUsageExitCode = 2;

// The usage, the keys, and where this run keeps the score table.
void PrintUsage(FILE* out, const ScoreFile& scores);
