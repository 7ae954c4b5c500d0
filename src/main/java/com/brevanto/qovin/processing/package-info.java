/**
 * Flight loops: Java code the simulator calls every frame or at an interval
 * ({@link com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper}), and
 * flight loops of their own, created in a phase of the frame and scheduled at
 * will ({@link com.brevanto.qovin.processing.FlightLoop}).
 */
package com.brevanto.qovin.processing;
