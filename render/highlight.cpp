#include <GL/gl.h>

#include "game/game_state.h"
#include "game/scene_layout.h"
#include "render/render.h"

namespace {

constexpr ButtonPlace PlaceOf(Piece piece)
{
    const ScenePiece& at = PieceOf(piece);
    return {static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(at.z),
            static_cast<float>(at.halfWidth), static_cast<float>(at.halfHeight)};
}

}  // namespace

const ButtonPlace buttonPlaces[kMenuButtonCount] = {
    PlaceOf(Piece::New),  PlaceOf(Piece::Mode),  PlaceOf(Piece::Sound),
    PlaceOf(Piece::Help), PlaceOf(Piece::About), PlaceOf(Piece::Exit),
};

namespace {

constexpr GLfloat kBlockHalfSide = static_cast<GLfloat>(kBlockHalf);
constexpr GLfloat kBlockFrontZ = static_cast<GLfloat>(kBlockHalfDepth);  // the side a resting block shows
// A block's ring lies mostly in the gap of 0.4 units to its neighbours, slightly over its
// own edge; the buttons touch one another, so theirs lies mostly over the button itself.
constexpr GLfloat kBlockRingInside = 0.1f;
constexpr GLfloat kBlockRingOutside = 0.2f;
constexpr GLfloat kButtonRingInside = 0.14f;
constexpr GLfloat kButtonRingOutside = 0.06f;

// A rectangular ring around the centre at z: four quads between the inner and outer edges.
void DrawRing(GLfloat x, GLfloat y, GLfloat z, GLfloat halfWidth, GLfloat halfHeight,
              GLfloat inside, GLfloat outside)
{
    GLfloat innerX = halfWidth - inside;
    GLfloat innerY = halfHeight - inside;
    GLfloat outerX = halfWidth + outside;
    GLfloat outerY = halfHeight + outside;
    glBegin(GL_QUADS);
    // Top and bottom bands span the full width; the sides fill in between them.
    glVertex3f(x - outerX, y + innerY, z);
    glVertex3f(x + outerX, y + innerY, z);
    glVertex3f(x + outerX, y + outerY, z);
    glVertex3f(x - outerX, y + outerY, z);
    glVertex3f(x - outerX, y - outerY, z);
    glVertex3f(x + outerX, y - outerY, z);
    glVertex3f(x + outerX, y - innerY, z);
    glVertex3f(x - outerX, y - innerY, z);
    glVertex3f(x - outerX, y - innerY, z);
    glVertex3f(x - innerX, y - innerY, z);
    glVertex3f(x - innerX, y + innerY, z);
    glVertex3f(x - outerX, y + innerY, z);
    glVertex3f(x + innerX, y - innerY, z);
    glVertex3f(x + outerX, y - innerY, z);
    glVertex3f(x + outerX, y + innerY, z);
    glVertex3f(x + innerX, y + innerY, z);
    glEnd();
}

}  // namespace

void DrawHighlight(int32_t name, const float buttonDepths[kButtonCount])
{
    bool onBlock = name >= kNameFirstBlock && name < kNameFirstBlock + kBlockCount;
    bool onButton = name >= kNameNew && name < kNameNew + kMenuButtonCount;
    if (!onBlock && !onButton)
        return;
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1.0f, 0.85f, 0.0f);
    if (onBlock) {
        const float* centre = blockPositions[name - kNameFirstBlock];
        DrawRing(centre[0], centre[1], centre[2] + kBlockFrontZ, kBlockHalfSide, kBlockHalfSide,
                 kBlockRingInside, kBlockRingOutside);
    } else {
        int button = name - kNameNew;
        const ButtonPlace& place = buttonPlaces[button];
        // A pressed button moves in; its ring goes with it.
        float depth = button < kButtonCount ? buttonDepths[button] : 0.0f;
        DrawRing(place.x, place.y, place.z - depth, place.halfWidth, place.halfHeight,
                 kButtonRingInside, kButtonRingOutside);
    }
    glColor3f(1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}
