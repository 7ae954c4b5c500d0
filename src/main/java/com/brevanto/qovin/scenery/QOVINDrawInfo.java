package com.brevanto.qovin.scenery;

/** Locations (position and rotation) at which an object is drawn or placed. */
public interface QOVINDrawInfo {
    /**
     * The number of locations.
     *
     * @return the number of locations
     */
    int size();

    /**
     * Location {@code index}.
     *
     * @param index the location, from 0
     * @return the location
     */
    DrawInfoEntry get(int index);

    /**
     * Sets location {@code index}.
     *
     * @param index the location, from 0
     * @param x local x, metres
     * @param y local y, metres
     * @param z local z, metres
     * @param pitch pitch, degrees
     * @param heading heading, degrees
     * @param roll roll, degrees
     */
    void set(int index, float x, float y, float z, float pitch, float heading, float roll);

    /** One location: a local position in metres and pitch, heading and roll in degrees. */
    final class DrawInfoEntry {
        /** Local x, metres. */
        public final float x;
        /** Local y, metres. */
        public final float y;
        /** Local z, metres. */
        public final float z;
        /** Pitch, degrees. */
        public final float pitch;
        /** Heading, degrees. */
        public final float heading;
        /** Roll, degrees. */
        public final float roll;

        /**
         * A location.
         *
         * @param x local x, metres
         * @param y local y, metres
         * @param z local z, metres
         * @param pitch pitch, degrees
         * @param heading heading, degrees
         * @param roll roll, degrees
         */
        public DrawInfoEntry(float x, float y, float z, float pitch, float heading, float roll) {
            this.x = x;
            this.y = y;
            this.z = z;
            this.pitch = pitch;
            this.heading = heading;
            this.roll = roll;
        }

        @Override
        public String toString() {
            return String.format("(%.2f, %.2f, %.2f; pitch %.1f, heading %.1f, roll %.1f)", x, y, z, pitch, heading,
                    roll);
        }
    }
}
