package com.brevanto.qovin.map;

/**
 * What a map layer does in each stage of a map frame; every method does nothing unless overridden. The
 * simulator calls {@link #prepareCache} when the map's area changes (and before the first drawing), then in each
 * frame {@link #draw}, {@link #drawIcons} and {@link #drawLabels}. An exception a method throws is printed and
 * the map goes on.
 */
public interface MapLayerCallbacks {
    /**
     * The layer is about to go: it was closed, or its map closed.
     *
     * @param layer the layer
     */
    default void willBeDeleted(MapLayer layer) {
    }

    /**
     * The map's total area changed: precompute what drawing needs. The projection stays the same until the next
     * call.
     *
     * @param layer the layer
     * @param frame the total area and the projection
     */
    default void prepareCache(MapLayer layer, MapFrame frame) {
    }

    /**
     * Stage 1: OpenGL drawing, without writes to the depth buffer.
     *
     * @param layer the layer
     * @param frame the visible area, zoom, style and projection
     */
    default void draw(MapLayer layer, MapFrame frame) {
    }

    /**
     * Stage 2: icons only, through {@link MapFrame#drawIcon}.
     *
     * @param layer the layer
     * @param frame the visible area, zoom, style and projection
     */
    default void drawIcons(MapLayer layer, MapFrame frame) {
    }

    /**
     * Stage 3: labels only, through {@link MapFrame#drawLabel}.
     *
     * @param layer the layer
     * @param frame the visible area, zoom, style and projection
     */
    default void drawLabels(MapLayer layer, MapFrame frame) {
    }
}
