/**
 * Flight loops: Java code the simulator calls every frame or at an interval
 * ({@link com.brevanto.qovin.processing.XPlaneFlightLoopCallbackHelper}).
 */
package com.brevanto.qovin.processing;
