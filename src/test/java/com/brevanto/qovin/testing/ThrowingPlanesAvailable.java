package com.brevanto.qovin.testing;

import com.brevanto.qovin.planes.PlanesAvailable;

/** Throws when told that access to the aircraft is free. */
public final class ThrowingPlanesAvailable implements PlanesAvailable {
    @Override
    public void planesAvailable() {
        throw new IllegalStateException("planes available failed");
    }
}
