/**
 * Commands ({@link com.brevanto.qovin.util.XPlaneCommandRef}) and the
 * simulator's log ({@link com.brevanto.qovin.util.XPlaneDebugStringImpl}).
 */
package com.brevanto.qovin.util;
