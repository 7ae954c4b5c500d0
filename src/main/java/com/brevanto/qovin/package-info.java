/**
 * Java plugins for X-Plane: {@link com.brevanto.qovin.XPlanePlugin}, which a
 * plugin implements, the plugin's {@link com.brevanto.qovin.PluginContext},
 * other plugins ({@link com.brevanto.qovin.XPlanePluginHelper}) and the
 * threading rule ({@link com.brevanto.qovin.HostThread}): everything runs on
 * the simulator's main thread.
 */
package com.brevanto.qovin;
