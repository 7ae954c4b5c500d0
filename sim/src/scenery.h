// What the stand-in's scenery files share: objects held by instances.
#ifndef XPLMSIM_SCENERY_INTERNAL_H
#define XPLMSIM_SCENERY_INTERNAL_H

#include <XPLMScenery.h>

#include <string>

namespace xplmsim {

// Takes one more hold on a loaded object for an instance; false if the handle
// is not a loaded object.
bool holdObjectForInstance(XPLMObjectRef object);
// Releases an instance's hold; the object is purged once nothing holds it.
void releaseObjectOfInstance(XPLMObjectRef object);
// Whether `object` was a loaded object and is stale now: its last load and
// instance are gone.
bool objectReleased(XPLMObjectRef object);
// The path of a loaded object ("" for none).
std::string objectPath(XPLMObjectRef object);

void clearObjects();
void clearLibrary();
void clearTerrainAndProbes();
void clearInstances();

}  // namespace xplmsim

#endif
