// What each plugin still holds, counted by the source file that keeps it
// (registrations_of.cpp adds them up).
#ifndef XPLMSIM_OWNERS_H
#define XPLMSIM_OWNERS_H

namespace xplmsim {

int drawCallbacksOf(int plugin);   // drawing.cpp
int keySniffersOf(int plugin);     // keys.cpp
int cameraControlOf(int plugin);   // camera.cpp: 1 while its controller has the camera
int pendingLoadsOf(int plugin);    // objects.cpp
int objectLoadsOf(int plugin);     // objects.cpp: loads not yet unloaded
int instancesOf(int plugin);       // instances.cpp
int probesOf(int plugin);          // probes.cpp
int flightLoopObjectsOf(int plugin);  // processing.cpp: not destroyed
int dataSharesOf(int plugin);        // shared_data.cpp: notifications not unshared
int errorCallbackOf(int plugin);     // host_info.cpp: 1 while it has one

}  // namespace xplmsim

#endif
