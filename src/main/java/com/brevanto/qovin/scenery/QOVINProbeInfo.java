package com.brevanto.qovin.scenery;

/**
 * What a terrain probe found: the point of the terrain, its surface normal,
 * its velocity and whether it is water. After a probe that found no terrain
 * every value is 0 (a hit always has a normal of length 1), see {@link #hit()}.
 * One object may be reused for any number of probes.
 */
public class QOVINProbeInfo {
    /** Local x of the terrain's point. */
    public float locationX;
    /** Local y of the terrain's point: the height of the terrain. */
    public float locationY;
    /** Local z of the terrain's point. */
    public float locationZ;
    /** x of the terrain's normal. */
    public float normalX;
    /** y of the terrain's normal. */
    public float normalY;
    /** z of the terrain's normal. */
    public float normalZ;
    /** x of the terrain's velocity (moving terrain, e.g. a ship's deck). */
    public float velocityX;
    /** y of the terrain's velocity. */
    public float velocityY;
    /** z of the terrain's velocity. */
    public float velocityZ;
    /** Whether the terrain is water. */
    public boolean wet;

    /**
     * Called by the bridge with the probe's result.
     *
     * @param locationX the point's local x
     * @param locationY the point's local y
     * @param locationZ the point's local z
     * @param normalX the normal's x
     * @param normalY the normal's y
     * @param normalZ the normal's z
     * @param velocityX the velocity's x
     * @param velocityY the velocity's y
     * @param velocityZ the velocity's z
     * @param wet whether it is water
     */
    public void setInfo(float locationX, float locationY, float locationZ, float normalX, float normalY,
            float normalZ, float velocityX, float velocityY, float velocityZ, boolean wet) {
        this.locationX = locationX;
        this.locationY = locationY;
        this.locationZ = locationZ;
        this.normalX = normalX;
        this.normalY = normalY;
        this.normalZ = normalZ;
        this.velocityX = velocityX;
        this.velocityY = velocityY;
        this.velocityZ = velocityZ;
        this.wet = wet;
    }

    /**
     * Whether the last probe found terrain.
     *
     * @return true if it found terrain
     */
    public boolean hit() {
        return normalX != 0 || normalY != 0 || normalZ != 0;
    }

    @Override
    public String toString() {
        return String.format("terrain at (%.2f, %.2f, %.2f), normal (%.3f, %.3f, %.3f), moving (%.2f, %.2f, %.2f)%s",
                locationX, locationY, locationZ, normalX, normalY, normalZ, velocityX, velocityY, velocityZ,
                wet ? ", water" : "");
    }
}
