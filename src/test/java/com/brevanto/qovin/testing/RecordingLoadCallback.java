package com.brevanto.qovin.testing;

import com.brevanto.qovin.scenery.QOVINObjectLoadCallback;
import com.brevanto.qovin.scenery.QOVINObjectRef;
import java.util.ArrayList;
import java.util.List;

/** Records the objects its asynchronous loads deliver; throws on each if told to. */
public final class RecordingLoadCallback implements QOVINObjectLoadCallback {
    private final List<QOVINObjectRef> received = new ArrayList<>();
    private final boolean fail;

    public RecordingLoadCallback(boolean fail) {
        this.fail = fail;
    }

    @Override
    public void objectLoaded(QOVINObjectRef object) {
        received.add(object);
        if (fail) {
            throw new IllegalStateException("objectLoaded fails on purpose");
        }
    }

    public int count() {
        return received.size();
    }

    /** The handle of delivery {@code index}. */
    public long handle(int index) {
        return received.get(index).getHandle();
    }

    /** The object of delivery {@code index}. */
    public QOVINObjectRef object(int index) {
        return received.get(index);
    }
}
