// XPLMGraphics: strings and boxes are recorded as drawn, texture numbers are
// handed out from a range the simulator does not use, the graphics state and
// texture bindings are kept, and world and local coordinates convert through
// a flat-earth projection about the local origin (exactly invertible).
#include <XPLMGraphics.h>

#include <cmath>
#include <cstring>

#include "state.h"
#include "xplmsim/graphics.h"

using namespace xplmsim;

namespace {

constexpr double kEarthRadiusMetres = 6371000.0;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr int kTextureUnits = 4;
constexpr int kFirstFreeTexture = 100000;
// The simulator's own textures, by XPLMTextureID.
constexpr int kBuiltInTextures[] = {11, 12, 13};

struct Graphics {
  std::vector<DrawnString> strings;
  std::vector<DrawnBox> boxes;
  GraphicsState graphicsState;
  int bound[kTextureUnits] = {0, 0, 0, 0};
  std::vector<int> generated;
  int nextTexture = kFirstFreeTexture;
  double originLatitude = 47.4490;
  double originLongitude = -122.3093;
};

Graphics& graphics() {
  static Graphics instance;
  return instance;
}

}  // namespace

void XPLMDrawTranslucentDarkBox(int inLeft, int inTop, int inRight, int inBottom) {
  record("XPLMDrawTranslucentDarkBox", num(inLeft), num(inTop), num(inRight), num(inBottom));
  if (state().recording) graphics().boxes.push_back(DrawnBox{inLeft, inTop, inRight, inBottom});
}

void XPLMDrawString(float* inColorRGB, int inXOffset, int inYOffset, char* inChar, int* inWordWrapWidth,
                    XPLMFontID inFontID) {
  DrawnString drawn;
  drawn.text = inChar != nullptr ? inChar : "";
  if (inColorRGB != nullptr) std::memcpy(drawn.color, inColorRGB, sizeof drawn.color);
  drawn.x = inXOffset;
  drawn.y = inYOffset;
  drawn.wrapped = inWordWrapWidth != nullptr;
  drawn.wrapWidth = inWordWrapWidth != nullptr ? *inWordWrapWidth : 0;
  drawn.font = inFontID;
  record("XPLMDrawString", real(drawn.color[0]), real(drawn.color[1]), real(drawn.color[2]), num(inXOffset),
         num(inYOffset), drawn.text, num(drawn.wrapped ? drawn.wrapWidth : -1), num(inFontID));
  if (state().recording) graphics().strings.push_back(std::move(drawn));
}

void XPLMGenerateTextureNumbers(int* outTextureIDs, int inCount) {
  record("XPLMGenerateTextureNumbers", ptr(outTextureIDs), num(inCount));
  if (outTextureIDs == nullptr) return;
  Graphics& g = graphics();
  for (int i = 0; i < inCount; ++i) {
    outTextureIDs[i] = g.nextTexture++;
    g.generated.push_back(outTextureIDs[i]);
  }
}

void XPLMBindTexture2d(int inTextureNum, int inTextureUnit) {
  record("XPLMBindTexture2d", num(inTextureNum), num(inTextureUnit));
  if (inTextureUnit >= 0 && inTextureUnit < kTextureUnits) graphics().bound[inTextureUnit] = inTextureNum;
}

int XPLMGetTexture(XPLMTextureID inTexture) {
  record("XPLMGetTexture", num(inTexture));
  return inTexture >= 0 && inTexture < 3 ? kBuiltInTextures[inTexture] : 0;
}

void XPLMSetGraphicsState(int inEnableFog, int inNumberTexUnits, int inEnableLighting, int inEnableAlphaTesting,
                          int inEnableAlphaBlending, int inEnableDepthTesting, int inEnableDepthWriting) {
  record("XPLMSetGraphicsState", num(inEnableFog), num(inNumberTexUnits), num(inEnableLighting),
         num(inEnableAlphaTesting), num(inEnableAlphaBlending), num(inEnableDepthTesting),
         num(inEnableDepthWriting));
  graphics().graphicsState = GraphicsState{inEnableFog,           inNumberTexUnits,     inEnableLighting,
                                           inEnableAlphaTesting,  inEnableAlphaBlending, inEnableDepthTesting,
                                           inEnableDepthWriting};
}

void XPLMWorldToLocal(double inLatitude, double inLongitude, double inAltitude, double* outX, double* outY,
                      double* outZ) {
  record("XPLMWorldToLocal", real(inLatitude), real(inLongitude), real(inAltitude));
  worldToLocal(inLatitude, inLongitude, inAltitude, outX, outY, outZ);
}

void XPLMLocalToWorld(double inX, double inY, double inZ, double* outLatitude, double* outLongitude,
                      double* outAltitude) {
  record("XPLMLocalToWorld", real(inX), real(inY), real(inZ));
  localToWorld(inX, inY, inZ, outLatitude, outLongitude, outAltitude);
}

namespace xplmsim {

void worldToLocal(double inLatitude, double inLongitude, double inAltitude, double* outX, double* outY,
                  double* outZ) {
  const Graphics& g = graphics();
  const double metresPerDegree = kEarthRadiusMetres * kRadiansPerDegree;
  if (outX != nullptr) {
    *outX = (inLongitude - g.originLongitude) * metresPerDegree * std::cos(g.originLatitude * kRadiansPerDegree);
  }
  if (outY != nullptr) *outY = inAltitude;
  if (outZ != nullptr) *outZ = -(inLatitude - g.originLatitude) * metresPerDegree;
}

void localToWorld(double inX, double inY, double inZ, double* outLatitude, double* outLongitude,
                  double* outAltitude) {
  const Graphics& g = graphics();
  const double metresPerDegree = kEarthRadiusMetres * kRadiansPerDegree;
  if (outLatitude != nullptr) *outLatitude = g.originLatitude - inZ / metresPerDegree;
  if (outLongitude != nullptr) {
    *outLongitude = g.originLongitude + inX / (metresPerDegree * std::cos(g.originLatitude * kRadiansPerDegree));
  }
  if (outAltitude != nullptr) *outAltitude = inY;
}

const std::vector<DrawnString>& drawnStrings() { return graphics().strings; }
const std::vector<DrawnBox>& drawnBoxes() { return graphics().boxes; }

void clearDrawings() {
  graphics().strings.clear();
  graphics().boxes.clear();
}

GraphicsState graphicsState() { return graphics().graphicsState; }
int boundTexture(int unit) { return unit >= 0 && unit < kTextureUnits ? graphics().bound[unit] : 0; }
const std::vector<int>& generatedTextures() { return graphics().generated; }

void setLocalOrigin(double latitude, double longitude) {
  graphics().originLatitude = latitude;
  graphics().originLongitude = longitude;
}

void localOrigin(double* latitude, double* longitude) {
  if (latitude != nullptr) *latitude = graphics().originLatitude;
  if (longitude != nullptr) *longitude = graphics().originLongitude;
}

void clearGraphics() { graphics() = Graphics{}; }

}  // namespace xplmsim
