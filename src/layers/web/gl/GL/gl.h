#pragma once
// The drawing code's <GL/gl.h> in the web build: emscripten's own, with the
// colour carried by every vertex.
//
// Emscripten's immediate mode fixes the layout of a glBegin/glEnd batch by
// its first vertex and writes each glColor into the vertex stream, so a
// colour given once per triangle would shift every vertex after it. Here a
// colour is only kept, and each glVertex3f sends the kept colour just before
// its position. The colour goes as the nearest byte, as a GL framebuffer
// rounds it; the emulation would cut c * 255 down, so it gets the middle of
// the byte's step.

#include_next <GL/gl.h>

#include <cmath>

inline GLfloat webVertexColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

inline void webKeepColour4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    const GLfloat given[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i) {
        const GLfloat c = given[i] < 0.0f ? 0.0f : given[i] > 1.0f ? 1.0f : given[i];
        webVertexColour[i] = (std::floor(c * 255.0f + 0.5f) + 0.5f) / 255.0f;
    }
}

inline void webColouredVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    glColor4f(webVertexColour[0], webVertexColour[1], webVertexColour[2], webVertexColour[3]);
    glVertex3f(x, y, z);
}

#define glColor4f webKeepColour4f
#define glVertex3f webColouredVertex3f
