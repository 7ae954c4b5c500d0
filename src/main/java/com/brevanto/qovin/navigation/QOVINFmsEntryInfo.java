package com.brevanto.qovin.navigation;

/** One entry of the FMS flight plan. */
public final class QOVINFmsEntryInfo {
    private final int type;
    private final String id;
    private final QOVINNavRef navaid;
    private final int altitude;
    private final float latitude;
    private final float longitude;

    /**
     * Made by the bridge from the simulator's answer.
     *
     * @param type the navaid's type, or {@code XPlaneNavigation.TYPE_LAT_LON}
     * @param id the entry's own ID
     * @param navaid the navaid, or null
     * @param altitude feet
     * @param latitude degrees
     * @param longitude degrees
     */
    public QOVINFmsEntryInfo(int type, String id, QOVINNavRef navaid, int altitude, float latitude, float longitude) {
        this.type = type;
        this.id = id;
        this.navaid = navaid;
        this.altitude = altitude;
        this.latitude = latitude;
        this.longitude = longitude;
    }

    /**
     * The navaid's type, or {@code XPlaneNavigation.TYPE_LAT_LON} for a lat/lon entry.
     *
     * @return the type
     */
    public int getType() {
        return type;
    }

    /**
     * The entry's own ID text.
     *
     * @return the ID
     */
    public String getId() {
        return id;
    }

    /**
     * The entry's navaid, or null for an entry given by latitude and longitude.
     *
     * @return the navaid, or null
     */
    public QOVINNavRef getNavaid() {
        return navaid;
    }

    /**
     * Altitude in feet.
     *
     * @return feet
     */
    public int getAltitude() {
        return altitude;
    }

    /**
     * The entry's latitude.
     *
     * @return degrees
     */
    public float getLatitude() {
        return latitude;
    }

    /**
     * The entry's longitude.
     *
     * @return degrees
     */
    public float getLongitude() {
        return longitude;
    }

    @Override
    public String toString() {
        return String.format("%s %.3f, %.3f at %d ft", id, latitude, longitude, altitude);
    }
}
