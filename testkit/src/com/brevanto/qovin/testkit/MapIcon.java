package com.brevanto.qovin.testkit;

/**
 * An icon a map layer queued in the latest frame: cell (s, t) of a sheet {@code ds} by {@code dt} cells, at
 * (x, y) in map units, turned {@code rotation} degrees from map north (orientation 0) or screen up (1),
 * {@code width} map units wide.
 */
public record MapIcon(String layer, String pngPath, int s, int t, int ds, int dt, float x, float y, int orientation,
        float rotation, float width) {
}
