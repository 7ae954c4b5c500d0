package com.brevanto.qovin.scenery;

/**
 * What a terrain probe found: the point of the terrain, its surface normal,
 * its velocity and whether it is water. After a probe that found no terrain
 * every value is 0 (a hit always has a normal of length 1), see {@link #hit()}.
 * One object may be reused for any number of probes.
 */
public class QOVINProbeInfo {
    public float locationX;
    public float locationY;
    public float locationZ;
    public float normalX;
    public float normalY;
    public float normalZ;
    public float velocityX;
    public float velocityY;
    public float velocityZ;
    public boolean wet;

    /** Called by the bridge with the probe's result. */
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

    /** Whether the last probe found terrain. */
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
