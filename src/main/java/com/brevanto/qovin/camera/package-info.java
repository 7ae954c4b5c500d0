/**
 * Taking over the simulator's camera, and reading where it is.
 */
package com.brevanto.qovin.camera;
