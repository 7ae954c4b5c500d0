// The plugin the runner runs: qovin.xpl, loaded from an X-Plane-like folder.
#ifndef QOVIN_HOST_RUNNER_PLUGIN_H
#define QOVIN_HOST_RUNNER_PLUGIN_H

namespace qovinhost {

// Its ID in the stand-in, once loaded.
int runnerPlugin();
void setRunnerPlugin(int id);

}  // namespace qovinhost

#endif
