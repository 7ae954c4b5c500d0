package com.brevanto.qovin.testkit;

/**
 * Another plugin in the simulator: it reads and writes datarefs through XPLM
 * (a read-only dataref stays as it is; a published one's accessors run) and
 * sends the running plugin messages.
 */
public final class OtherPlugin {
    private final Sim sim;

    OtherPlugin(Sim sim) {
        this.sim = sim;
    }

    /** A number dataref's value: read as double, else float, else int. */
    public double number(String name) {
        Sim.checkType(name, Sim.NUMBER);
        double value = StandIn.readNumber(StandIn.OTHER_PLUGIN, name);
        sim.rethrowFailures();
        return value;
    }

    public float[] floats(String name) {
        Sim.checkType(name, Sim.FLOAT_ARRAY);
        float[] values = StandIn.readFloats(StandIn.OTHER_PLUGIN, name);
        sim.rethrowFailures();
        return values;
    }

    public int[] ints(String name) {
        Sim.checkType(name, Sim.INT_ARRAY);
        int[] values = StandIn.readInts(StandIn.OTHER_PLUGIN, name);
        sim.rethrowFailures();
        return values;
    }

    /** A byte dataref's text: its bytes up to the first zero, as UTF-8. */
    public String text(String name) {
        Sim.checkType(name, Sim.DATA);
        String text = Sim.untilZero(StandIn.readBytes(StandIn.OTHER_PLUGIN, name));
        sim.rethrowFailures();
        return text;
    }

    public OtherPlugin set(String name, double value) {
        Sim.checkType(name, Sim.NUMBER);
        StandIn.writeNumber(StandIn.OTHER_PLUGIN, name, value);
        sim.rethrowFailures();
        return this;
    }

    public OtherPlugin set(String name, float[] values) {
        Sim.checkType(name, Sim.FLOAT_ARRAY);
        StandIn.writeFloats(StandIn.OTHER_PLUGIN, name, values);
        sim.rethrowFailures();
        return this;
    }

    public OtherPlugin set(String name, int[] values) {
        Sim.checkType(name, Sim.INT_ARRAY);
        StandIn.writeInts(StandIn.OTHER_PLUGIN, name, values);
        sim.rethrowFailures();
        return this;
    }

    /** Writes a text in UTF-8 with a zero byte after it. */
    public OtherPlugin setText(String name, String text) {
        Sim.checkType(name, Sim.DATA);
        StandIn.writeBytes(StandIn.OTHER_PLUGIN, name, Sim.terminated(text));
        sim.rethrowFailures();
        return this;
    }

    /** Sends the running plugin a message from this plugin; it gets it in {@code receiveMessage}. */
    public OtherPlugin message(int message, long param) {
        sim.deliver(StandIn.OTHER_PLUGIN, message, param);
        return this;
    }

    /**
     * Shares the data {@code name} of {@code type} (XPLMShareData), creating it if no plugin has; from then on
     * the running plugin's writes notify this plugin ({@link #notifications()}). False if refused.
     */
    public boolean share(String name, int type) {
        return StandInUtilities.otherPluginShares(name, type);
    }

    /** Stops sharing the data {@code name}; false if this plugin did not share it with {@code type}. */
    public boolean unshare(String name, int type) {
        return StandInUtilities.otherPluginUnshares(name, type);
    }

    /** How often this plugin was notified of changes to shared data since the test began. */
    public int notifications() {
        return StandInUtilities.otherPluginNotifications();
    }

    /** Back to the world. */
    public Sim sim() {
        return sim;
    }
}
