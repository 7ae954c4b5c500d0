package com.brevanto.qovin.scenery;

/**
 * The magnetic variation (declination) the simulator's instruments use, and
 * conversions between true and magnetic headings at the user's aircraft.
 * Variation is in degrees, east positive: magnetic = true - variation. Each
 * call checks the thread (see {@link com.brevanto.qovin.HostThread}).
 */
public final class MagneticVariation {
    private MagneticVariation() {
    }

    /**
     * The variation at a place, in degrees, east positive.
     *
     * @param latitude degrees north
     * @param longitude degrees east
     * @return the variation
     */
    public static native float at(double latitude, double longitude);

    /**
     * The magnetic heading of a true heading, at the user's aircraft.
     *
     * @param headingTrue degrees true
     * @return degrees magnetic
     */
    public static native float trueToMagnetic(float headingTrue);

    /**
     * The true heading of a magnetic heading, at the user's aircraft.
     *
     * @param headingMagnetic degrees magnetic
     * @return degrees true
     */
    public static native float magneticToTrue(float headingMagnetic);
}
