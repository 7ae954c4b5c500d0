package com.brevanto.qovin.testkit;

/** The stand-in's maps and aircraft access, as libqovin-testkit.so exposes them to Java. */
final class StandInMaps {
    private StandInMaps() {
    }

    static native boolean openMap(String map);

    static native boolean closeMap(String map);

    static native boolean setMapArea(String map, float left, float top, float right, float bottom);

    /** Layers that exist, as "map/type/name" (type "fill" or "markings"). */
    static native String[] mapLayers();

    /** Per icon: its layer's name and its sheet's path. */
    static native String[] iconTexts(String map);

    /** Per icon, nine numbers: s, t, ds, dt, x, y, orientation, rotation, width. */
    static native float[] iconNumbers(String map);

    /** Per label: its layer's name and its text. */
    static native String[] labelTexts(String map);

    /** Per label, four numbers: x, y, orientation, rotation. */
    static native float[] labelNumbers(String map);

    /** Total aircraft, active aircraft, the plugin holding access (-1: none), callbacks waiting for it. */
    static native int[] aircraft();

    static native boolean otherPluginAcquiresPlanes();

    static native void otherPluginReleasesPlanes();
}
