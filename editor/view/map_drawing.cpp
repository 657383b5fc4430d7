#include "editor/view/map_drawing.h"

#include "editor/view/draw3d.h"
#include "editor/view/map_shapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>

namespace editor {
namespace {

constexpr double kNearPlane = 0.01;
constexpr double kFarPlane = 100;
// The depth buffer's cleared value: nothing was drawn at that pixel.
constexpr float kEmptyDepth = 1.0f;

// Moves to the object's centre, stretches the mesh box over its cells and turns it.
void ApplyPlacement(const TObjectPlacement& placement, std::int32_t angle) {
    glTranslatef(placement.X, placement.Y, placement.Z);
    glScalef(placement.ScaleX, placement.ScaleY, placement.ScaleZ);
    RotateZ(static_cast<float>(angle));
}

TObjectPlacement Placement(int x, int y, int length, int width, int height, float lift) {
    // The mesh box spans -1..1; halved and stretched it covers the cells and stands on the map.
    return {x + length * 0.5f, y + width * 0.5f, height * 0.49f + lift, 0.5f * length, 0.5f * width, 0.5f * height};
}

void DrawFrame(int cursorX, int cursorY, int length, int width) {
    glTranslatef(cursorX + length * 0.5f, cursorY + width * 0.5f, kMarkerLift);
    DrawQuad(static_cast<float>(length), static_cast<float>(width));
}

}  // namespace

void InitialiseViewState() {
    glClearColor(0, 0, 0, 1);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    // Set from the start: tiles fade through their vertex alphas and key-colour texels are holes
    // in every frame, not only once something translucent has been drawn.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void SetViewProjection(int width, int height) {
    const int safeHeight = height > 0 ? height : 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(camera_limits::kFieldOfView, static_cast<double>(width) / safeHeight, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ApplyCamera(const TViewCamera& camera) {
    RotateX(static_cast<float>(camera.Tilt));
    RotateZ(static_cast<float>(camera.Spin));
    glTranslatef(camera.PanX, camera.PanY, camera.Zoom);
}

void DrawBaseSurface(const TMapHeader& header, std::uint32_t baseTexture) {
    const float sizeX = header.SizeX;
    const float sizeY = header.SizeY;
    // Integer halving: the texture repeats once per two cells, and an odd size does not add half a repeat.
    const float repeatX = static_cast<float>(header.SizeX / 2);
    const float repeatY = static_cast<float>(header.SizeY / 2);
    BindTexture(baseTexture);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(repeatX, 0);
    glVertex3f(sizeX, 0, 0);
    glTexCoord2f(repeatX, repeatY);
    glVertex3f(sizeX, sizeY, 0);
    glTexCoord2f(0, repeatY);
    glVertex3f(0, sizeY, 0);
    glEnd();
}

TObjectPlacement GroundPlacement(const TGroundObject& object) {
    return Placement(object.X, object.Y, object.Length, object.Width, object.Height, 0);
}

TObjectPlacement AirPlacement(const TAirObject& object) {
    return Placement(object.X, object.Y, object.Length, object.Width, object.Height, object.Level * 0.25f);
}

void BeginGroundLighting() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

void EndGroundLighting() {
    glDisable(GL_LIGHTING);
}

void DrawLitGroundObject(const TGroundObject& object, const TKindCatalogues& kinds, const TMeshDraw& drawMesh) {
    glPushMatrix();
    ApplyPlacement(GroundPlacement(object), object.Angle);
    const TKindLookup kind = kinds.FindGroundKind(object.Kind);
    if (kind.Found && kind.Mesh != -1) {
        BindTexture(static_cast<std::uint32_t>(kind.Texture));
        drawMesh(kind.Mesh);
    }
    glPopMatrix();
}

void DrawGroundObject(const TGroundObject& object, const TKindCatalogues& kinds, const TMeshDraw& drawMesh) {
    const TKindLookup kind = kinds.FindGroundKind(object.Kind);
    if (!kind.Found || kind.Mesh == -1) {
        return;
    }
    BeginGroundLighting();
    DrawLitGroundObject(object, kinds, drawMesh);
    EndGroundLighting();
}

void DrawAirObject(const TAirObject& object, const TKindCatalogues& kinds, const TMeshDraw& drawMesh) {
    glPushMatrix();
    if (object.Opacity != colours::kOpaque) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4ub(255, 255, 255, object.Opacity);
    }
    ApplyPlacement(AirPlacement(object), object.Angle);
    const TKindLookup kind = kinds.FindAirKind(object.Kind);
    if (kind.Found && kind.Mesh != -1) {
        BindTexture(static_cast<std::uint32_t>(kind.Texture));
        drawMesh(kind.Mesh);
    }
    SetColor(colours::kWhite, colours::kOpaque);
    glPopMatrix();
}

void DrawToolPreview(const TToolSettings& tools, const TKindCatalogues& kinds, int cursorX, int cursorY,
                     const TMeshDraw& drawMesh) {
    glPushMatrix();
    const TGroundObject ground = GroundRecord(tools, cursorX, cursorY);
    const TAirObject air = AirRecord(tools, cursorX, cursorY);
    switch (tools.Tool) {
    case TTool::Surface:
        BindTexture(static_cast<std::uint32_t>(kinds.FindSurfaceTexture(SurfaceKind(tools))));
        glTranslatef(cursorX + 0.5f, cursorY + 0.5f, kMarkerLift);
        DrawQuad(1, 1);
        break;
    case TTool::Ground: DrawGroundObject(ground, kinds, drawMesh); break;
    case TTool::Air: DrawAirObject(air, kinds, drawMesh); break;
    case TTool::Special: break;
    }

    glPushMatrix();
    BindTexture(0);
    SetColor(colours::kRed, colours::kMarkerAlpha);
    switch (tools.Tool) {
    case TTool::Ground: DrawFrame(cursorX, cursorY, ground.Length, ground.Width); break;
    case TTool::Air: DrawFrame(cursorX, cursorY, air.Length, air.Width); break;
    case TTool::Special: DrawFrame(cursorX, cursorY, 1, 1); break;
    case TTool::Surface: break;
    }
    SetColor(colours::kWhite, colours::kOpaque);
    glPopMatrix();
    glPopMatrix();
}

std::pair<int, int> CellAt(double x, double y, int sizeX, int sizeY) {
    const double column = std::floor(x);
    const double row = std::floor(y);
    // Strict on both sides: a point on a grid line belongs to no cell.
    if (!(column < x) || !(row < y) || column < 0 || row < 0 || column >= sizeX || row >= sizeY) {
        return {-1, -1};
    }
    return {static_cast<int>(column), static_cast<int>(row)};
}

void PickCell(TViewCamera& camera, int sizeX, int sizeY) {
    std::array<GLdouble, 16> modelview{};
    std::array<GLdouble, 16> projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    // Window rows count from the bottom: the mouse's top row 0 is row height - 1.
    const GLint windowRow = viewport[3] - 1 - camera.LastMouseY;
    // A read outside the frame buffer leaves the value alone, so it counts as empty too.
    GLfloat depth = kEmptyDepth;
    glReadPixels(camera.LastMouseX, windowRow, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    camera.CursorX = -1;
    camera.CursorY = -1;
    // The far plane behind the sky would unproject to map points with arbitrary x and y.
    if (!(depth < kEmptyDepth)) {
        return;
    }
    GLdouble x = 0, y = 0, z = 0;
    if (gluUnProject(camera.LastMouseX, windowRow, depth, modelview.data(), projection.data(), viewport.data(), &x, &y, &z) !=
        GL_TRUE) {
        return;
    }
    const auto [column, row] = CellAt(x, y, sizeX, sizeY);
    camera.CursorX = column;
    camera.CursorY = row;
}

}  // namespace editor
