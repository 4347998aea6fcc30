#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/scene_layout.h"
#include "game/text_layout.h"
#include "lang/translate.h"
#include "render/render.h"

const char* const kHelpText =
    // TRANSLATORS: the help page, shown on the score board in place of the scores: one
    // line of text to a line of the board, at most 13 lines of about 28 letters (the tests
    // measure every line against the board). Your lines are centred for you: leave out the
    // blanks that centre the English ones.
    Translatable("    The goal of this game is to\n"
                 "        find matching paires.  \n"
                 "                               \n"
                 "         There are 2 modes:    \n"
                 "                               \n"
                 "  - timetrial mode - you got   \n"
                 "    2 minutes to match as      \n"
                 "    much as you can            \n"
                 "                               \n"
                 "  - normal mode - the goal is  \n"
                 "    to find matching paires    \n"
                 "    with minimum moves         ");

std::vector<std::string> HelpLines()
{
    std::vector<std::string> lines;
    std::string text = Translate(kHelpText);
    size_t at = 0;
    while (lines.size() < kMaxHelpLines) {
        size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end == std::string::npos ? end : end - at));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return lines;
}

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

const char* const kPlaces[kTableSize] = {
    // TRANSLATORS: the place a finished game earned in the table of five, above the name
    // being typed: %i is the place's number, 1 to 5, here 1.
    TranslatableIn("rank", "%ist  Place"),
    // TRANSLATORS: the same for place 2.
    TranslatableIn("rank", "%ind  Place"),
    // TRANSLATORS: the same for place 3.
    TranslatableIn("rank", "%ird  Place"),
    // TRANSLATORS: the same for places 4 and 5.
    TranslatableIn("rank", "%ith  Place"), TranslatableIn("rank", "%ith  Place")};
// TRANSLATORS: the same without the number, for a place in the other mode's table.
const char* const kPlaceWithoutNumber = TranslatableIn("rank", "  Place");
constexpr int kPlaceLineSize = 96;

// A line of the panel. As written it keeps the place set for it by hand; a translation,
// whose length nobody knew then, is centred on the score board.
void PrintPanelLine(const char* text, bool asWritten, TextPlace place)
{
    if (asWritten) {
        glRasterPos2f(place.x, place.y);
        PrintText("%s", text);
    } else {
        PrintCentred(kPanelTextMiddleX, place.y, text);
    }
}

void PrintPanelText(const char* source, TextPlace place)
{
    const char* shown = Translate(source);
    PrintPanelLine(shown, shown == source, place);
}

void PrintHelp()
{
    bool asWritten = Translate(kHelpText) == kHelpText;
    std::vector<std::string> lines = HelpLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        TextPlace place = {kHelpFirstLine.x, kHelpFirstLine.y - kTextLineStep * static_cast<float>(i)};
        PrintPanelLine(lines[i].c_str(), asWritten, place);
    }
}

// Names come from the score file: only ASCII letters are drawn, whatever the language.
std::string PrintableName(const char* name, int size)
{
    std::string printable;
    for (int i = 0; i < size && name[i]; ++i)
        if (static_cast<unsigned char>(name[i]) >= 32 && static_cast<unsigned char>(name[i]) < 128)
            printable += name[i];
    return printable;
}

void DrawScoreBoard(const FrameView& view)
{
    BeginBlackText();
    PrintPanelText(Translatable("Best Scores Ever :"), kScoreTitle);
    for (int i = 0; i < kTableSize; ++i) {
        float y = kScoreFirstRow.y - kTextLineStep * static_cast<float>(i);
        glRasterPos2f(kScoreFirstRow.x, y);
        PrintText("%i. ", i + 1);
        PrintText("%s", PrintableName(view.tableNames[i], kScoreNameSize - 1).c_str());
        glRasterPos2f(ScoreColumnX(view.tableValues[i]), y);
        PrintText("%i", view.tableValues[i]);
    }
    PrintPanelText(Translatable("Press Space For Break"), kPauseHint);
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
    // A rank outside the shown table (the mode changed after the game) has no number.
    bool numbered = view.rankPlace >= 0 && view.rankPlace < kTableSize;
    const char* source = numbered ? kPlaces[view.rankPlace] : kPlaceWithoutNumber;
    const char* format = TranslateIn("rank", source);
    char line[kPlaceLineSize];
    if (numbered)
        std::snprintf(line, sizeof line, format, view.rankPlace + 1);
    else
        std::snprintf(line, sizeof line, "%s", format);
    PrintPanelLine(line, format == source, kRankLine);
    glRasterPos2f(kNameLine.x, kNameLine.y);
    PrintItalic("%s", PrintableName(view.typedName, kNameBufferSize - 1).c_str());
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
        // TRANSLATORS: at the end of a game whose score earned no place, left of the score.
        PrintText("%s", Translate("Your Score"));
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
        CallList(kListDealtFace + view.blockPairs[i]);
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
