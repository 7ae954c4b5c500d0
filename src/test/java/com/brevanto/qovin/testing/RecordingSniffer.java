package com.brevanto.qovin.testing;

import com.brevanto.qovin.display.XPlaneKeySnifferHelper;
import java.util.ArrayList;
import java.util.List;

/**
 * A key sniffer that records each key as "key flags virtualKey" with the chars
 * as numbers (e.g. "65 8 66"), answers {@code consume}, and throws while
 * failing is set.
 */
public final class RecordingSniffer extends XPlaneKeySnifferHelper {
    private final List<String> keys = new ArrayList<>();
    private final boolean consume;
    private boolean failing;

    public RecordingSniffer(boolean consume) {
        this.consume = consume;
    }

    public void setFailing(boolean failing) {
        this.failing = failing;
    }

    @Override
    public boolean keySnifferFunc(char key, int flags, char virtualKey) {
        keys.add((int) key + " " + flags + " " + (int) virtualKey);
        if (failing) {
            throw new IllegalStateException("sniffer failed");
        }
        return consume;
    }

    /** The recorded keys, oldest first; clears them. */
    public String[] takeKeys() {
        String[] taken = keys.toArray(new String[0]);
        keys.clear();
        return taken;
    }
}
