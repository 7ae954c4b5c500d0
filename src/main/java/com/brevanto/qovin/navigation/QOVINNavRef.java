package com.brevanto.qovin.navigation;

/** A navaid and what the simulator tells about it. */
public interface QOVINNavRef {
    /** The simulator's "no navaid" handle. */
    int NOT_FOUND = -1;

    /**
     * The navaid's handle, {@link #NOT_FOUND} if there is none.
     *
     * @return the handle
     */
    int getRef();

    /**
     * One of the {@code XPlaneNavigation.TYPE_*} bits; 0 if there is no navaid.
     *
     * @return the type
     */
    int getType();

    /**
     * The navaid's latitude.
     *
     * @return degrees
     */
    float getLatitude();

    /**
     * The navaid's longitude.
     *
     * @return degrees
     */
    float getLongitude();

    /**
     * Height in metres.
     *
     * @return metres
     */
    float getHeight();

    /**
     * As in nav.dat: NDBs in kHz, others in 10 kHz units (116.80 MHz is 11680); 0 for none.
     *
     * @return the frequency
     */
    int getFrequency();

    /**
     * The navaid's heading (a localizer's course).
     *
     * @return degrees
     */
    float getHeading();

    /**
     * The navaid's ID, e.g. "SEA".
     *
     * @return the ID, empty if none
     */
    String getId();

    /**
     * The navaid's name.
     *
     * @return the name, empty if none
     */
    String getName();

    /**
     * Whether the navaid lies in the scenery region that is loaded.
     *
     * @return true if in the loaded region
     */
    boolean isInLocalRegion();

    /**
     * Whether there is a navaid: false for a search that found nothing.
     *
     * @return true if there is a navaid
     */
    default boolean isFound() {
        return getRef() != NOT_FOUND;
    }
}
