package com.brevanto.qovin.util;

import com.brevanto.qovin.HostThread;
/** Writes text into the simulator's log (Log.txt). */
public final class XPlaneDebugStringImpl {
    private XPlaneDebugStringImpl() {
    }

    /**
     * Appends {@code text} to the simulator's log as it is: no line end is added.
     *
     * @param text the text
     */
    public static void debugString(String text) {
        HostThread.check();
        debugStringN(text);
    }

    /**
     * Appends {@code text} and a line end.
     *
     * @param text the line, without its end
     */
    public static void debugLine(String text) {
        HostThread.check();
        debugStringN(text + "\n");
    }

    /**
     * Appends the bytes of {@code text} up to its first zero byte, or all of
     * them if it holds none.
     *
     * @param text the bytes, UTF-8
     */
    public static void debugBytes(byte[] text) {
        HostThread.check();
        debugStringBN(text);
    }

    static native void debugStringN(String str);

    static native void debugStringBN(byte[] ba);
}
