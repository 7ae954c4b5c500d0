package com.brevanto.qovin.scenery;

/** Told, once, when an asynchronous object load has ended. */
public interface QOVINObjectLoadCallback {
    /**
     * Called on the simulator's main thread with the loaded object, or with an
     * object whose {@link QOVINObjectRef#isLoaded()} is false if the load
     * failed. An exception thrown here is printed and cleared.
     *
     * @param object the object
     */
    void objectLoaded(QOVINObjectRef object);
}
