#include <GL/gl.h>

#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/scene_layout.h"
#include "game/text_layout.h"
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

constexpr GLfloat Gl(double value)
{
    return static_cast<GLfloat>(value);
}

// A quad over the whole texture from (left, bottom) to (right, top) at z = 0.
void DrawTexturedQuad(int texture, GLfloat left, GLfloat bottom, GLfloat right, GLfloat top)
{
    glBindTexture(GL_TEXTURE_2D, renderResources.textures[texture]);
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

// Places the modelview at a piece's centre.
void MoveTo(const ScenePiece& at)
{
    glLoadIdentity();
    glTranslatef(Gl(at.x), Gl(at.y), Gl(at.z));
}

// A piece drawn without a display list: its texture over its whole extent, at its centre.
void DrawPieceQuad(const ScenePiece& at)
{
    DrawTexturedQuad(at.texture, -Gl(at.halfWidth), -Gl(at.halfHeight), Gl(at.halfWidth),
                     Gl(at.halfHeight));
}

// Texts sit on a plane in front of the viewer, in black.
void BeginBlackText()
{
    glLoadIdentity();
    glTranslatef(0, 0, kTextZ);
    glColor3f(0, 0, 0);
}

void DrawMenuBackground()
{
    const ScenePiece& menu = PieceOf(Piece::MenuPanel);
    glColor3f(1, 1, 1);
    glLoadIdentity();
    // Placed at y = 0 with its edges around the centre's y, as the panel always was.
    glTranslatef(Gl(menu.x), 0, Gl(menu.z));
    DrawTexturedQuad(menu.texture, -Gl(menu.halfWidth), Gl(menu.y - menu.halfHeight),
                     Gl(menu.halfWidth), Gl(menu.y + menu.halfHeight));
}

void PrintHelp()
{
    for (int i = 0; i < kHelpLineCount; ++i) {
        glRasterPos2f(kHelpFirstLine.x, kHelpFirstLine.y - kTextLineStep * static_cast<float>(i));
        PrintText("%s", helpLines[i]);
    }
}

void DrawScoreBoard(const FrameView& view)
{
    BeginBlackText();
    glRasterPos2f(kScoreTitle.x, kScoreTitle.y);
    PrintText("Best Scores Ever :");
    for (int i = 0; i < kTableSize; ++i) {
        float y = kScoreFirstRow.y - kTextLineStep * static_cast<float>(i);
        glRasterPos2f(kScoreFirstRow.x, y);
        PrintText("%i. ", i + 1);
        PrintText("%.*s", kScoreNameSize - 1, view.tableNames[i]);
        glRasterPos2f(ScoreColumnX(view.tableValues[i]), y);
        PrintText("%i", view.tableValues[i]);
    }
    glRasterPos2f(kPauseHint.x, kPauseHint.y);
    PrintText("Press Space For Break");
}

void PrintClockOrCounters(const FrameView& view)
{
    if (view.timeTrial) {
        glRasterPos2f(kClockText.x, kClockText.y);
        PrintText(" %i:%i%i", view.minutes, view.secondsTens, view.secondsOnes);
        return;
    }
    glRasterPos2f(kCounterSlashX, kClockText.y);
    PrintText("/");
    glRasterPos2f(view.pairs < 10 ? kPairsX : kTwoDigitPairsX, kClockText.y);
    PrintText("%i", view.pairs);
    glRasterPos2f(kMovesX, kClockText.y);
    PrintText("%i", view.moves);
}

// The frame-rate text at the window's top-left, black; leaves the colour white.
void PrintFrameRate(const FrameView& view)
{
    BeginBlackText();
    glRasterPos2f(kFrameRateText.x, kFrameRateText.y);
    PrintText("%.*s", kFpsTextSize - 1, view.fpsText);
    glColor3f(1, 1, 1);
}

void CallList(int offset)
{
    glCallList(renderResources.listBase + static_cast<GLuint>(offset));
}

// The score board, the speaker, the mode label and the clock label.
void DrawPanelPieces(const FrameView& view)
{
    const ScenePiece& board = PieceOf(Piece::ScoreBoard);
    MoveTo(board);
    CallList(board.list);

    // The speaker off and the normal label sit where the piece before them does.
    const ScenePiece& speaker = PieceOf(Piece::SpeakerOn);
    MoveTo(speaker);
    CallList(speaker.list + view.soundIcon);

    const ScenePiece& mode = PieceOf(Piece::TimeTrialLabel);
    MoveTo(mode);
    CallList(mode.list + view.modeIcon);

    const ScenePiece& clock = PieceOf(Piece::ClockLabel);
    MoveTo(clock);
    CallList(clock.list);
}

// A banner adds its colour, scaled by its alpha, over whatever lies behind it.
void DrawBanner(Piece banner, float alpha)
{
    const ScenePiece& at = PieceOf(banner);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1, 0.5f, 0, alpha);
    glTranslatef(Gl(at.x), Gl(at.y), Gl(at.z));
    DrawPieceQuad(at);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void PrintRankLine(const FrameView& view)
{
    static const char* const ordinals[kTableSize] = {"%ist", "%ind", "%ird", "%ith", "%ith"};
    // A rank outside the shown table (the mode changed after the game) has no number.
    if (view.rankPlace >= 0 && view.rankPlace < kTableSize)
        PrintText(ordinals[view.rankPlace], view.rankPlace + 1);
    PrintText("  Place");
    glRasterPos2f(kNameLine.x, kNameLine.y);
    PrintItalic("%.*s", kNameBufferSize - 1, view.typedName);
}

void DrawGameOver(const FrameView& view)
{
    DrawBanner(Piece::GameOverBanner, view.bannerAlpha);

    const ScenePiece& strip = PieceOf(Piece::NameStrip);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glTranslatef(Gl(strip.x), Gl(strip.y), Gl(strip.z));
    DrawPieceQuad(strip);

    BeginBlackText();
    glRasterPos2f(kRankLine.x, kRankLine.y);
    if (view.ranked) {
        PrintRankLine(view);
    } else {
        glRasterPos2f(kNameLine.x, kNameLine.y);
        PrintText("Your Score");
    }
    glRasterPos2f(ScoreColumnX(view.finalScore), kNameLine.y);
    PrintText("%i", view.finalScore);
    glColor3f(1, 1, 1);
}

// The name stack only matters while picking; drawing ignores it.
void DrawBlock(const FrameView& view, int i)
{
    glPushName(static_cast<GLuint>(kNameFirstBlock + i));
    glPushMatrix();
    {
        glTranslatef(blockPositions[i][0], blockPositions[i][1], blockPositions[i][2]);
        glRotatef(view.blockAngles[i], 0, 1, 0);
        CallList(kListBlockBody);
        CallList(view.blockFaces[i]);
    }
    glPopMatrix();
    glPopName();
}

void DrawButton(int name, int list, GLfloat x, GLfloat y, GLfloat z)
{
    glPushName(static_cast<GLuint>(name));
    glPushMatrix();
    {
        glTranslatef(x, y, z);
        CallList(list);
    }
    glPopMatrix();
    glPopName();
}

}  // namespace

void DrawFrame(const FrameView& view)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawMenuBackground();

    BeginBlackText();
    if (view.helpShown)
        PrintHelp();
    else
        DrawScoreBoard(view);
    PrintClockOrCounters(view);

    glColor3f(1, 1, 1);
    DrawBoardAndButtons(view);
    DrawHighlight(view.highlight, view.buttonDepths);
    PrintFrameRate(view);
    DrawPanelPieces(view);

    if (view.gameOver)
        DrawGameOver(view);
    else if (view.paused)
        DrawBanner(Piece::PausedBanner, view.bannerAlpha);
}

void DrawBoardAndButtons(const FrameView& view)
{
    glLoadIdentity();
    // Translucent blocks add up over the background and over one another.
    if (view.translucent) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
    }
    for (int i = 0; i < kBlockCount; ++i)
        DrawBlock(view, i);
    if (view.translucent) {
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
    }
    // New, Mode, Sound and Help move away from the viewer while pressed.
    for (int i = 0; i < kMenuButtonCount; ++i) {
        const ButtonPlace& place = buttonPlaces[i];
        float depth = i < kButtonCount ? view.buttonDepths[i] : 0.0f;
        DrawButton(kNameNew + i, kListFirstButton + i, place.x, place.y, place.z - depth);
    }
}
