// Graphics utilities of the stand-in simulator: what plugins drew, the textures
// and graphics state they set, and the local coordinate system.
#ifndef XPLMSIM_GRAPHICS_H
#define XPLMSIM_GRAPHICS_H

#include <string>
#include <vector>

namespace xplmsim {

// One XPLMDrawString call.
struct DrawnString {
  std::string text;
  float color[3] = {0, 0, 0};
  int x = 0, y = 0;
  bool wrapped = false;  // a wrap width was given
  int wrapWidth = 0;
  int font = 0;
};
// Strings drawn since reset (or since clearDrawings), oldest first. Like the
// call record, kept only while recording is on.
const std::vector<DrawnString>& drawnStrings();
// Translucent dark boxes drawn since reset, each as left, top, right, bottom.
struct DrawnBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};
const std::vector<DrawnBox>& drawnBoxes();
void clearDrawings();

// The graphics state of the latest XPLMSetGraphicsState, in its parameter order.
struct GraphicsState {
  int fog = 0, textureUnits = 0, lighting = 0, alphaTesting = 0, alphaBlending = 0, depthTesting = 0,
      depthWriting = 0;
};
GraphicsState graphicsState();
// The texture bound to a texture unit (0 to 3), 0 if none.
int boundTexture(int unit);
// Texture numbers handed out by XPLMGenerateTextureNumbers, oldest first.
const std::vector<int>& generatedTextures();

// The local coordinate system: its origin is at sea level under
// (latitude, longitude); x points east, y up and z south, in metres.
void setLocalOrigin(double latitude, double longitude);
void localOrigin(double* latitude, double* longitude);

}  // namespace xplmsim

#endif
