package com.brevanto.qovin.map;

/** One stage of a map frame (prepare-cache, drawing, icons or labels), as a lambda. */
@FunctionalInterface
public interface MapStage {
    /**
     * Runs the stage.
     *
     * @param layer the layer
     * @param frame the stage's area, zoom, style and projection, valid during this call only
     */
    void run(MapLayer layer, MapFrame frame);
}
