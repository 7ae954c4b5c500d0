package com.brevanto.qovin.testing;

import com.brevanto.qovin.data.JavaBackedDataRef;

/** Datarefs published with lambdas over this object's fields. */
public final class LambdaDataRefs {
    public float speed = 61.5f;
    public int gear = 1;
    public double latitude = 47.25;

    /**
     * Publishes "qovin/test/lambda/speed" read-only, ".../gear" and ".../latitude" writable.
     *
     * @return the three datarefs
     */
    public JavaBackedDataRef[] publish() {
        return new JavaBackedDataRef[] {
            JavaBackedDataRef.publishFloat("qovin/test/lambda/speed", () -> speed),
            JavaBackedDataRef.publishInt("qovin/test/lambda/gear", () -> gear, value -> gear = value),
            JavaBackedDataRef.publishDouble("qovin/test/lambda/latitude", () -> latitude, value -> latitude = value),
        };
    }
}
