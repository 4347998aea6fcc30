// The rules every table file is kept by; the files' own lines are in standard_scores.cpp
// and board_scores.cpp, every touch of the disk in platform/score_store.h.
#include "scores/score_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/score_store.h"

namespace {

// At most 254 characters per piece and the terminator.
constexpr int kLinePieceLength = 254;

// One piece of a line, its line end kept: LF, CR LF, or a lone CR as old Mac files end
// their lines. False when nothing was left to read. *nul is set when a NUL byte was read.
bool ReadLinePiece(FILE* file, char* buffer, bool* nul)
{
    int length = 0;
    while (length < kLinePieceLength) {
        int c = std::getc(file);
        if (c == EOF)
            break;
        if (c == '\0')
            *nul = true;
        buffer[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
        if (c == '\r') {
            int next = std::getc(file);
            if (next == '\n' && length < kLinePieceLength)
                buffer[length++] = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
            break;
        }
    }
    buffer[length] = '\0';
    return length > 0;
}

// A line end alone: LF, CR LF or CR.
bool IsEmptyLine(const char* line)
{
    if (line[0] == '\n')
        return true;
    return line[0] == '\r' && (line[1] == '\n' || line[1] == '\0');
}

bool IsDataLine(const char* line)
{
    return line[0] != '/' && !IsEmptyLine(line);
}

// Skips the three bytes of a UTF-8 byte-order mark at the file's start; anything else is
// put back as it was.
void SkipByteOrderMark(FILE* file)
{
    static const unsigned char kMark[3] = {0xEF, 0xBB, 0xBF};
    long start = std::ftell(file);
    unsigned char seen[3];
    size_t matched = 0;
    for (; matched < 3; ++matched) {
        int c = std::getc(file);
        if (c == EOF)
            break;
        seen[matched] = static_cast<unsigned char>(c);
        if (seen[matched] != kMark[matched]) {
            ++matched;
            break;
        }
    }
    if (matched == 3 && std::memcmp(seen, kMark, 3) == 0)
        return;
    // Not a mark: back to where the text starts (ungetc promises one byte only).
    std::fseek(file, start, SEEK_SET);
}

std::string FolderOf(const std::string& path)
{
#ifdef _WIN32
    size_t slash = path.find_last_of("/\\");  // %APPDATA%\Flipora\Scores.txt
#else
    size_t slash = path.rfind('/');
#endif
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A file's lines through read; a read error is a failure like any that keeps it unread.
TableRead ReadAt(const std::string& path, bool privateFile, const TableReader& read,
                 std::string* error)
{
    FILE* file = nullptr;
    StoreOpen opened = OpenScoreFileForReading(path.c_str(), privateFile, &file, error);
    if (opened != StoreOpen::Opened)
        return opened == StoreOpen::Missing ? TableRead::Missing : TableRead::Failed;
    errno = 0;
    bool understood = read(file, error);
    int readError = std::ferror(file) ? errno : 0;
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *error = readError != 0 ? std::strerror(readError) : "input/output error";
        return TableRead::Failed;
    }
    return understood ? TableRead::Read : TableRead::Failed;
}

// The player's file, or while there is none the shipped copy. The shipped one is only
// ever read, so a failure there is no reason to keep the player's file unwritten: it
// counts as missing, and the tables start empty.
TableRead ReadOrShipped(const std::string& path, const ScoreFile& file, const TableReader& read,
                        std::string* error)
{
    TableRead result = ReadAt(path, file.privateFile, read, error);
    if (result != TableRead::Missing)
        return result;
    std::string ignored;
    if (file.shipped.empty() || ReadAt(file.shipped, false, read, &ignored) != TableRead::Read)
        read(nullptr, &ignored);
    return TableRead::Missing;
}

}  // namespace

ScoreFile ScoreFileAt(const std::string& path)
{
    ScoreFile file;
    file.path = path;
    return file;
}

ScoreFile FileBeside(const ScoreFile& file, const char* name)
{
    ScoreFile beside = file;
    auto swapName = [name](const std::string& path) {
#ifdef _WIN32
        size_t slash = path.find_last_of("/\\");
#else
        size_t slash = path.rfind('/');
#endif
        if (path.empty())
            return path;
        return slash == std::string::npos ? std::string(name) : path.substr(0, slash + 1) + name;
    };
    beside.path = swapName(file.path);
    beside.shipped = swapName(file.shipped);
    return beside;
}

std::string WithSystemLineEnds(const std::string& text)
{
    std::string written;
    written.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n')
            written += kLineEnd;
        else
            written += c;
    }
    return written;
}

bool DataLineReader::Next(char (&buffer)[256])
{
    if (!started_) {
        started_ = true;
        SkipByteOrderMark(file_);
    }
    for (;;) {
        if (!ReadLinePiece(file_, buffer, &damaged_))
            return false;
        if (IsDataLine(buffer))
            return true;
    }
}

bool ReadDataLine(FILE* file, char buffer[256])
{
    bool nul = false;
    for (;;) {
        if (!ReadLinePiece(file, buffer, &nul))
            return false;
        if (IsDataLine(buffer))
            return true;
    }
}

bool ParseValue(const char* line, int32_t* value, const char** end)
{
    char* stop = nullptr;
    long long parsed = std::strtoll(line, &stop, 0);
    if (end)
        *end = stop;
    if (stop == line)
        return false;
    if (parsed > INT32_MAX)
        parsed = INT32_MAX;
    if (parsed < INT32_MIN)
        parsed = INT32_MIN;
    *value = static_cast<int32_t>(parsed);
    return true;
}

TableRead LoadTableFile(const ScoreFile& file, TableFileState* state, const TableReader& read)
{
    TableRead result = ReadOrShipped(file.path, file, read, &state->error);
    state->unreadable = result == TableRead::Failed;
    std::string ignored;
    if (state->unreadable)
        read(nullptr, &ignored);  // what was read before the failure is not the table
    else
        state->error.clear();
    return result;
}

bool SaveTableFile(const ScoreFile& file, TableFileState* state, const TableReader& read,
                   const std::function<std::string(TableRead found)>& write)
{
    state->busy = false;
    if (file.path.empty()) {
        state->error = file.nowhere.empty() ? "there is no place to keep it" : file.nowhere;
        return false;
    }
    if (state->unreadable) {
        state->error = "it could not be read at start, so it is left as it is";
        return false;
    }
    if (!file.makeBelow.empty() &&
        !MakeFoldersBelow(file.makeBelow, FolderOf(file.path), &state->error))
        return false;
    std::string target;
    if (!ResolveScoreFile(file.path, file.privateFile, &target, &state->error))
        return false;
    ScoreFileLock lock(target, file.privateFile);
    if (lock.State() == LockState::Busy) {
        state->busy = true;
        state->error = "another game keeps it locked";
        return false;
    }
    if (lock.State() == LockState::None) {
        state->error = "no lock can be taken on it (" + lock.Note() + ")";
        return false;
    }
    // Said once: a lock file that cannot be used (the folder's lock stands in for it), or a
    // lock of this player's own only, which the player is told of (state->unshared).
    if (!lock.Note().empty() && !state->lockNoted) {
        state->lockNoted = true;
        std::fprintf(stderr, "flipora: %s: %s\n", target.c_str(), lock.Note().c_str());
    }
    if (lock.State() == LockState::Unshared && state->unshared.empty())
        state->unshared = lock.Note();
    TableRead found = ReadOrShipped(target, file, read, &state->error);
    if (found == TableRead::Failed)
        return false;
    if (!ReplaceScoreFile(target, write(found), file.privateFile, &state->error))
        return false;
    state->error.clear();
    return true;
}
