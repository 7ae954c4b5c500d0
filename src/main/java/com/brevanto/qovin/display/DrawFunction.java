package com.brevanto.qovin.display;

/**
 * A draw callback as a lambda, for
 * {@link XPlaneDrawCallbackHelper#schedule(int, boolean, DrawFunction)}.
 */
@FunctionalInterface
public interface DrawFunction {
    /**
     * Called in the phase it was registered for.
     *
     * @param phase the drawing phase
     * @param before true before the simulator draws the phase, false after
     * @return for a before-callback, 1 to let the simulator draw the phase and 0 to skip its drawing
     *     this frame; ignored after the phase
     */
    int draw(int phase, boolean before);
}
