package com.brevanto.qovin.camera;

/**
 * A camera position: x, y, z in local coordinates (metres), pitch, heading and
 * roll in degrees, and zoom (1 normal).
 */
public final class QOVINCameraPosition {
    private float[] pos = new float[7];

    /**
     * A position.
     *
     * @param x local x, metres
     * @param y local y, metres
     * @param z local z, metres
     * @param pitch pitch, degrees
     * @param heading heading, degrees
     * @param roll roll, degrees
     * @param zoom zoom, 1 normal
     */
    public QOVINCameraPosition(float x, float y, float z, float pitch, float heading, float roll, float zoom) {
        set(x, y, z, pitch, heading, roll, zoom);
    }

    /**
     * Sets all seven values.
     *
     * @param x local x, metres
     * @param y local y, metres
     * @param z local z, metres
     * @param pitch pitch, degrees
     * @param heading heading, degrees
     * @param roll roll, degrees
     * @param zoom zoom, 1 normal
     */
    public void set(float x, float y, float z, float pitch, float heading, float roll, float zoom) {
        if (pos == null || pos.length < 7) {
            pos = new float[7];
        }
        pos[0] = x;
        pos[1] = y;
        pos[2] = z;
        pos[3] = pitch;
        pos[4] = heading;
        pos[5] = roll;
        pos[6] = zoom;
    }

    /**
     * The seven values in the order x, y, z, pitch, heading, roll, zoom: the
     * object's own array, not a copy.
     *
     * @throws IllegalStateException if {@link #usePos(float[])} was given null
     * @return the array
     */
    public float[] getPos() {
        if (pos == null) {
            throw new IllegalStateException("no camera position array");
        }
        return pos;
    }

    /**
     * Uses {@code values} as the position from now on: the camera follows what
     * it holds each frame. An array shorter than seven floats does not move the
     * camera; its controller gives control up instead.
     *
     * @param values the array to use
     */
    public void usePos(float[] values) {
        pos = values;
    }

    /**
     * Local x.
     *
     * @return metres
     */
    public float getX() {
        return pos[0];
    }

    /**
     * Local y.
     *
     * @return metres
     */
    public float getY() {
        return pos[1];
    }

    /**
     * Local z.
     *
     * @return metres
     */
    public float getZ() {
        return pos[2];
    }

    /**
     * Pitch.
     *
     * @return degrees
     */
    public float getPitch() {
        return pos[3];
    }

    /**
     * Heading.
     *
     * @return degrees
     */
    public float getHeading() {
        return pos[4];
    }

    /**
     * Roll.
     *
     * @return degrees
     */
    public float getRoll() {
        return pos[5];
    }

    /**
     * Zoom.
     *
     * @return the zoom factor, 1 normal
     */
    public float getZoom() {
        return pos[6];
    }
}
