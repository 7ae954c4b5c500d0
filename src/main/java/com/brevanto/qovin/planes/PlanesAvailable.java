package com.brevanto.qovin.planes;

/** Told once that access to the aircraft is free again, after {@link XPlanePlanes#acquirePlanes} was refused. */
@FunctionalInterface
public interface PlanesAvailable {
    /** Access is free: try {@link XPlanePlanes#acquirePlanes} again. */
    void planesAvailable();
}
