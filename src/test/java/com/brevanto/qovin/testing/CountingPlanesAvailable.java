package com.brevanto.qovin.testing;

import com.brevanto.qovin.planes.PlanesAvailable;
import com.brevanto.qovin.planes.XPlanePlanes;

/** Counts the calls telling that access to the aircraft is free; acquires it then if asked to. */
public final class CountingPlanesAvailable implements PlanesAvailable {
    public int calls;
    public boolean acquireWhenCalled;
    public boolean acquired;

    @Override
    public void planesAvailable() {
        calls++;
        if (acquireWhenCalled) {
            acquired = XPlanePlanes.acquirePlanes(null, null);
        }
    }
}
