package com.brevanto.qovin.map;

import com.brevanto.qovin.HostThread;
import com.brevanto.qovin.Registrations;
import java.util.function.Consumer;

/**
 * A layer of one of the simulator's maps, drawn by Java: create it in a map that is open (from a
 * {@link XPlaneMap#onMapCreated} listener, or after {@link XPlaneMap#exists}), and it lives until
 * {@link #close()} or until its map closes; either way {@link MapLayerCallbacks#willBeDeleted} is its last call.
 * The plugin's stop closes it too.
 *
 * <pre>{@code
 * MapLayer layer = MapLayer.builder(XPlaneMap.USER_INTERFACE, MapLayer.MARKINGS, "Traffic")
 *         .icons((l, frame) -> frame.drawIcon(...))
 *         .create();
 * }</pre>
 */
public final class MapLayer implements AutoCloseable {
    static {
        initialize();
    }

    /** Area graphics, drawn under the markings. */
    public static final int FILL = 0;
    /** Point features. */
    public static final int MARKINGS = 1;
    /** A rotation of 0 is the map's north. */
    public static final int ORIENTATION_MAP = 0;
    /** A rotation of 0 is the screen's up. */
    public static final int ORIENTATION_UI = 1;
    /** Style: VFR sectional. */
    public static final int STYLE_VFR_SECTIONAL = 0;
    /** Style: IFR low enroute. */
    public static final int STYLE_IFR_LOW_ENROUTE = 1;
    /** Style: IFR high enroute. */
    public static final int STYLE_IFR_HIGH_ENROUTE = 2;

    private final String map;
    private final String name;
    private final int type;
    private final MapLayerCallbacks callbacks;
    private final MapFrame frame = new MapFrame();
    private long id;

    private MapLayer(String map, int type, String name, MapLayerCallbacks callbacks) {
        this.map = map;
        this.type = type;
        this.name = name;
        this.callbacks = callbacks;
    }

    /**
     * Creates a layer in an open map.
     *
     * @param map the map, such as {@link XPlaneMap#USER_INTERFACE}
     * @param type {@link #FILL} or {@link #MARKINGS}
     * @param name a short name shown in the map's interface
     * @param showUiToggle true for an on/off checkbox in the map's interface, false for always on
     * @param callbacks what the layer does in each stage
     * @return the layer, or null if the simulator refused it (a map that is not open, an unknown type)
     */
    public static MapLayer create(String map, int type, String name, boolean showUiToggle,
            MapLayerCallbacks callbacks) {
        HostThread.check();
        if (callbacks == null) {
            throw new NullPointerException("callbacks");
        }
        MapLayer layer = new MapLayer(map, type, name, callbacks);
        long created = layer.createN(map, type, name, showUiToggle);
        if (created == 0) {
            return null;
        }
        layer.id = created;
        Registrations.add(layer, layer::close);
        return layer;
    }

    /**
     * A builder of a layer whose stages are lambdas.
     *
     * @param map the map, such as {@link XPlaneMap#USER_INTERFACE}
     * @param type {@link #FILL} or {@link #MARKINGS}
     * @param name a short name shown in the map's interface
     * @return the builder
     */
    public static Builder builder(String map, int type, String name) {
        return new Builder(map, type, name);
    }

    /** Collects a layer's stages as lambdas, then {@link #create()}s it. */
    public static final class Builder {
        private final String map;
        private final int type;
        private final String name;
        private boolean showUiToggle = true;
        private MapStage prepareCache;
        private MapStage draw;
        private MapStage icons;
        private MapStage labels;
        private Consumer<MapLayer> willBeDeleted;

        private Builder(String map, int type, String name) {
            this.map = map;
            this.type = type;
            this.name = name;
        }

        /**
         * Whether the map's interface shows an on/off checkbox (the default) or the layer is always on.
         *
         * @param show true for a checkbox
         * @return this builder
         */
        public Builder showUiToggle(boolean show) {
            showUiToggle = show;
            return this;
        }

        /**
         * The prepare-cache stage.
         *
         * @param stage what runs
         * @return this builder
         */
        public Builder prepareCache(MapStage stage) {
            prepareCache = stage;
            return this;
        }

        /**
         * The drawing stage.
         *
         * @param stage what runs
         * @return this builder
         */
        public Builder draw(MapStage stage) {
            draw = stage;
            return this;
        }

        /**
         * The icon stage.
         *
         * @param stage what runs
         * @return this builder
         */
        public Builder icons(MapStage stage) {
            icons = stage;
            return this;
        }

        /**
         * The label stage.
         *
         * @param stage what runs
         * @return this builder
         */
        public Builder labels(MapStage stage) {
            labels = stage;
            return this;
        }

        /**
         * What runs just before the layer goes.
         *
         * @param action what runs
         * @return this builder
         */
        public Builder willBeDeleted(Consumer<MapLayer> action) {
            willBeDeleted = action;
            return this;
        }

        /**
         * Creates the layer.
         *
         * @return the layer, or null if the simulator refused it
         */
        public MapLayer create() {
            final MapStage p = prepareCache;
            final MapStage d = draw;
            final MapStage i = icons;
            final MapStage l = labels;
            final Consumer<MapLayer> w = willBeDeleted;
            return MapLayer.create(map, type, name, showUiToggle, new MapLayerCallbacks() {
                @Override
                public void willBeDeleted(MapLayer layer) {
                    if (w != null) {
                        w.accept(layer);
                    }
                }

                @Override
                public void prepareCache(MapLayer layer, MapFrame frame) {
                    if (p != null) {
                        p.run(layer, frame);
                    }
                }

                @Override
                public void draw(MapLayer layer, MapFrame frame) {
                    if (d != null) {
                        d.run(layer, frame);
                    }
                }

                @Override
                public void drawIcons(MapLayer layer, MapFrame frame) {
                    if (i != null) {
                        i.run(layer, frame);
                    }
                }

                @Override
                public void drawLabels(MapLayer layer, MapFrame frame) {
                    if (l != null) {
                        l.run(layer, frame);
                    }
                }
            });
        }
    }

    /**
     * Deletes the layer: its {@link MapLayerCallbacks#willBeDeleted} runs, then nothing more. A layer already gone
     * is left as it is.
     */
    @Override
    public void close() {
        HostThread.check();
        long current = id;
        if (current != 0) {
            destroyN(current);
        }
    }

    /**
     * Whether the layer exists (not closed, its map still open).
     *
     * @return true until it is deleted
     */
    public boolean isOpen() {
        return id != 0;
    }

    /**
     * The map the layer was created in.
     *
     * @return the map's identifier
     */
    public String map() {
        return map;
    }

    /**
     * The layer's name.
     *
     * @return the name given at creation
     */
    public String name() {
        return name;
    }

    /**
     * The layer's type.
     *
     * @return {@link #FILL} or {@link #MARKINGS}
     */
    public int type() {
        return type;
    }

    // Called by the library for each stage, with the area as four numbers so that nothing is allocated.
    private void stage(int stage, float left, float top, float right, float bottom, float zoom, float units,
            int style, long projection) {
        frame.enter(id, stage, left, top, right, bottom, zoom, units, style, projection);
        try {
            switch (stage) {
                case MapFrame.PREPARE_CACHE:
                    callbacks.prepareCache(this, frame);
                    break;
                case MapFrame.DRAW:
                    callbacks.draw(this, frame);
                    break;
                case MapFrame.ICONS:
                    callbacks.drawIcons(this, frame);
                    break;
                default:
                    callbacks.drawLabels(this, frame);
                    break;
            }
        } finally {
            frame.leave();
        }
    }

    // Called by the library just before the layer goes; the library lets go of this object after.
    private void willBeDeleted() {
        id = 0;
        Registrations.remove(this);
        callbacks.willBeDeleted(this);
    }

    private static native void initialize();

    private native long createN(String map, int type, String name, boolean showUiToggle);

    static native int destroyN(long layer);

    static native void drawIconN(long layer, String pngPath, int s, int t, int ds, int dt, float x, float y,
            int orientation, float rotationDegrees, float mapWidth);

    static native void drawLabelN(long layer, String text, float x, float y, int orientation, float rotationDegrees);

    static native boolean projectN(long projection, double latitude, double longitude, float[] outXY);

    static native boolean unprojectN(long projection, float x, float y, double[] outLatLon);

    static native float scaleMeterN(long projection, float x, float y);

    static native float northHeadingN(long projection, float x, float y);
}
