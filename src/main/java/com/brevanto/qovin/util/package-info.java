/**
 * Commands ({@link com.brevanto.qovin.util.XPlaneCommandRef}), the
 * simulator's log ({@link com.brevanto.qovin.util.XPlaneDebugStringImpl}), its
 * folders ({@link com.brevanto.qovin.util.Folders}), versions, language,
 * speech and data files ({@link com.brevanto.qovin.util.Simulator}), key
 * strokes and buttons ({@link com.brevanto.qovin.util.Keys}) and its error
 * reports ({@link com.brevanto.qovin.util.SimulatorErrors}).
 */
package com.brevanto.qovin.util;
