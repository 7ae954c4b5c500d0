/**
 * Datarefs: reading and writing the simulator's and other plugins'
 * ({@link com.brevanto.qovin.data.XPlaneDataRef}), and publishing your own,
 * served by Java objects ({@link com.brevanto.qovin.data.JavaBackedDataRef}) or
 * from native memory ({@link com.brevanto.qovin.data.DirectDataRef},
 * {@link com.brevanto.qovin.data.DirectArrayDataRef}).
 */
package com.brevanto.qovin.data;
