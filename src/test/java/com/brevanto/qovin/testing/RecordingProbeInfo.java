package com.brevanto.qovin.testing;

import com.brevanto.qovin.scenery.QOVINProbeInfo;

/** A probe result that counts how often the bridge set it. */
public final class RecordingProbeInfo extends QOVINProbeInfo {
    private int calls;

    @Override
    public void setInfo(float locationX, float locationY, float locationZ, float normalX, float normalY,
            float normalZ, float velocityX, float velocityY, float velocityZ, boolean wet) {
        calls++;
        super.setInfo(locationX, locationY, locationZ, normalX, normalY, normalZ, velocityX, velocityY, velocityZ,
                wet);
    }

    public int calls() {
        return calls;
    }

    /** The nine numbers in the order the bridge passes them, then 1 for water or 0. */
    public float[] values() {
        return new float[] {locationX, locationY, locationZ, normalX, normalY, normalZ, velocityX, velocityY,
            velocityZ, wet ? 1f : 0f};
    }
}
