package com.brevanto.qovin.util;

import com.brevanto.qovin.HostThread;
import java.util.Objects;

/**
 * Key strokes and joystick buttons as the simulator takes them, and the names
 * of virtual keys. Prefer commands ({@link XPlaneCommandRef}) where one exists.
 */
public final class Keys {
    private Keys() {
    }

    /**
     * Sends a raw key press to the simulator alone: no plugin's key sniffer or
     * window sees it, though the user's key bindings may act on it.
     *
     * @param keyType the kind of key
     * @param key the key
     */
    public static void simulateKeyPress(int keyType, int key) {
        HostThread.check();
        simulateKeyPressN(keyType, key);
    }

    /**
     * Runs a key function by meaning, whatever key the user mapped to it.
     *
     * @param key the key function
     */
    public static void commandKeyStroke(CommandKey key) {
        HostThread.check();
        commandKeyStrokeN(key.code());
    }

    /**
     * Presses a joystick-button action; it is held until {@link #releaseButton(CommandButton)}.
     *
     * @param button the action
     */
    public static void pressButton(CommandButton button) {
        HostThread.check();
        commandButtonPressN(button.code());
    }

    /**
     * Releases a joystick-button action pressed with {@link #pressButton(CommandButton)}.
     *
     * @param button the action
     */
    public static void releaseButton(CommandButton button) {
        HostThread.check();
        commandButtonReleaseN(button.code());
    }

    /**
     * A readable name of a virtual key code ({@code XPLM_VK_...}, 0 to 255).
     *
     * @param virtualKey the code; only its low 8 bits count
     * @return the name, empty if the simulator has none
     */
    public static String virtualKeyDescription(int virtualKey) {
        HostThread.check();
        return Objects.requireNonNullElse(virtualKeyDescriptionN((byte) virtualKey), "");
    }

    static native void simulateKeyPressN(int keyType, int key);

    static native void commandKeyStrokeN(int key);

    static native void commandButtonPressN(int button);

    static native void commandButtonReleaseN(int button);

    static native String virtualKeyDescriptionN(byte virtualKey);
}
