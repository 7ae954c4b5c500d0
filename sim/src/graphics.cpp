// XPLMGraphics: strings and boxes are recorded as drawn, texture numbers are
// handed out from a range the simulator does not use, the graphics state and
// texture bindings are kept, and world and local coordinates convert through
// a flat-earth projection about the local origin (exactly invertible).
#include <XPLMGraphics.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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

constexpr int kFontHeight = 14;
int fontWidth(XPLMFontID font) { return font == xplmFont_Proportional ? 7 : 8; }

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

// Numbers are drawn as strings: `inDigits` integer digits (zero-padded, more
// if the value needs them), `inDecimals` decimals (each 0 to 20), a sign when
// inShowSign or the value is negative.
void XPLMDrawNumber(float* inColorRGB, int inXOffset, int inYOffset, double inValue, int inDigits, int inDecimals,
                    int inShowSign, XPLMFontID inFontID) {
  DrawnString drawn;
  const int decimals = std::min(std::max(inDecimals, 0), 20);
  const int digits = std::min(std::max(inDigits, 0), 20);
  const int width = digits + (decimals > 0 ? decimals + 1 : 0) + (inShowSign != 0 || inValue < 0 ? 1 : 0);
  char text[400];
  std::snprintf(text, sizeof text, inShowSign != 0 ? "%+0*.*f" : "%0*.*f", width, decimals, inValue);
  drawn.text = text;
  if (inColorRGB != nullptr) std::memcpy(drawn.color, inColorRGB, sizeof drawn.color);
  drawn.x = inXOffset;
  drawn.y = inYOffset;
  drawn.font = inFontID;
  record("XPLMDrawNumber", real(drawn.color[0]), real(drawn.color[1]), real(drawn.color[2]), num(inXOffset),
         num(inYOffset), real(inValue), num(inDigits), num(inDecimals), num(inShowSign), num(inFontID));
  if (state().recording) graphics().strings.push_back(std::move(drawn));
}

// Every font is monospaced here: 8 x 14 pixels, 7 wide for the proportional
// font (its mean), never digits only. An unknown font writes nothing.
void XPLMGetFontDimensions(XPLMFontID inFontID, int* outCharWidth, int* outCharHeight, int* outDigitsOnly) {
  record("XPLMGetFontDimensions", num(inFontID), ptr(outCharWidth), ptr(outCharHeight), ptr(outDigitsOnly));
  if (inFontID < xplmFont_Basic || inFontID > xplmFont_Proportional) return;
  if (outCharWidth != nullptr) *outCharWidth = fontWidth(inFontID);
  if (outCharHeight != nullptr) *outCharHeight = kFontHeight;
  if (outDigitsOnly != nullptr) *outDigitsOnly = 0;
}

// Characters x the font's width, reading no more than inNumChars bytes (a
// zero byte among them ends the text early): each character of UTF-8 counts
// once. A null text, a count of 0 or less or an unknown font measure 0.
float XPLMMeasureString(XPLMFontID inFontID, const char* inChar, int inNumChars) {
  int read = 0;
  int characters = 0;
  for (; inChar != nullptr && read < inNumChars && inChar[read] != '\0'; ++read) {
    characters += (static_cast<unsigned char>(inChar[read]) & 0xC0) != 0x80 ? 1 : 0;
  }
  record("XPLMMeasureString", num(inFontID), std::string(inChar != nullptr ? inChar : "", static_cast<size_t>(read)),
         num(inNumChars));
  if (inFontID < xplmFont_Basic || inFontID > xplmFont_Proportional) return 0;
  return static_cast<float>(characters * fontWidth(inFontID));
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
