package com.brevanto.qovin.testing;

import com.brevanto.qovin.util.XPlaneCommandRef;
import java.util.ArrayList;
import java.util.List;

/**
 * A command handler that records "label:before:PHASE" or "label:after:PHASE"
 * into a log shared by all instances, answers as told, and throws if told to.
 */
public final class RecordingCommand extends XPlaneCommandRef {
    private static final List<String> LOG = new ArrayList<>();
    private final String label;
    private boolean answer = true;
    private boolean fail;

    public RecordingCommand(String label, String name) {
        super(name);
        this.label = label;
    }

    public RecordingCommand(String label, String name, String description) {
        super(name, description);
        this.label = label;
    }

    public void answer(boolean value) {
        answer = value;
    }

    public void fail(boolean value) {
        fail = value;
    }

    public static String[] log() {
        return LOG.toArray(new String[0]);
    }

    public static void clearLog() {
        LOG.clear();
    }

    @Override
    public boolean beforehandlerCallback(int phase) {
        return handle("before", phase);
    }

    @Override
    public boolean afterhandlerCallback(int phase) {
        return handle("after", phase);
    }

    private boolean handle(String side, int phase) {
        LOG.add(label + ":" + side + ":" + phase);
        if (fail) {
            throw new IllegalStateException("handler failure");
        }
        return answer;
    }
}
