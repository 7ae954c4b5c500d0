package com.brevanto.qovin.navigation;

/** A navaid and what the simulator tells about it. */
public interface QOVINNavRef {
    /** The simulator's "no navaid" handle. */
    int NOT_FOUND = -1;

    /** The navaid's handle, {@link #NOT_FOUND} if there is none. */
    int getRef();

    /** One of the {@code XPlaneNavigation.TYPE_*} bits; 0 if there is no navaid. */
    int getType();

    float getLatitude();

    float getLongitude();

    /** Height in metres. */
    float getHeight();

    /** As in nav.dat: NDBs in kHz, others in 10 kHz units (116.80 MHz is 11680); 0 for none. */
    int getFrequency();

    float getHeading();

    String getId();

    String getName();

    /** Whether the navaid lies in the scenery region that is loaded. */
    boolean isInLocalRegion();

    /** Whether there is a navaid: false for a search that found nothing. */
    default boolean isFound() {
        return getRef() != NOT_FOUND;
    }
}
