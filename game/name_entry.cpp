// Typing a name after a placed game, placing it in its table, and the next game. There is
// no text field: the name is typed straight into nameBuffer from Win32 virtual-key codes.
// The score file takes the placed entry from the request (placedSlot).
#include <cstring>

#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/score_table.h"

static constexpr int kFirstTypedCode = 32;   // Space
static constexpr int kLastTypedCode = 125;   // F14 types the closing brace

static bool RankInTable()
{
    return game.finalRank >= 0 && game.finalRank < kScoreSlots;
}

// A string copy that never reads more than maxLength characters nor writes past a slot.
static void CopyName(char* to, const char* from, size_t maxLength)
{
    size_t length = strnlen(from, maxLength);
    std::memmove(to, from, length);
    to[length] = '\0';
}

void ShiftScoreTable()
{
    if (RankInTable())
        OpenScoreSlot(saved.scoreValues, saved.scoreNames, game.finalRank);
}

// Typed characters become blanks rather than zeros: the next, shorter name is typed over
// them and keeps the rest, which the score file then drops as trailing blanks.
static Requests ConfirmName()
{
    Requests requests;
    if (!RankInTable())
        return requests;
    ShiftScoreTable();
    CopyName(saved.scoreNames[game.finalRank], game.nameBuffer, kNameBufferSize - 1);
    for (int i = 0; i < game.nameLength && i < kMaxNameLength; ++i)
        game.nameBuffer[i] = ' ';
    game.nameLength = 0;
    saved.scoreValues[game.finalRank] = game.finalScore;
    requests.placedSlot = game.finalRank;  // saved at once, merged into the file
    game.scoreInserted = true;  // this game has placed its entry
    ResetRound();
    game.newGameRequested = true;
    return requests;
}

Requests HandleNameKey(int keyCode)
{
    if (keyCode == kKeyEnter) {
        // Keys still arrive while the blocks turn back after Enter; a second Enter of the
        // same game would push out another entry. Typing goes on into the buffer as ever.
        if (!game.scoreInserted)
            return ConfirmName();
        return {};
    }
    if (keyCode == kKeyBackspace && game.nameLength > 0) {
        if (game.nameLength > kMaxNameLength)
            game.nameLength = kMaxNameLength;
        game.nameLength -= 1;
        game.nameBuffer[game.nameLength] = ' ';
        return {};
    }
    if (keyCode < kFirstTypedCode || keyCode > kLastTypedCode)
        return {};
    if (game.nameLength < 0 || game.nameLength >= kMaxNameLength)
        return {};
    bool letter = keyCode >= kKeyA && keyCode <= kKeyZ;
    game.nameBuffer[game.nameLength] = static_cast<char>(letter ? keyCode + 32 : keyCode);
    game.nameLength += 1;
    return {};
}
