/**
 * The simulator's aircraft: the models in its slots, placing the user's aircraft, and exclusive access to the
 * other aircraft for a plugin that flies them.
 */
package com.brevanto.qovin.planes;
