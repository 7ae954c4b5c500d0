package com.brevanto.qovin.testing;

import java.lang.ref.WeakReference;

/** Tells whether an object has become garbage. */
public final class GcProbe {
    private GcProbe() {
    }

    /** Runs the collector up to 20 times; true once the referent is gone. */
    public static boolean collected(WeakReference<?> ref) throws InterruptedException {
        for (int i = 0; i < 20; i++) {
            if (ref.get() == null) {
                return true;
            }
            System.gc();
            Thread.sleep(10);
        }
        return ref.get() == null;
    }
}
