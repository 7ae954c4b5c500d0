package com.brevanto.qovin.testing;

import com.brevanto.qovin.display.XPlaneWindowHelper;
import java.util.ArrayList;
import java.util.List;

/**
 * A window that records every callback as a line ("draw", "key 65 8 66 false",
 * "click 10 20 1", "right 10 20 1", "cursor 10 20", "wheel 10 20 0 3"),
 * answers {@code answer} to the int callbacks, and throws from the callbacks
 * whose line starts with {@code throwOn} (null: never).
 */
public final class RecordingWindow extends XPlaneWindowHelper {
    private final List<String> events = new ArrayList<>();
    private final int answer;
    private String throwOn;

    public RecordingWindow(int answer) {
        this.answer = answer;
    }

    public void throwOn(String kind) {
        throwOn = kind;
    }

    private int record(String event) {
        events.add(event);
        if (throwOn != null && event.startsWith(throwOn)) {
            throw new IllegalStateException("window callback failed: " + event);
        }
        return answer;
    }

    @Override
    public void drawWindowCallback() {
        record("draw");
    }

    @Override
    public void keyPressedCallback(byte key, int flags, byte virtualKey, boolean losingFocus) {
        record("key " + key + " " + flags + " " + virtualKey + " " + losingFocus);
    }

    @Override
    public int mouseClickCallback(int x, int y, int mouseStatus) {
        return record("click " + x + " " + y + " " + mouseStatus);
    }

    @Override
    public int rightMouseClickCallback(int x, int y, int mouseStatus) {
        return record("right " + x + " " + y + " " + mouseStatus);
    }

    @Override
    public int cursorStatusCallback(int x, int y) {
        return record("cursor " + x + " " + y);
    }

    @Override
    public int mouseWheelCallback(int x, int y, int wheel, int clicks) {
        return record("wheel " + x + " " + y + " " + wheel + " " + clicks);
    }

    /** The recorded lines, oldest first; clears them. */
    public String[] takeEvents() {
        String[] taken = events.toArray(new String[0]);
        events.clear();
        return taken;
    }
}
