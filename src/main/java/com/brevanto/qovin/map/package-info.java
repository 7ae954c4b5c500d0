/**
 * Layers of the simulator's maps (the Map window, the instructor station's map): drawing, icons and labels
 * placed through the map's projection, and word of each map as it opens.
 */
package com.brevanto.qovin.map;
