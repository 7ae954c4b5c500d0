package com.brevanto.qovin.navigation;

/**
 * A navaid with all its information, read at once. A search that finds
 * nothing gives one whose ref is {@link #NOT_FOUND}, with zero numbers and
 * empty texts.
 */
public final class XPlaneNavRef implements QOVINNavRef {
    private final int ref;
    private final int type;
    private final float latitude;
    private final float longitude;
    private final float height;
    private final int frequency;
    private final float heading;
    private final String id;
    private final String name;
    private final String reg;

    /**
     * Made by the bridge from the simulator's answer.
     *
     * @param ref the handle
     * @param type the type
     * @param latitude degrees
     * @param longitude degrees
     * @param height metres
     * @param frequency nav.dat units
     * @param heading degrees
     * @param id the ID
     * @param name the name
     * @param reg the region flag
     */
    public XPlaneNavRef(int ref, int type, float latitude, float longitude, float height, int frequency,
            float heading, String id, String name, String reg) {
        this.ref = ref;
        this.type = type;
        this.latitude = latitude;
        this.longitude = longitude;
        this.height = height;
        this.frequency = frequency;
        this.heading = heading;
        this.id = id;
        this.name = name;
        this.reg = reg;
    }

    @Override
    public int getRef() {
        return ref;
    }

    @Override
    public int getType() {
        return type;
    }

    @Override
    public float getLatitude() {
        return latitude;
    }

    @Override
    public float getLongitude() {
        return longitude;
    }

    @Override
    public float getHeight() {
        return height;
    }

    @Override
    public int getFrequency() {
        return frequency;
    }

    @Override
    public float getHeading() {
        return heading;
    }

    @Override
    public String getId() {
        return id;
    }

    @Override
    public String getName() {
        return name;
    }

    /**
     * The region flag as the bridge hands it over: "" outside, the character 1 inside.
     *
     * @return "" or the character 1
     */
    public String getReg() {
        return reg;
    }

    @Override
    public boolean isInLocalRegion() {
        return reg != null && !reg.isEmpty() && reg.charAt(0) == 1;
    }

    @Override
    public String toString() {
        return isFound() ? id + " " + name + " (" + ref + ")" : "no navaid";
    }
}
