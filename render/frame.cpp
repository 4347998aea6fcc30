#include <GL/gl.h>

#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"

const char* const helpLines[kHelpLineCount] = {
    "    The goal of this game is to",
    "        find matching paires.  ",
    "                               ",
    "         There are 2 modes:    ",
    "                               ",
    "  - timetrial mode - you got   ",
    "    2 minutes to match as      ",
    "    much as you can            ",
    "                               ",
    "  - normal mode - the goal is  ",
    "    to find matching paires    ",
    "    with minimum moves         ",
};

namespace {

constexpr int kTextureMenu = 9;
constexpr int kTextureGameOver = 22;
constexpr int kTexturePaused = 23;
constexpr int kTextureBlinker = 24;

// A quad over the whole texture from (left, bottom) to (right, top) at z = 0.
void DrawTexturedQuad(int texture, GLfloat left, GLfloat bottom, GLfloat right, GLfloat top)
{
    glBindTexture(GL_TEXTURE_2D, game.textures[texture]);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(left, bottom, 0);
    glTexCoord2f(1, 0);
    glVertex3f(right, bottom, 0);
    glTexCoord2f(1, 1);
    glVertex3f(right, top, 0);
    glTexCoord2f(0, 1);
    glVertex3f(left, top, 0);
    glEnd();
}

// Texts sit on a plane 10 units in front of the viewer, in black.
void BeginBlackText()
{
    glLoadIdentity();
    glTranslatef(0, 0, -10);
    glColor3f(0, 0, 0);
}

void DrawMenuBackground()
{
    glColor3f(1, 1, 1);
    glLoadIdentity();
    glTranslatef(16, 0, -49.4f);
    DrawTexturedQuad(kTextureMenu, -5, -15, 5, 15.6f);
}

void PrintHelp()
{
    for (int i = 0; i < kHelpLineCount; ++i) {
        glRasterPos2f(2.35f, -0.2f - 0.15f * static_cast<float>(i));
        PrintText("%s", helpLines[i]);
    }
}

// Scores above 1000 have one digit more and start further left.
float ScoreColumn(int32_t score)
{
    return score > 1000 ? 3.53f : 3.6f;
}

void PrintClockOrCounters()
{
    if (game.timeTrial) {
        glRasterPos2f(3.2f, 0.4f);
        PrintText(" %i:%i%i", game.minutes, game.secondsTens, game.secondsOnes);
        return;
    }
    glRasterPos2f(3.33f, 0.4f);
    PrintText("/");
    int32_t pairs = game.pairsOnBoard + 8 * game.boardsCleared;
    glRasterPos2f(pairs < 10 ? 3.23f : 3.15f, 0.4f);
    PrintText("%i", pairs);
    glRasterPos2f(3.43f, 0.4f);
    PrintText("%i", game.moves);
}

// The score board, the speaker, the mode label and the clock label, lists 23..28 in turn.
void DrawPanelPieces()
{
    glLoadIdentity();
    glTranslatef(15.3f, -5, -49);
    glCallList(static_cast<GLuint>(game.listCursor));
    game.listCursor += 1;

    glLoadIdentity();
    glTranslatef(13.5f, 2.6f, -49);
    glCallList(static_cast<GLuint>(game.listCursor + game.soundIcon));
    game.listCursor += 2;

    glLoadIdentity();
    glTranslatef(16.3f, 3.1f, -49);
    glCallList(static_cast<GLuint>(game.listCursor + game.modeIcon));
    game.listCursor += 2;

    glLoadIdentity();
    glTranslatef(16.3f, 2.1f, -49);
    glCallList(static_cast<GLuint>(game.listCursor));
    game.listCursor += 1;
}

// A banner adds its colour, scaled by its alpha, over whatever lies behind it.
void DrawBanner(int texture, float x, float alpha)
{
    glLoadIdentity();
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1, 0.5f, 0, alpha);
    glTranslatef(x, 0, -49.45f);
    DrawTexturedQuad(texture, -7.5f, -1.5f, 7.5f, 1.5f);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void PrintRankLine()
{
    static const char* const ordinals[5] = {"%ist", "%ind", "%ird", "%ith", "%ith"};
    int32_t place = game.finalRank - game.scoreTableOffset;
    // A rank outside the shown table (the mode changed after the game) has no number.
    if (place >= 0 && place <= 4)
        PrintText(ordinals[place], place + 1);
    PrintText("  Place");
    glRasterPos2f(2.45f, -0.3f);
    PrintItalic("%.*s", kNameBufferSize - 1, game.nameBuffer);
}

void DrawGameOver()
{
    DrawBanner(kTextureGameOver, -4.5f, game.gameOverAlpha);
    game.gameOverAlpha = ClampFloat(0, 1, game.gameOverAlpha + 0.05f);

    glLoadIdentity();
    glColor3f(1, 1, 1);
    glTranslatef(12.5f, -1.05f, -40);
    DrawTexturedQuad(kTextureBlinker, -3, -0.25f, 3, 0.25f);

    BeginBlackText();
    glRasterPos2f(2.85f, 0);
    if (game.finalRank != -1) {
        PrintRankLine();
    } else {
        glRasterPos2f(2.45f, -0.3f);
        PrintText("Your Score");
    }
    glRasterPos2f(ScoreColumn(game.finalScore), -0.3f);
    PrintText("%i", game.finalScore);
    glColor3f(1, 1, 1);
}

void DrawPaused()
{
    DrawBanner(kTexturePaused, -4.1f, game.pausedAlpha);
    game.pausedAlpha = ClampFloat(0, 1, game.pausedAlpha + 0.05f);
}

// The name stack only matters while picking; drawing ignores it.
void DrawBlock(int i)
{
    glPushName(static_cast<GLuint>(kNameFirstBlock + i));
    glPushMatrix();
    {
        glTranslatef(blockPositions[i][0], blockPositions[i][1], blockPositions[i][2]);
        glRotatef(game.blocks[i].angle, 0, 1, 0);
        glCallList(game.listBase);
        glCallList(game.blocks[i].faceList);
    }
    glPopMatrix();
    glPopName();
}

// Buttons take lists 17..22 in turn from listCursor.
void DrawNextButton(int name, GLfloat x, GLfloat y, GLfloat z)
{
    glPushName(static_cast<GLuint>(name));
    glPushMatrix();
    {
        glTranslatef(x, y, z);
        glCallList(static_cast<GLuint>(game.listCursor));
        game.listCursor += 1;
    }
    glPopMatrix();
    glPopName();
}

}  // namespace

void DrawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawMenuBackground();

    BeginBlackText();
    if (game.helpShown)
        PrintHelp();
    else
        DrawScoreBoard();
    PrintClockOrCounters();

    glColor3f(1, 1, 1);
    DrawBoardAndButtons();
    float buttonDepths[kButtonCount];
    for (int i = 0; i < kButtonCount; ++i)
        buttonDepths[i] = game.buttons[i].depth;
    DrawHighlight(game.highlight, buttonDepths);

    TickClock();
    PrintFrameRate();

    DrawPanelPieces();
    UpdateAnimations();

    if (game.gameOver)
        DrawGameOver();
    else if (game.paused)
        DrawPaused();
}

void DrawBoardAndButtons()
{
    glLoadIdentity();
    // Translucent blocks add up over the background and over one another.
    if (game.blendBlocks) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
    }
    game.listCursor = static_cast<int32_t>(game.listBase) + 17;
    for (int i = 0; i < kBlockCount; ++i)
        DrawBlock(i);
    if (game.blendBlocks) {
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
    }
    for (int i = 0; i < kMenuButtonCount; ++i) {
        const ButtonPlace& place = buttonPlaces[i];
        float depth = i < kButtonCount ? game.buttons[i].depth : 0.0f;
        DrawNextButton(kNameNew + i, place.x, place.y, place.z - depth);
    }
}

void DrawScoreBoard()
{
    BeginBlackText();
    glRasterPos2f(2.65f, -0.7f);
    PrintText("Best Scores Ever :");
    for (int i = 0; i < 5; ++i) {
        float y = -1.0f - 0.15f * static_cast<float>(i);
        int slot = game.scoreTableOffset + i;
        glRasterPos2f(2.45f, y);
        PrintText("%i. ", i + 1);
        // A slot is 255 bytes; never read past it even if it lost its terminator.
        PrintText("%.*s", kScoreNameSize - 1, game.scoreNames[slot]);
        glRasterPos2f(ScoreColumn(game.scoreValues[slot]), y);
        PrintText("%i", game.scoreValues[slot]);
    }
    glRasterPos2f(2.55f, -2.1f);
    PrintText("Press Space For Break");
}

void PrintFrameRate()
{
    BeginBlackText();
    glRasterPos2f(-4, 2.55f);
    PrintText("%s", game.fpsText);
    glColor3f(1, 1, 1);
}
