#include "render/banner_draw.h"

#include <GL/gl.h>

#include "state/game_state.h"
#include "banner/banner_grid.h"

// The grid is a flat strip tilted 45 degrees, far behind the pitch: row r
// runs along y 140 - r, z 15 - r, so the camera puts row 0's top edge on the
// top edge of the view. The camera turns only about x, so every row's top and
// bottom edges are level lines on the screen and a run of equal cells drawn
// as one quad covers exactly the pixels of its cells' quads: a text of 60
// characters takes a few hundred quads instead of 3,200.
void drawBanner(GameState& state, MeshBatching batching)
{
    state.bannerDrawX = -170.0f;
    state.bannerDrawY = 140.0f;
    state.bannerDrawZ = 15.0f;
    state.bannerCellSize = 1.0f;
    const float size = state.bannerCellSize;
    const bool perCell = batching == MeshBatching::perTriangle;

    if (!perCell)
        glBegin(GL_QUADS);
    for (int row = 0; row < bannerRows; ++row) {
        const float y = state.bannerDrawY, z = state.bannerDrawZ;
        for (int column = 0, end; column < bannerColumns; column = end) {
            const int i = row * bannerColumns + column;
            end = column + 1;
            while (!perCell && end < bannerColumns && state.bannerRed[i] == state.bannerRed[i + end - column] &&
                   state.bannerGreen[i] == state.bannerGreen[i + end - column] &&
                   state.bannerBlue[i] == state.bannerBlue[i + end - column])
                ++end;
            const float x = state.bannerDrawX, right = x + static_cast<float>(end - column) * size;
            if (perCell)
                glBegin(GL_QUADS);
            glColor4f(state.bannerRed[i], state.bannerGreen[i], state.bannerBlue[i], 1.0f);
            glVertex3f(x, y, z);
            glVertex3f(right, y, z);
            glVertex3f(right, y - size, z - size);
            glVertex3f(x, y - size, z - size);
            if (perCell)
                glEnd();
            state.bannerDrawX = right;
        }
        state.bannerDrawX = -170.0f;
        state.bannerDrawY -= size;
        state.bannerDrawZ -= size;
    }
    if (!perCell)
        glEnd();
}
