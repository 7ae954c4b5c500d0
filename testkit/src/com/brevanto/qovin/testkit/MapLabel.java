package com.brevanto.qovin.testkit;

/** A label a map layer queued in the latest frame, at (x, y) in map units. */
public record MapLabel(String layer, String text, float x, float y, int orientation, float rotation) {
}
