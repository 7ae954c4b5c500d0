package com.brevanto.qovin.camera;

/** A Java object that steers the camera while it holds it. */
public interface QOVINCameraControl {
    /**
     * Called each frame while this controller holds the camera: set where the
     * camera goes in {@code position} and answer 1 to keep control, 0 to give
     * it up. Called once more with {@code losingControl} true when the
     * simulator takes the camera away; the position is not read then.
     *
     * <p>Every controller is handed the same position object, which keeps its
     * values from one call to the next. A controller that throws gives control up.
     *
     * @param position where the camera goes; set it
     * @param losingControl true for the last call, when control is taken away
     * @return 1 to keep control, 0 to give it up
     */
    int controlCamera(QOVINCameraPosition position, boolean losingControl);
}
