// Natives of com.brevanto.qovin.scenery.SceneryLibrary: library lookups. The
// simulator calls the enumerator before XPLMLookupObjects returns; it only
// copies each path (whose lifetime the simulator does not promise), and Java
// gets them afterwards as one String[].
#include <XPLMScenery.h>

#include <string>
#include <vector>

#include "bridge.h"
#include "com_brevanto_qovin_scenery_SceneryLibrary.h"

namespace {
void collectPath(const char* inFilePath, void* inRef) {
  if (inFilePath != nullptr) static_cast<std::vector<std::string>*>(inRef)->emplace_back(inFilePath);
}
}  // namespace

// A null path looks nothing up: an empty array.
JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_scenery_SceneryLibrary_lookupN(JNIEnv* env, jclass,
                                                                                    jstring jpath,
                                                                                    jfloat latitude,
                                                                                    jfloat longitude) {
  if (offHostThread(env)) return nullptr;
  std::vector<std::string> paths;
  const Utf8 path(env, jpath);
  if (path) XPLMLookupObjects(path.c_str(), latitude, longitude, collectPath, &paths);
  return newJavaStrings(env, paths);
}
