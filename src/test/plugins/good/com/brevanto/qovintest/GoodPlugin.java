package com.brevanto.qovintest;

import com.brevanto.qovin.PluginContext;
import com.brevanto.qovin.XPlanePlugin;
import com.brevanto.qovin.data.DirectDataRef;
import com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper;

/** Counts its flight loops and the messages it gets, in datarefs the test reads. */
public class GoodPlugin implements XPlanePlugin {
    private DirectDataRef loops;
    private DirectDataRef messages;
    private final XPlaneFlightLoopCallbackHelper loop = new XPlaneFlightLoopCallbackHelper() {
        @Override
        public float callback(float sinceLastCall, float sinceLastLoop, int counter) {
            loops.set(loops.value() + 1);
            return -1f;
        }
    };

    @Override
    public void start() {
        loops = DirectDataRef.publishInt("qovintest/good/loops", 0);
        messages = DirectDataRef.publishInt("qovintest/good/messages", 0);
        System.out.println("good started in " + PluginContext.current().folder());
    }

    @Override
    public void enable() {
        loop.register(-1f);
    }

    @Override
    public void disable() {
        loop.unregisterAll();
    }

    @Override
    public void receiveMessage(int fromPlugin, int message, long param) {
        messages.set(messages.value() + 1);
    }

    @Override
    public void stop() {
        loops.unregister();
        messages.unregister();
    }
}
