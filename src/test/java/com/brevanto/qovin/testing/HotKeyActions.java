package com.brevanto.qovin.testing;

import com.brevanto.qovin.display.HotKey;

/** Hot keys whose actions count presses, or throw. */
public final class HotKeyActions {
    private int presses;

    /**
     * A hot key that counts its presses.
     *
     * @param virtualKey the virtual key
     * @param flags the modifiers
     * @param description its description
     * @return the hot key
     */
    public HotKey counting(int virtualKey, int flags, String description) {
        return HotKey.register(virtualKey, flags, description, () -> presses++);
    }

    /**
     * A hot key whose action throws on every press.
     *
     * @param virtualKey the virtual key
     * @return the hot key
     */
    public HotKey throwing(int virtualKey) {
        return HotKey.register(virtualKey, 0, "throws", () -> {
            presses++;
            throw new IllegalStateException("hot key failed");
        });
    }

    /**
     * Presses counted so far.
     *
     * @return the count
     */
    public int presses() {
        return presses;
    }

    /**
     * Every hot key's information as lines "key flags plugin description".
     *
     * @return the lines
     */
    public static String[] all() {
        return HotKey.all().stream()
                .map(i -> i.virtualKey() + " " + i.flags() + " " + i.plugin() + " " + i.description())
                .toArray(String[]::new);
    }

    /**
     * One hot key's information as "key flags plugin description".
     *
     * @param id the hot key's ID
     * @return the line
     */
    public static String info(long id) {
        HotKey.Info i = HotKey.info(id);
        return i.virtualKey() + " " + i.flags() + " " + i.plugin() + " " + i.description();
    }
}
