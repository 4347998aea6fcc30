// What the score files' fuzz targets share: a scratch folder of their own, the file's bytes
// written to it and read back, and a failed check that stops the run with its reason.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scores/score_file.h"

// Aborts (libFuzzer keeps the input) when a property does not hold.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// A folder made once per process, in memory where the system has /dev/shm.
const std::string& ScratchFolder();

// Scores.txt in the scratch folder, emptied of every file a save leaves beside it.
ScoreFile FreshScoreFile();

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
