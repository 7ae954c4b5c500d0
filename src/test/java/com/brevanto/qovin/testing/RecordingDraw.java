package com.brevanto.qovin.testing;

import com.brevanto.qovin.display.XPlaneDrawCallbackHelper;
import java.util.ArrayList;
import java.util.List;

/**
 * A draw callback that records each call as "phase before" (e.g. "20 true"),
 * answers {@code answer}, and throws while {@code failing} is set.
 */
public final class RecordingDraw extends XPlaneDrawCallbackHelper {
    private final List<String> calls = new ArrayList<>();
    private final int answer;
    private boolean failing;

    public RecordingDraw(int answer) {
        this.answer = answer;
    }

    public void setFailing(boolean failing) {
        this.failing = failing;
    }

    @Override
    public int callback(int phase, boolean before) {
        calls.add(phase + " " + before);
        if (failing) {
            throw new IllegalStateException("draw callback failed in phase " + phase);
        }
        return answer;
    }

    /** The recorded calls, oldest first; clears them. */
    public String[] takeCalls() {
        String[] taken = calls.toArray(new String[0]);
        calls.clear();
        return taken;
    }
}
