#include <GL/gl.h>

#include "state/game_state.h"
#include "banner/banner_grid.h"

// The grid is a flat strip tilted 45 degrees, far behind the pitch: row r
// runs along y 140 - r, z 15 - r, so the camera puts row 0's top edge on the
// top edge of the view. All 3,200 cells go in one primitive; the cells, their
// order and corners are those of one quad per cell.
void drawBanner(GameState& state)
{
    state.bannerDrawX = -170.0f;
    state.bannerDrawY = 140.0f;
    state.bannerDrawZ = 15.0f;
    state.bannerCellSize = 1.0f;
    const float size = state.bannerCellSize;

    glBegin(GL_QUADS);
    for (int i = 0; i < bannerCells; ++i) {
        const float x = state.bannerDrawX, y = state.bannerDrawY, z = state.bannerDrawZ;
        glColor4f(state.bannerRed[i], state.bannerGreen[i], state.bannerBlue[i], 1.0f);
        glVertex3f(x, y, z);
        glVertex3f(x + size, y, z);
        glVertex3f(x + size, y - size, z - size);
        glVertex3f(x, y - size, z - size);

        if (state.bannerDrawX < 150.0f)
            state.bannerDrawX += size;
        if (state.bannerDrawX >= 150.0f && state.bannerDrawY > 130.0f) {
            state.bannerDrawX = -170.0f;
            state.bannerDrawZ -= 1.0f;
            state.bannerDrawY -= 1.0f;
        }
    }
    glEnd();
}
