package com.brevanto.qovin.scenery;

/** Locations (position and rotation) at which an object is drawn or placed. */
public interface QOVINDrawInfo {
    /** The number of locations. */
    int size();

    /** Location {@code index}. */
    DrawInfoEntry get(int index);

    /** Sets location {@code index}. */
    void set(int index, float x, float y, float z, float pitch, float heading, float roll);

    /** One location: a local position in metres and pitch, heading and roll in degrees. */
    final class DrawInfoEntry {
        public final float x;
        public final float y;
        public final float z;
        public final float pitch;
        public final float heading;
        public final float roll;

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
