package com.brevanto.qovin.testing;

import com.brevanto.qovin.camera.QOVINCameraControl;
import com.brevanto.qovin.camera.QOVINCameraPosition;
import java.util.ArrayList;
import java.util.List;

/**
 * A camera controller that, for its n-th call (from 1), puts x = n, y = 2n,
 * z = 3n, pitch 10, heading 20, roll 30, zoom 1 into the position, and answers
 * 1 until call {@code giveUpOnCall} (0: never), which answers 0. It records
 * each call as "losing" or "control" with the position it was handed, as
 * "x,y,z,...". Modes change what a call does: "throw" throws, "short" hands the
 * position a two-float array, "null" hands it none (so getPos throws).
 */
public final class ScriptedCamera implements QOVINCameraControl {
    private final int giveUpOnCall;
    private final List<String> calls = new ArrayList<>();
    private String mode = "";
    private int count;
    private QOVINCameraPosition lastPosition;

    public ScriptedCamera(int giveUpOnCall) {
        this.giveUpOnCall = giveUpOnCall;
    }

    public void setMode(String mode) {
        this.mode = mode;
    }

    @Override
    public int controlCamera(QOVINCameraPosition position, boolean losingControl) {
        lastPosition = position;
        float[] seen;
        try {
            seen = position.getPos();
        } catch (IllegalStateException e) {
            seen = new float[0];
        }
        StringBuilder line = new StringBuilder(losingControl ? "losing " : "control ");
        for (int i = 0; i < seen.length; i++) {
            line.append(i == 0 ? "" : ",").append((int) seen[i]);
        }
        calls.add(line.toString());
        if (losingControl) {
            return 0;
        }
        count++;
        switch (mode) {
            case "throw":
                throw new IllegalStateException("camera controller failed");
            case "short":
                position.usePos(new float[] {1f, 2f});
                return 1;
            case "null":
                position.usePos(null);
                return 1;
            default:
                position.set(count, 2 * count, 3 * count, 10, 20, 30, 1);
                return count == giveUpOnCall ? 0 : 1;
        }
    }

    /** Gives the shared position object back a full array (after "short" or "null"). */
    public void repairPosition() {
        if (lastPosition != null) {
            lastPosition.usePos(new float[7]);
        }
    }

    public String[] takeCalls() {
        String[] taken = calls.toArray(new String[0]);
        calls.clear();
        return taken;
    }
}
