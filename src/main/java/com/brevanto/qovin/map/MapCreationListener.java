package com.brevanto.qovin.map;

/** Told of each map the simulator opens, so layers can be added to it. */
@FunctionalInterface
public interface MapCreationListener {
    /**
     * A map has just been built: create layers in it now.
     *
     * @param mapIdentifier the map, such as {@link XPlaneMap#USER_INTERFACE}
     */
    void mapCreated(String mapIdentifier);
}
