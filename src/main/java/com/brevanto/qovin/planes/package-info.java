/**
 * The aircraft models loaded in the simulator's aircraft slots.
 */
package com.brevanto.qovin.planes;
