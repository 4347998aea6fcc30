// Playing from the keyboard: where the highlight sits and how the arrows move it. Enter
// clicks the highlighted item through the mouse's own path, so every rule stays in one place.
#include "game/game_state.h"
#include "game/rules.h"

KeyboardHighlight keyboardHighlight;

namespace {

constexpr int kColumns = 4;
constexpr int kRows = kBlockCount / kColumns;
constexpr int kNameFirstButton = kNameNew;
constexpr int kNameLastButton = kNameExit;

bool OnBlock(int32_t name)
{
    return name >= kNameFirstBlock && name < kNameFirstBlock + kBlockCount;
}

bool OnButton(int32_t name)
{
    return name >= kNameFirstButton && name <= kNameLastButton;
}

int32_t StepOnBoard(int32_t name, Arrow arrow)
{
    int index = name - kNameFirstBlock;
    int row = index / kColumns;
    int column = index % kColumns;
    switch (arrow) {
    case Arrow::Left: column = column > 0 ? column - 1 : column; break;
    case Arrow::Up: row = row > 0 ? row - 1 : row; break;
    case Arrow::Down: row = row < kRows - 1 ? row + 1 : row; break;
    case Arrow::Right:
        if (column == kColumns - 1) {
            keyboardHighlight.block = index;
            return kNameFirstButton;
        }
        ++column;
        break;
    }
    return kNameFirstBlock + row * kColumns + column;
}

// The buttons form one column, New at the top and Exit at the bottom; nothing lies to
// their right.
int32_t StepOnMenu(int32_t name, Arrow arrow)
{
    switch (arrow) {
    case Arrow::Left: return kNameFirstBlock + keyboardHighlight.block;
    case Arrow::Up: return name > kNameFirstButton ? name - 1 : name;
    case Arrow::Down: return name < kNameLastButton ? name + 1 : name;
    case Arrow::Right: return name;
    }
    return name;
}

}  // namespace

Requests ClickName(int32_t name)
{
    if (OnBlock(name))
        return OnBlockName(name);
    return RunMenuCommand(name);
}

void MoveHighlight(Arrow arrow)
{
    if (OnBlock(keyboardHighlight.name))
        keyboardHighlight.name = StepOnBoard(keyboardHighlight.name, arrow);
    else if (OnButton(keyboardHighlight.name))
        keyboardHighlight.name = StepOnMenu(keyboardHighlight.name, arrow);
    else
        keyboardHighlight.name = kNameFirstBlock;
}

void HideHighlight()
{
    keyboardHighlight.name = kNameNothing;
}

Requests ClickHighlighted()
{
    if (OnBlock(keyboardHighlight.name) || OnButton(keyboardHighlight.name))
        return ClickName(keyboardHighlight.name);
    return {};
}
