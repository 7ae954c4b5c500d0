package com.brevanto.qovin.scenery;

import com.brevanto.qovin.HostThread;
import java.util.List;

/**
 * The simulator's library of scenery objects: virtual paths (such as
 * "lib/airport/vehicles/fuel_truck.obj") that scenery packages map to object
 * files, some only in certain regions.
 */
public final class SceneryLibrary {
    private SceneryLibrary() {
    }

    /**
     * The object files the virtual path stands for at a place, in the order the
     * simulator gives them, each relative to the simulator's folder (load one
     * with {@link XPlaneSceneryFactory}). Empty for an unknown path or a null one.
     *
     * @param path the virtual path
     * @param latitude degrees north
     * @param longitude degrees east
     * @return a new list
     */
    public static List<String> lookup(String path, float latitude, float longitude) {
        HostThread.check();
        String[] files = lookupN(path, latitude, longitude);
        return files == null ? List.of() : List.of(files);
    }

    private static native String[] lookupN(String path, float latitude, float longitude);
}
