package com.brevanto.qovin.testkit;

/** Where the camera is: local coordinates in metres, angles in degrees, and the zoom. */
public record CameraPosition(float x, float y, float z, float pitch, float heading, float roll, float zoom) {
}
